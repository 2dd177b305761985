// The edges of one object, found from its surface loops alone: an edge is an unordered pair of
// consecutive loop vertices, so two surfaces share an edge exactly when both loops step between
// the same two vertex indices. No welding by position. A loop step from a vertex to itself is no
// edge. An edge used by more than two surfaces (non-manifold) lists them all.
//
// Everything is kept in flat arrays built in time linear in the loop sizes plus the vertex count:
// half-edges are radix-sorted by (low vertex, high vertex) with two counting-sort passes.
#ifndef MODELLER_EDGE_TOPOLOGY_H
#define MODELLER_EDGE_TOPOLOGY_H

#include <cstdint>
#include <vector>

#include "mesh/mesh.h"

namespace standin {

struct EdgeTopology {
  std::vector<std::uint32_t> edge_low_vertex;
  std::vector<std::uint32_t> edge_high_vertex;
  // Edge e is used by surfaces edge_surfaces[edge_surface_offsets[e] .. [e + 1]), each once, in
  // surface order.
  std::vector<std::uint32_t> edge_surface_offsets;
  std::vector<std::uint32_t> edge_surfaces;
  // Surface s uses edges surface_edges[surface_edge_offsets[s] .. [s + 1]), each once, in loop
  // order.
  std::vector<std::uint32_t> surface_edge_offsets;
  std::vector<std::uint32_t> surface_edges;

  std::uint32_t edge_count() const { return static_cast<std::uint32_t>(edge_low_vertex.size()); }
};

// Inputs:  mesh  loops whose vertex indices are all below mesh.vertices.size()
// Returns: the mesh's edges and their incidence both ways.
EdgeTopology build_edge_topology(const Mesh& mesh);

}  // namespace standin

#endif  // MODELLER_EDGE_TOPOLOGY_H
