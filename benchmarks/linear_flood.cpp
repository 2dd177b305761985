#include "benchmarks/linear_flood.h"

namespace {

struct VertexSurfaces {
  std::vector<std::uint32_t> offsets;
  std::vector<std::uint32_t> surfaces;
};

VertexSurfaces surfaces_per_vertex(const standin::Mesh& mesh) {
  VertexSurfaces result;
  result.offsets.assign(mesh.vertices.size() + 1, 0);
  for (std::uint32_t v : mesh.loop_vertices) ++result.offsets[v + 1];
  for (std::size_t v = 1; v < result.offsets.size(); ++v) {
    result.offsets[v] += result.offsets[v - 1];
  }
  result.surfaces.resize(mesh.loop_vertices.size());
  std::vector<std::uint32_t> next(result.offsets.begin(), result.offsets.end() - 1);
  for (std::uint32_t s = 0; s < mesh.surface_count(); ++s) {
    for (std::uint32_t k = mesh.loop_offsets[s]; k < mesh.loop_offsets[s + 1]; ++k) {
      result.surfaces[next[mesh.loop_vertices[k]]++] = s;
    }
  }
  return result;
}

bool loop_steps_between(const standin::Mesh& mesh, std::uint32_t surface, std::uint32_t a,
                        std::uint32_t b) {
  const std::uint32_t begin = mesh.loop_offsets[surface];
  const std::uint32_t end = mesh.loop_offsets[surface + 1];
  for (std::uint32_t k = begin; k < end; ++k) {
    const std::uint32_t here = mesh.loop_vertices[k];
    const std::uint32_t there = mesh.loop_vertices[k + 1 < end ? k + 1 : begin];
    if ((here == a && there == b) || (here == b && there == a)) return true;
  }
  return false;
}

}  // namespace

std::vector<std::uint8_t> linear_flood(const standin::Mesh& mesh,
                                       const std::vector<std::uint32_t>& seeds) {
  const VertexSurfaces around = surfaces_per_vertex(mesh);
  std::vector<std::uint8_t> reached(mesh.surface_count(), 0);
  std::vector<std::uint32_t> queue;
  queue.reserve(mesh.surface_count());
  for (std::uint32_t seed : seeds) {
    if (!reached[seed]) queue.push_back(seed);
    reached[seed] = 1;
  }
  for (std::size_t head = 0; head < queue.size(); ++head) {
    mesh.for_each_edge_step(queue[head], [&](std::uint32_t a, std::uint32_t b) {
      for (std::uint32_t i = around.offsets[a]; i < around.offsets[a + 1]; ++i) {
        const std::uint32_t t = around.surfaces[i];
        if (reached[t] || !loop_steps_between(mesh, t, a, b)) continue;
        reached[t] = 1;
        queue.push_back(t);
      }
    });
  }
  return reached;
}
