// The command's selection compared with an independent union-find over random multi-object
// models, with a fixed seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/test_models.h"

namespace {

using Indices = std::vector<std::uint32_t>;

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

// The surfaces of `mesh` that share a chain of edges with a seed.
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

standin::Mesh random_mesh(std::mt19937& random, int number) {
  standin::Mesh mesh;
  mesh.name = "object" + std::to_string(number);
  const std::uint32_t vertices = 3 + random() % 25;
  for (std::uint32_t v = 0; v < vertices; ++v) mesh.add_vertex(v, v % 5, v % 3);
  const std::uint32_t surfaces = random() % 40;
  for (std::uint32_t s = 0; s < surfaces; ++s) {
    std::vector<std::uint32_t> loop(3 + random() % 3);
    for (auto& v : loop) v = random() % vertices;
    mesh.add_surface(loop);
  }
  return mesh;
}

std::vector<std::uint32_t> shuffled_slots(std::mt19937& random, std::uint32_t count) {
  std::vector<std::uint32_t> slots(count);
  std::iota(slots.begin(), slots.end(), 0);
  std::shuffle(slots.begin(), slots.end(), random);
  return slots;
}

class RandomModels : public testmodels::CheckedHostTest {};

TEST_F(RandomModels, SelectionMatchesUnionFindOfSharedEdges) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 300; ++round) {
    standin::Host host(true);
    standin::ActiveHost active(host);
    std::vector<standin::Mesh> meshes;
    std::vector<Indices> seeds;
    std::uint32_t expected_count = 0;
    const int objects = 1 + random() % 4;
    for (int o = 0; o < objects; ++o) {
      meshes.push_back(random_mesh(random, o));
      const auto slots = shuffled_slots(random, meshes.back().surface_count());
      host.add_object(meshes.back(), &slots);
      seeds.emplace_back();
      for (std::uint32_t s = 0; s < meshes.back().surface_count(); ++s) {
        if (random() % 12 == 0) {
          host.select_surface(o, s);
          seeds.back().push_back(s);
        }
      }
      expected_count += static_cast<std::uint32_t>(reachable_from(meshes[o], seeds[o]).size());
    }
    host.set_select_mode(random() % 2 ? standin::kSurfaceMode : standin::kVertexMode);
    run();

    SCOPED_TRACE("round " + std::to_string(round));
    const bool any_seed = expected_count != 0;
    EXPECT_EQ(host.event_texts(standin::EventKind::kMessage).size(), any_seed ? 1u : 0u);
    if (any_seed) {
      EXPECT_EQ(host.event_texts(standin::EventKind::kMessage)[0],
                "Selected " + std::to_string(expected_count) + " surfaces");
    }
    for (int o = 0; o < objects; ++o) {
      const Indices expected = any_seed ? reachable_from(meshes[o], seeds[o]) : seeds[o];
      ASSERT_EQ(standin::selected_surfaces(host, o), expected) << "object " << o;
    }
    ASSERT_TRUE(host.problems().empty()) << ::testing::PrintToString(host.problems());
  }
}

}  // namespace
