// The command's selection compared with an independent union-find over random multi-object
// models, with a fixed seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "test_support/reference_models.h"
#include "test_support/reference_walk.h"
#include "tests/test_models.h"

namespace {

using reference::Indices;
using reference::random_mesh;
using reference::reachable_from;
using reference::shuffled_slots;

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
          host.selection().select_surface(o, s);
          seeds.back().push_back(s);
        }
      }
      expected_count += static_cast<std::uint32_t>(reachable_from(meshes[o], seeds[o]).size());
    }
    host.selection().set_mode(random() % 2 ? standin::kSurfaceMode : standin::kVertexMode);
    const std::vector<Surface> handed_over = reference::seeds_handed_over();
    run();
    // The modeller sees every append to the walk's queue; batching must not change them.
    const std::vector<std::string>& calls = host.events().calls();
    const auto appended =
        static_cast<std::size_t>(std::count(calls.begin(), calls.end(), "list_add_item"));

    SCOPED_TRACE("round " + std::to_string(round));
    const bool any_seed = expected_count != 0;
    EXPECT_EQ(host.events().texts(standin::EventKind::kMessage).size(), any_seed ? 1u : 0u);
    if (any_seed) {
      EXPECT_EQ(host.events().texts(standin::EventKind::kMessage)[0],
                "Selected " + std::to_string(expected_count) + " surfaces");
    }
    for (int o = 0; o < objects; ++o) {
      const Indices expected = any_seed ? reachable_from(meshes[o], seeds[o]) : seeds[o];
      ASSERT_EQ(host.selection().selected_surfaces(o), expected) << "object " << o;
    }
    if (any_seed) {
      EXPECT_EQ(appended, reference::walk_as_the_command_must(handed_over).appends);
    }
    ASSERT_TRUE(host.problems().empty()) << ::testing::PrintToString(host.problems());
  }
}

}  // namespace
