// The command's selection compared with an independent union-find, and with the reference walk,
// over random multi-object models, with fixed seeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "select_connected/select_connected.h"
#include "test_support/reference_walk.h"
#include "test_support/shared_scenes.h"

namespace {

TEST(SelectConnectedRandomModels, SelectionMatchesUnionFindOfSharedEdges) {
  std::mt19937 random(20261209);
  for (int round = 0; round < 300; ++round) {
    standin::Host host(true);
    standin::ActiveHost active(host);
    const reference::RandomScene scene = reference::add_random_scene(random, host);
    const std::vector<Surface> handed_over = reference::seeds_handed_over();
    host.statistics().reset();
    adjsurf::select_connected_go();
    const std::uint64_t edge_lists_asked =
        host.statistics()
            .calls()[static_cast<std::size_t>(standin::HostFunction::vx_edgelist_get_by_surface)];

    SCOPED_TRACE("round " + std::to_string(round));
    // The modeller is asked for the edges of each surface reached, once.
    EXPECT_EQ(edge_lists_asked, scene.expected_count);
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

// A modeller that refuses one append, anywhere in the walk, leaves that surface to be appended
// when another of its edges brings it up again (a crowded edge walked while the append was
// refused is not taken as walked): the selection and the appends asked for are the reference
// walk's with the same refusal.
TEST(SelectConnectedRandomModels, ARefusedAppendAnywhereGivesTheReferenceWalksAnswer) {
  std::mt19937 random(20261210);
  int refusals_met = 0;
  for (int round = 0; round < 300; ++round) {
    standin::Host host(true);
    standin::ActiveHost active(host);
    reference::add_random_scene(random, host);
    const std::vector<Surface> handed_over = reference::seeds_handed_over();
    const int refused = static_cast<int>(random() % 40);
    host.faults().refused_list_add_item = refused;
    adjsurf::select_connected_go();
    if (host.events().texts(standin::EventKind::kSelect).empty()) continue;

    SCOPED_TRACE("round " + std::to_string(round));
    const reference::Walk expected = reference::walk_as_the_command_must(handed_over, refused);
    std::vector<Surface> selected = host.selection().last_selected_list();
    std::sort(selected.begin(), selected.end());
    ASSERT_EQ(selected, expected.reached);
    ASSERT_EQ(static_cast<std::size_t>(host.faults().list_add_items_seen), expected.appends);
    refusals_met += host.faults().inconsistent_answers;
    ASSERT_TRUE(host.problems().empty()) << ::testing::PrintToString(host.problems());
  }
  EXPECT_GT(refusals_met, 50);  // the fault was met in many rounds, not only set
}

}  // namespace
