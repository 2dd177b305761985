#include "modeller/edge_topology.h"

#include <algorithm>
#include <utility>

namespace standin {
namespace {

struct HalfEdges {
  std::vector<std::uint32_t> low;
  std::vector<std::uint32_t> high;
  std::vector<std::uint32_t> surface;
};

// One half-edge per loop step between two different vertices, in surface and loop order.
HalfEdges collect_half_edges(const Mesh& mesh) {
  HalfEdges half;
  const std::size_t steps = mesh.loop_vertices.size();
  half.low.reserve(steps);
  half.high.reserve(steps);
  half.surface.reserve(steps);
  for (std::uint32_t s = 0; s < mesh.surface_count(); ++s) {
    mesh.for_each_edge_step(s, [&](std::uint32_t a, std::uint32_t b) {
      half.low.push_back(std::min(a, b));
      half.high.push_back(std::max(a, b));
      half.surface.push_back(s);
    });
  }
  return half;
}

// Stable counting sort of `order` by key[order[i]], keys below key_limit.
std::vector<std::uint32_t> counting_sort(const std::vector<std::uint32_t>& order,
                                         const std::vector<std::uint32_t>& key,
                                         std::size_t key_limit) {
  std::vector<std::uint32_t> start(key_limit + 1, 0);
  for (std::uint32_t h : order) ++start[key[h] + 1];
  for (std::size_t k = 1; k <= key_limit; ++k) start[k] += start[k - 1];
  std::vector<std::uint32_t> sorted(order.size());
  for (std::uint32_t h : order) sorted[start[key[h]]++] = h;
  return sorted;
}

// Groups sorted half-edges into edges; fills the edge arrays and each half-edge's edge index.
std::vector<std::uint32_t> group_into_edges(const HalfEdges& half,
                                            const std::vector<std::uint32_t>& sorted,
                                            EdgeTopology& topology) {
  std::vector<std::uint32_t> edge_of_half(half.low.size());
  // Counted first, so that every array is allocated once, at its size.
  std::size_t edges = 0;
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    edges += i == 0 || half.low[sorted[i - 1]] != half.low[sorted[i]] ||
             half.high[sorted[i - 1]] != half.high[sorted[i]];
  }
  topology.edge_low_vertex.reserve(edges);
  topology.edge_high_vertex.reserve(edges);
  topology.edge_surface_offsets.reserve(edges + 1);
  topology.edge_surfaces.reserve(sorted.size());
  topology.edge_surface_offsets.assign(1, 0);
  for (std::size_t i = 0; i < sorted.size(); ++i) {
    const std::uint32_t h = sorted[i];
    const bool same_edge =
        i > 0 && half.low[sorted[i - 1]] == half.low[h] && half.high[sorted[i - 1]] == half.high[h];
    if (!same_edge) {
      topology.edge_low_vertex.push_back(half.low[h]);
      topology.edge_high_vertex.push_back(half.high[h]);
      topology.edge_surface_offsets.push_back(topology.edge_surface_offsets.back());
    }
    const std::uint32_t edge = topology.edge_count() - 1;
    edge_of_half[h] = edge;
    // Half-edges of one surface on one edge are adjacent here (the sort is stable): list it once.
    const bool repeat = same_edge && half.surface[sorted[i - 1]] == half.surface[h];
    if (!repeat) {
      topology.edge_surfaces.push_back(half.surface[h]);
      ++topology.edge_surface_offsets.back();
    }
  }
  return edge_of_half;
}

void list_edges_per_surface(const Mesh& mesh, const HalfEdges& half,
                            const std::vector<std::uint32_t>& edge_of_half,
                            EdgeTopology& topology) {
  const std::uint32_t none = ~std::uint32_t{0};
  std::vector<std::uint32_t> last_surface_on_edge(topology.edge_count(), none);
  topology.surface_edge_offsets.assign(mesh.surface_count() + 1, 0);
  topology.surface_edges.reserve(half.low.size());
  std::size_t h = 0;
  for (std::uint32_t s = 0; s < mesh.surface_count(); ++s) {
    for (; h < half.surface.size() && half.surface[h] == s; ++h) {
      const std::uint32_t edge = edge_of_half[h];
      if (last_surface_on_edge[edge] == s) continue;
      last_surface_on_edge[edge] = s;
      topology.surface_edges.push_back(edge);
    }
    topology.surface_edge_offsets[s + 1] =
        static_cast<std::uint32_t>(topology.surface_edges.size());
  }
}

}  // namespace

EdgeTopology build_edge_topology(const Mesh& mesh) {
  const HalfEdges half = collect_half_edges(mesh);
  std::vector<std::uint32_t> order(half.low.size());
  for (std::uint32_t h = 0; h < order.size(); ++h) order[h] = h;
  const std::size_t vertex_count = mesh.vertices.size();
  order = counting_sort(order, half.high, vertex_count);
  order = counting_sort(order, half.low, vertex_count);

  EdgeTopology topology;
  const std::vector<std::uint32_t> edge_of_half = group_into_edges(half, order, topology);
  list_edges_per_surface(mesh, half, edge_of_half, topology);
  return topology;
}

}  // namespace standin
