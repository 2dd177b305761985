// The command's selection compared with an independent union-find over random multi-object
// models, with a fixed seed.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "test_support/reference_walk.h"
#include "test_support/shared_scenes.h"
#include "tests/checked_host_fixture.h"

namespace {

class RandomModels : public testmodels::CheckedHostTest {};

TEST_F(RandomModels, SelectionMatchesUnionFindOfSharedEdges) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 300; ++round) {
    standin::Host host(true);
    standin::ActiveHost active(host);
    const reference::RandomScene scene = reference::add_random_scene(random, host);
    const std::vector<Surface> handed_over = reference::seeds_handed_over();
    run();

    SCOPED_TRACE("round " + std::to_string(round));
    const bool any_seed = scene.expected_count != 0;
    EXPECT_EQ(host.events().texts(standin::EventKind::kMessage).size(), any_seed ? 1u : 0u);
    if (any_seed) {
      EXPECT_EQ(host.events().texts(standin::EventKind::kMessage)[0],
                "Selected " + std::to_string(scene.expected_count) + " surfaces");
      // The modeller sees every append to the walk's queue: one per surface reached that was
      // not a seed, as the reference walk makes them.
      EXPECT_EQ(host.statistics().appends(),
                reference::walk_as_the_command_must(handed_over).appends);
    }
    ASSERT_EQ(reference::differences_from(scene, host), "");
    ASSERT_TRUE(host.problems().empty()) << ::testing::PrintToString(host.problems());
  }
}

}  // namespace
