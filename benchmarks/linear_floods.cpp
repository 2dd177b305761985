#include "benchmarks/linear_floods.h"

#include <algorithm>

namespace {

// Every loop step between two different vertices, as (low vertex, high vertex, surface), in
// surface order; first_step[s] is where surface s's steps begin.
struct LoopSteps {
  std::vector<std::uint32_t> low;
  std::vector<std::uint32_t> high;
  std::vector<std::uint32_t> surface;
  std::vector<std::uint32_t> first_step;
};

LoopSteps loop_steps(const standin::Mesh& mesh) {
  LoopSteps steps;
  steps.low.reserve(mesh.loop_vertices.size());
  steps.high.reserve(mesh.loop_vertices.size());
  steps.surface.reserve(mesh.loop_vertices.size());
  steps.first_step.reserve(mesh.surface_count() + 1);
  for (std::uint32_t s = 0; s < mesh.surface_count(); ++s) {
    steps.first_step.push_back(static_cast<std::uint32_t>(steps.low.size()));
    mesh.for_each_edge_step(s, [&](std::uint32_t a, std::uint32_t b) {
      steps.low.push_back(a < b ? a : b);
      steps.high.push_back(a < b ? b : a);
      steps.surface.push_back(s);
    });
  }
  steps.first_step.push_back(static_cast<std::uint32_t>(steps.low.size()));
  return steps;
}

// Steps grouped by edge, so that the steps of one edge stand together: edge_of[step] is the
// step's edge, and the edge's steps are sorted[edge_begin[edge] .. edge_begin[edge + 1]).
struct Edges {
  std::vector<std::uint32_t> sorted;
  std::vector<std::uint32_t> edge_of;
  std::vector<std::uint32_t> edge_begin;
};

// One counting sort puts the steps in order of their low vertex; each vertex's few steps are
// then ordered by their high vertex in place. Linear but for the vertices of high degree, whose
// steps take d log d.
Edges group_into_edges(const LoopSteps& steps, std::size_t vertex_count) {
  std::vector<std::uint32_t> start(vertex_count + 1, 0);
  for (std::uint32_t low : steps.low) ++start[low + 1];
  for (std::size_t v = 1; v <= vertex_count; ++v) start[v] += start[v - 1];
  Edges edges;
  edges.sorted.resize(steps.low.size());
  std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
  for (std::uint32_t step = 0; step < steps.low.size(); ++step) {
    edges.sorted[next[steps.low[step]]++] = step;
  }
  const auto by_high = [&steps](std::uint32_t a, std::uint32_t b) {
    return steps.high[a] < steps.high[b];
  };
  for (std::size_t v = 0; v < vertex_count; ++v) {
    if (start[v + 1] - start[v] > 1) {
      std::sort(edges.sorted.begin() + start[v], edges.sorted.begin() + start[v + 1], by_high);
    }
  }
  edges.edge_of.resize(steps.low.size());
  edges.edge_begin.reserve(steps.low.size() + 1);
  for (std::size_t i = 0; i < edges.sorted.size(); ++i) {
    const std::uint32_t step = edges.sorted[i];
    const std::uint32_t previous = i > 0 ? edges.sorted[i - 1] : step;
    if (i == 0 || steps.low[previous] != steps.low[step] ||
        steps.high[previous] != steps.high[step]) {
      edges.edge_begin.push_back(static_cast<std::uint32_t>(i));
    }
    edges.edge_of[step] = static_cast<std::uint32_t>(edges.edge_begin.size() - 1);
  }
  edges.edge_begin.push_back(static_cast<std::uint32_t>(edges.sorted.size()));
  return edges;
}

// Surface s's place in the surface lists of every vertex of its loop: the surfaces around vertex
// v are surfaces[offsets[v] .. offsets[v + 1]), in surface order.
struct VertexSurfaces {
  std::vector<std::uint32_t> offsets;
  std::vector<std::uint32_t> surfaces;
};

VertexSurfaces surfaces_around_vertices(const standin::Mesh& mesh) {
  VertexSurfaces around;
  around.offsets.assign(mesh.vertices.size() + 1, 0);
  for (std::uint32_t v : mesh.loop_vertices) ++around.offsets[v + 1];
  for (std::size_t v = 1; v < around.offsets.size(); ++v) {
    around.offsets[v] += around.offsets[v - 1];
  }
  around.surfaces.resize(mesh.loop_vertices.size());
  std::vector<std::uint32_t> next(around.offsets.begin(), around.offsets.end() - 1);
  for (std::uint32_t s = 0; s < mesh.surface_count(); ++s) {
    for (std::uint32_t k = mesh.loop_offsets[s]; k < mesh.loop_offsets[s + 1]; ++k) {
      around.surfaces[next[mesh.loop_vertices[k]]++] = s;
    }
  }
  return around;
}

// Whether the surface's loop steps from a to b or from b to a. Stops at the first such step.
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

// The seeds, each once, flagged reached and queued.
std::vector<std::uint32_t> queue_seeds(const std::vector<std::uint32_t>& seeds,
                                       std::vector<std::uint8_t>& reached) {
  std::vector<std::uint32_t> queue;
  queue.reserve(reached.size());
  for (std::uint32_t seed : seeds) {
    if (!reached[seed]) queue.push_back(seed);
    reached[seed] = 1;
  }
  return queue;
}

}  // namespace

std::vector<std::uint8_t> flood_through_vertices(const standin::Mesh& mesh,
                                                 const std::vector<std::uint32_t>& seeds) {
  const VertexSurfaces around = surfaces_around_vertices(mesh);
  std::vector<std::uint8_t> reached(mesh.surface_count(), 0);
  std::vector<std::uint32_t> queue = queue_seeds(seeds, reached);
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

std::vector<std::uint8_t> flood_through_edges(const standin::Mesh& mesh,
                                              const std::vector<std::uint32_t>& seeds) {
  const LoopSteps steps = loop_steps(mesh);
  const Edges edges = group_into_edges(steps, mesh.vertices.size());
  std::vector<std::uint8_t> reached(mesh.surface_count(), 0);
  std::vector<std::uint8_t> walked(edges.edge_begin.size() - 1, 0);
  std::vector<std::uint32_t> queue = queue_seeds(seeds, reached);
  for (std::size_t head = 0; head < queue.size(); ++head) {
    const std::uint32_t s = queue[head];
    for (std::uint32_t step = steps.first_step[s]; step < steps.first_step[s + 1]; ++step) {
      const std::uint32_t edge = edges.edge_of[step];
      if (walked[edge]) continue;
      walked[edge] = 1;
      for (std::uint32_t i = edges.edge_begin[edge]; i < edges.edge_begin[edge + 1]; ++i) {
        const std::uint32_t t = steps.surface[edges.sorted[i]];
        if (reached[t]) continue;
        reached[t] = 1;
        queue.push_back(t);
      }
    }
  }
  return reached;
}
