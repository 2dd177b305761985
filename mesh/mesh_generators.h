// Generated meshes for the demo, the tests and the benchmark.
#ifndef MESH_MESH_GENERATORS_H
#define MESH_MESH_GENERATORS_H

#include <cstdint>
#include <string>

#include "mesh/mesh.h"

namespace standin {

// A columns x rows grid of quads in the z = 0 plane; surface (column, row) is
// row * columns + column. A grid with one row is a strip.
Mesh quad_grid(const std::string& name, std::uint32_t columns, std::uint32_t rows);

// A polygon of `sides` sides (surface 0) ringed by `rings` rings of `sides` quads each, so that a
// flood from the polygon meets a frontier of `sides` surfaces at every step.
Mesh ringed_polygon(const std::string& name, std::uint32_t sides, std::uint32_t rings);

// A book: `pages` quads hinged on one edge, each with two corners of its own, so that the hinge
// has `pages` users and every page reaches every other only across it.
Mesh book(const std::string& name, std::uint32_t pages);

// `copies` copies of one open fan of `triangles` triangles around a centre, all on the same
// vertices: each spoke has 2 * copies users (copies at the two ends), each rim edge `copies`.
// Duplicated faces, as scanned and exported models often have them.
Mesh stacked_fans(const std::string& name, std::uint32_t triangles, std::uint32_t copies);

// `mesh` with each of its surfaces repeated `copies` times in all, on the same vertices: every edge
// then has `copies` times the users it had.
Mesh stacked(const Mesh& mesh, std::uint32_t copies);

// Appends `part` to `mesh` as a separate piece: its vertices moved by `offset` and its loops
// renumbered, so the piece shares no vertex, and hence no edge, with what `mesh` held.
void append_part(Mesh& mesh, const Mesh& part, const Vec3& offset);

}  // namespace standin

#endif  // MESH_MESH_GENERATORS_H
