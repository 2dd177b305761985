// The whole job done the fastest plain way, as yardsticks for the command: breadth-first floods
// over flat arrays built straight from the surfaces' vertex loops. Each takes the loops of one
// object and its seeds, and builds everything it needs inside the call, as the command does.
#ifndef BENCHMARKS_LINEAR_FLOODS_H
#define BENCHMARKS_LINEAR_FLOODS_H

#include <cstdint>
#include <vector>

#include "mesh/mesh.h"

// Two surfaces are neighbours when one's loop steps between the same two vertices as the
// other's. Both floods return, per surface, 1 when it shares a chain of edges with a seed (seeds
// included).
//
// Inputs:  mesh   surfaces as vertex loops
//          seeds  surface indices to start from

// Finds each surface's neighbours among the surfaces around each of its vertices: one counting
// sort lists the surfaces at every vertex. The quickest on ordinary meshes, where a vertex has a
// few surfaces; quadratic in the surfaces around a crowded vertex (a fan's centre, a book's
// hinge), so it is the yardstick for ordinary models only.
std::vector<std::uint8_t> flood_through_vertices(const standin::Mesh& mesh,
                                                 const std::vector<std::uint32_t>& seeds);

// Groups the loop steps into edges by counting sort and walks each edge once: linear on every
// shape, the crowded ones included, so it is the yardstick for the shapes that crowd an edge.
std::vector<std::uint8_t> flood_through_edges(const standin::Mesh& mesh,
                                              const std::vector<std::uint32_t>& seeds);

#endif  // BENCHMARKS_LINEAR_FLOODS_H
