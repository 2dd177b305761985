#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/checked_host_fixture.h"

namespace {

using standin::EventKind;
using Indices = std::vector<std::uint32_t>;

class SelectConnectedRun : public testmodels::CheckedHostTest {
 protected:
  std::vector<std::string> messages() const { return host_.events().texts(EventKind::kMessage); }
};

TEST_F(SelectConnectedRun, IsolatedSurfaceStaysAloneAndStillRecordsAnUndoStep) {
  standin::Mesh mesh = standin::quad_grid("grid", 2, 1);
  const std::uint32_t base = mesh.add_vertex(10, 10, 0);
  for (int k = 1; k < 3; ++k) mesh.add_vertex(10 + k, 10 + k * k, 0);
  mesh.add_surface({base, base + 1, base + 2});
  host_.add_object(mesh);
  host_.selection().select_surface(0, 2);
  run();
  EXPECT_EQ(messages(), std::vector<std::string>{"Selected 1 surfaces"});
  EXPECT_EQ(host_.events().texts(EventKind::kUndoStep),
            std::vector<std::string>{"select connected surfaces"});
  EXPECT_EQ(host_.selection().selected_surfaces(0), Indices{2});
  expect_host_clean();
}

TEST_F(SelectConnectedRun, FinishesWithMessageUndoSelectionAndRefreshInOrder) {
  host_.add_object(standin::quad_grid("grid", 4, 4));
  host_.selection().select_surface(0, 5);
  run();
  EXPECT_EQ(
      calls_after("display_message"),
      (std::vector<std::string>{"add_undoable_change_selection", "vx_selection_select_surfacelist",
                                "list_free", "redraw_all", "display_status"}));
  EXPECT_EQ(messages(), std::vector<std::string>{"Selected 16 surfaces"});
  ASSERT_EQ(host_.selection().undo_steps().size(), 1u);
  // The undo step holds the selection from before the change.
  EXPECT_EQ(host_.selection().undo_steps()[0].selection.whole_surfaces[0][5], 1);
  EXPECT_EQ(std::count(host_.selection().undo_steps()[0].selection.whole_surfaces[0].begin(),
                       host_.selection().undo_steps()[0].selection.whole_surfaces[0].end(), 1),
            1);
  EXPECT_TRUE(host_.selection().undo());
  EXPECT_EQ(host_.selection().selected_surfaces(0), Indices{5});
  expect_host_clean();
}

TEST_F(SelectConnectedRun, PiecesWithoutACommonEdgeStayApart) {
  standin::Mesh mesh = standin::quad_grid("two pieces", 2, 2);
  standin::append_part(mesh, standin::quad_grid("", 3, 1), standin::Vec3{});
  host_.add_object(mesh);
  host_.selection().select_surface(0, 5);
  run();
  EXPECT_EQ(host_.selection().selected_surfaces(0), (Indices{4, 5, 6}));
  EXPECT_EQ(messages(), std::vector<std::string>{"Selected 3 surfaces"});
  expect_host_clean();
}

TEST_F(SelectConnectedRun, GrowsInsideEachSeedObjectOnly) {
  host_.add_object(standin::quad_grid("a", 3, 2));
  host_.add_object(standin::quad_grid("b", 2, 2));
  // Same positions as "a", so it touches it, but it has no seed and shares no edge record.
  host_.add_object(standin::quad_grid("c", 3, 2));
  host_.selection().select_surface(0, 0);
  host_.selection().select_surface(1, 3);
  run();
  EXPECT_EQ(host_.selection().selected_surfaces(0), (Indices{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(host_.selection().selected_surfaces(1), (Indices{0, 1, 2, 3}));
  EXPECT_TRUE(host_.selection().selected_surfaces(2).empty());
  EXPECT_EQ(messages(), std::vector<std::string>{"Selected 10 surfaces"});
  expect_host_clean();
}

TEST_F(SelectConnectedRun, SharedCornerIsNotASharedEdge) {
  host_.add_object(testmodels::corner_touching_triangles());
  host_.selection().select_surface(0, 0);
  run();
  EXPECT_EQ(host_.selection().selected_surfaces(0), Indices{0});
  host_.selection().clear();
  host_.selection().select_surface(0, 2);
  run();
  EXPECT_EQ(host_.selection().selected_surfaces(0), (Indices{1, 2}));
  expect_host_clean();
}

TEST_F(SelectConnectedRun, NonManifoldEdgeReachesEverySurfaceOnIt) {
  host_.add_object(testmodels::non_manifold_fan());
  host_.selection().select_surface(0, 0);
  run();
  EXPECT_EQ(host_.selection().selected_surfaces(0), (Indices{0, 1, 2, 3}));
  expect_host_clean();
}

TEST_F(SelectConnectedRun, SeveralSeedsInOnePieceAreCountedOnce) {
  host_.add_object(standin::quad_grid("grid", 3, 3));
  for (std::uint32_t s : {0u, 4u, 8u, 2u}) host_.selection().select_surface(0, s);
  run();
  EXPECT_EQ(messages(), std::vector<std::string>{"Selected 9 surfaces"});
  EXPECT_EQ(host_.selection().last_selected_list().size(), 9u);
  expect_host_clean();
}

TEST_F(SelectConnectedRun, HandsTheSelectionOverInDescendingHandleOrder) {
  // Records in a scrambled address order, so that handle order differs from file order.
  standin::Mesh mesh = standin::quad_grid("grid", 4, 3);
  std::vector<std::uint32_t> slots = {7, 2, 11, 0, 5, 9, 1, 10, 3, 8, 6, 4};
  host_.add_object(mesh, &slots);
  host_.selection().select_surface(0, 6);
  run();
  std::vector<Surface> listed = host_.selection().last_selected_list();
  ASSERT_EQ(listed.size(), 12u);
  EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end(), [](Surface a, Surface b) {
    return reinterpret_cast<std::uintptr_t>(a) > reinterpret_cast<std::uintptr_t>(b);
  }));
  expect_host_clean();
}

TEST_F(SelectConnectedRun, QueueAppendsStepOverAtMostOneNodeOnAverage) {
  host_.add_object(standin::quad_grid("grid", 30, 30));
  host_.selection().select_surface(0, 0);
  run();
  EXPECT_EQ(host_.selection().selected_surfaces(0).size(), 900u);
  ASSERT_GT(host_.statistics().appends(), 0u);
  // Each append finds the tail where it was left; walking from the cursor would need hundreds.
  EXPECT_LE(host_.statistics().append_hops(), host_.statistics().appends());
  expect_host_clean();
}

TEST_F(SelectConnectedRun, RunUndoRunAgainGivesTheSameSelection) {
  host_.add_object(standin::quad_grid("grid", 5, 2));
  host_.selection().select_surface(0, 1);
  run();
  const Indices first = host_.selection().selected_surfaces(0);
  ASSERT_TRUE(host_.selection().undo());
  EXPECT_EQ(host_.selection().selected_surfaces(0), Indices{1});
  run();
  EXPECT_EQ(host_.selection().selected_surfaces(0), first);
  ASSERT_TRUE(host_.selection().undo());
  ASSERT_TRUE(host_.selection().redo());
  EXPECT_EQ(host_.selection().selected_surfaces(0), first);
  expect_host_clean();
}

}  // namespace
