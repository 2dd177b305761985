#include "benchmarks/linear_flood.h"

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

// Stable counting sort of `order` by key[order[i]], keys below key_limit.
std::vector<std::uint32_t> sorted_by(const std::vector<std::uint32_t>& order,
                                     const std::vector<std::uint32_t>& key, std::size_t key_limit) {
  std::vector<std::uint32_t> start(key_limit + 1, 0);
  for (std::uint32_t i : order) ++start[key[i] + 1];
  for (std::size_t k = 1; k <= key_limit; ++k) start[k] += start[k - 1];
  std::vector<std::uint32_t> sorted(order.size());
  for (std::uint32_t i : order) sorted[start[key[i]]++] = i;
  return sorted;
}

// Steps sorted by (low, high), so that the steps of one edge stand together: edge_of[step] is
// the step's edge, and the edge's steps are sorted[edge_begin[edge] .. edge_begin[edge + 1]).
struct Edges {
  std::vector<std::uint32_t> sorted;
  std::vector<std::uint32_t> edge_of;
  std::vector<std::uint32_t> edge_begin;
};

Edges group_into_edges(const LoopSteps& steps, std::size_t vertex_count) {
  std::vector<std::uint32_t> order(steps.low.size());
  for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
  Edges edges;
  edges.sorted = sorted_by(sorted_by(order, steps.high, vertex_count), steps.low, vertex_count);
  edges.edge_of.resize(order.size());
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

}  // namespace

std::vector<std::uint8_t> linear_flood(const standin::Mesh& mesh,
                                       const std::vector<std::uint32_t>& seeds) {
  const LoopSteps steps = loop_steps(mesh);
  const Edges edges = group_into_edges(steps, mesh.vertices.size());
  std::vector<std::uint8_t> reached(mesh.surface_count(), 0);
  std::vector<std::uint8_t> walked(edges.edge_begin.size() - 1, 0);
  std::vector<std::uint32_t> queue;
  queue.reserve(mesh.surface_count());
  for (std::uint32_t seed : seeds) {
    if (!reached[seed]) queue.push_back(seed);
    reached[seed] = 1;
  }
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
