#include "test_support/reference_models.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <string>
#include <utility>

namespace reference {
namespace {

struct UnionFind {
  explicit UnionFind(std::size_t size) : parent(size) {
    std::iota(parent.begin(), parent.end(), 0);
  }
  std::uint32_t root(std::uint32_t x) {
    while (parent[x] != x) x = parent[x] = parent[parent[x]];
    return x;
  }
  void join(std::uint32_t a, std::uint32_t b) { parent[root(a)] = root(b); }
  std::vector<std::uint32_t> parent;
};

}  // namespace

Indices reachable_from(const standin::Mesh& mesh, const Indices& seeds) {
  UnionFind groups(mesh.surface_count());
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> first_user;
  for (std::uint32_t s = 0; s < mesh.surface_count(); ++s) {
    mesh.for_each_edge_step(s, [&](std::uint32_t a, std::uint32_t b) {
      auto inserted = first_user.emplace(std::minmax(a, b), s);
      if (!inserted.second) groups.join(s, inserted.first->second);
    });
  }
  Indices reached;
  for (std::uint32_t s = 0; s < mesh.surface_count(); ++s) {
    for (std::uint32_t seed : seeds) {
      if (groups.root(s) == groups.root(seed)) {
        reached.push_back(s);
        break;
      }
    }
  }
  return reached;
}

namespace {

// A polygon of `corners` new vertices with a triangle on each of its edges, each triangle's third
// vertex its own: the triangles reach one another only through the polygon, so every edge of a
// polygon wider than a lookup batch decides what is reached.
void add_polygon_with_triangles(standin::Mesh& mesh, std::uint32_t corners) {
  const auto first = static_cast<std::uint32_t>(mesh.vertices.size());
  std::vector<std::uint32_t> polygon(corners);
  for (std::uint32_t k = 0; k < corners; ++k) {
    polygon[k] = mesh.add_vertex(k, 100 + k % 7, k % 2);
  }
  mesh.add_surface(polygon);
  for (std::uint32_t k = 0; k < corners; ++k) {
    const std::uint32_t tip = mesh.add_vertex(k, 200, 1);
    mesh.add_surface({first + k, first + (k + 1) % corners, tip});
  }
}

// `users` triangles on one edge (a, b), each with a tip of its own: a non-manifold fan.
void add_fan(standin::Mesh& mesh, std::uint32_t users) {
  const std::uint32_t a = mesh.add_vertex(0, 300, 0);
  const std::uint32_t b = mesh.add_vertex(1, 300, 0);
  for (std::uint32_t k = 0; k < users; ++k) mesh.add_surface({a, b, mesh.add_vertex(k, 301, 1)});
}

// `copies` copies of one polygon of `corners` corners on the same vertices, the first two of them
// the mesh's vertices 0 and 1, so that the stack meets the rest of the mesh: every edge of the
// stack has `copies` users or more.
void add_stacked_copies(standin::Mesh& mesh, std::uint32_t corners, std::uint32_t copies) {
  std::vector<std::uint32_t> polygon = {0, 1};
  for (std::uint32_t k = 2; k < corners; ++k) polygon.push_back(mesh.add_vertex(k, 400, k % 3));
  for (std::uint32_t copy = 0; copy < copies; ++copy) mesh.add_surface(polygon);
}

}  // namespace

standin::Mesh random_mesh(std::mt19937& random, int number) {
  standin::Mesh mesh;
  mesh.name = "object" + std::to_string(number);
  const std::uint32_t vertices = 3 + random() % 25;
  for (std::uint32_t v = 0; v < vertices; ++v) mesh.add_vertex(v, v % 5, v % 3);
  // One object in eight has a single surface.
  const std::uint32_t surfaces = random() % 8 == 0 ? 1 : random() % 40;
  for (std::uint32_t s = 0; s < surfaces; ++s) {
    // Mostly 3 to 5 corners; one loop in six has up to 24.
    std::vector<std::uint32_t> loop(3 + (random() % 6 == 0 ? random() % 22 : random() % 3));
    for (auto& v : loop) v = random() % vertices;
    mesh.add_surface(loop);
  }
  if (surfaces > 1 && random() % 3 == 0) add_polygon_with_triangles(mesh, 9 + random() % 16);
  if (surfaces > 1 && random() % 4 == 0) add_fan(mesh, 3 + random() % 30);
  if (surfaces > 1 && random() % 4 == 0)
    add_stacked_copies(mesh, 3 + random() % 6, 2 + random() % 12);
  return mesh;
}

std::vector<std::uint32_t> shuffled_slots(std::mt19937& random, std::uint32_t count) {
  std::vector<std::uint32_t> slots(count);
  std::iota(slots.begin(), slots.end(), 0);
  std::shuffle(slots.begin(), slots.end(), random);
  return slots;
}

std::vector<std::uint32_t> organ_pipe_slots(std::uint32_t count) {
  std::vector<std::uint32_t> slots(count);
  const std::uint32_t rising = (count + 1) / 2;
  for (std::uint32_t i = 0; i < count; ++i) {
    slots[i] = i < rising ? 2 * i : 2 * (count - 1 - i) + 1;
  }
  return slots;
}

std::vector<std::uint32_t> middle_pivot_worst_case_slots(std::uint32_t count) {
  if (count == 0) return {};
  std::vector<std::uint32_t> slot_of(count);
  std::vector<std::uint32_t> at(count);
  std::iota(at.begin(), at.end(), 0);
  for (std::uint32_t hi = count - 1; hi > 0; --hi) {
    slot_of[at[hi / 2]] = hi;
    std::swap(at[hi / 2], at[hi]);
  }
  slot_of[at[0]] = 0;
  return slot_of;
}

}  // namespace reference
