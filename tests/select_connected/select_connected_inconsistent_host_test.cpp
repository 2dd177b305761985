// The command against a modeller whose answers disagree with each other. It must finish without
// touching memory it does not own, free everything it took, and select only surfaces that the
// seed objects own.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/checked_host_fixture.h"

namespace {

using standin::EventKind;
using Indices = std::vector<std::uint32_t>;

Surface made_up_handle() {
  return reinterpret_cast<Surface>(std::uintptr_t{0x40});
}

class SelectConnectedInconsistentHost : public testmodels::CheckedHostTest {
 protected:
  void SetUp() override {
    seeded_ =
        &host_.model().object(object_index(host_.add_object(standin::quad_grid("seeded", 3, 3))));
    other_ =
        &host_.model().object(object_index(host_.add_object(standin::quad_grid("other", 2, 2))));
    host_.selection().select_surface(0, 0);
  }
  std::size_t object_index(ModelObject object) const { return object->index; }
  std::vector<std::string> messages() const { return host_.events().texts(EventKind::kMessage); }
  // The fault each test sets up changed some answer of the modeller's: without it, the test would
  // check the consistent case again.
  void expect_fault_in_effect() {
    EXPECT_GT(host_.faults().inconsistent_answers, 0) << "the injected fault was never met";
  }

  VexoModelObject* seeded_ = nullptr;
  VexoModelObject* other_ = nullptr;
};

TEST_F(SelectConnectedInconsistentHost, EdgesNamingNullUnknownOrForeignSurfacesAreSkipped) {
  seeded_->inconsistencies.extra_edge_surfaces = {
      {0, nullptr}, {0, made_up_handle()}, {3, host_.model().surface(1, 2)}, {5, nullptr}};
  run();
  EXPECT_EQ(host_.selection().selected_surfaces(0).size(), 9u);
  EXPECT_TRUE(host_.selection().selected_surfaces(1).empty());
  EXPECT_EQ(messages(), std::vector<std::string>{"Selected 9 surfaces"});
  expect_fault_in_effect();
  expect_host_clean();  // also: no null or unknown handle reached the selection
}

TEST_F(SelectConnectedInconsistentHost, SeedsOutsideTheTableAreSkippedAndRepeatsCountOnce) {
  host_.faults().extra_whole_surfaces = {nullptr, made_up_handle(), host_.model().surface(0, 0),
                                         host_.model().surface(0, 0)};
  run();
  EXPECT_EQ(messages(), std::vector<std::string>{"Selected 9 surfaces"});
  EXPECT_EQ(host_.selection().last_selected_list().size(), 9u);
  expect_fault_in_effect();
  expect_host_clean();
}

TEST_F(SelectConnectedInconsistentHost, CountAboveTheSurfaceListLeavesNothingUnset) {
  seeded_->inconsistencies.reported_surface_count = 40;
  run();
  EXPECT_EQ(host_.selection().selected_surfaces(0).size(), 9u);
  EXPECT_EQ(messages(), std::vector<std::string>{"Selected 9 surfaces"});
  expect_fault_in_effect();
  expect_host_clean();
}

TEST_F(SelectConnectedInconsistentHost, CountBelowTheSurfaceListStillReachesEveryListedSurface) {
  // The table first made for the count is too small; the command moves to one that holds every
  // listed surface (and never writes past either).
  for (int count : {2, 0, -7}) {
    host_.events().clear();
    seeded_->inconsistencies.reported_surface_count = count;
    run();
    EXPECT_EQ(host_.selection().selected_surfaces(0).size(), 9u) << count;
    EXPECT_EQ(messages(), std::vector<std::string>{"Selected 9 surfaces"}) << count;
    expect_fault_in_effect();
    expect_host_clean();
  }
}

TEST_F(SelectConnectedInconsistentHost, SeedsWithoutAnOwnerTakeNoObjectIn) {
  seeded_->inconsistencies.disowned = true;
  run();
  EXPECT_EQ(messages(), std::vector<std::string>{"Selected 0 surfaces"});
  EXPECT_EQ(host_.selection().selected_surfaces(0), Indices{0});  // the selection is left as it was
  expect_fault_in_effect();
  expect_host_clean();
}

TEST_F(SelectConnectedInconsistentHost, AnEdgeNamingASurfaceOfAnotherSeedObjectIsFollowedThere) {
  // A third object of two pieces, seeded in the first: an edge of "seeded" also names the
  // second piece's quad. That quad is in the table (its object has a seed), so the walk follows
  // the edge as the modeller hands it over, and counts the quad once.
  standin::Mesh pieces = standin::quad_grid("pieces", 2, 1);
  standin::append_part(pieces, standin::quad_grid("apart", 1, 1), {10, 0, 0});
  host_.add_object(pieces);
  host_.selection().select_surface(2, 0);
  seeded_->inconsistencies.extra_edge_surfaces = {{0, host_.model().surface(2, 2)}};
  run();
  EXPECT_EQ(host_.selection().selected_surfaces(2), (Indices{0, 1, 2}));
  EXPECT_TRUE(host_.selection().selected_surfaces(1).empty());
  EXPECT_EQ(messages(), std::vector<std::string>{"Selected 12 surfaces"});
  expect_fault_in_effect();
  expect_host_clean();
}

TEST_F(SelectConnectedInconsistentHost, RefusedEdgeJoinsAreGivenBackAndTheSeedsStillSelected) {
  // The edges a refused join leaves out go back to the modeller, and the walk to the joined
  // list's end never starts from the null an empty list still is.
  host_.selection().select_surface(1, 0);
  struct Case {
    int joins_allowed;
    Indices seeded_selected;
  };
  for (const Case& c : {Case{0, Indices{0}}, Case{1, Indices{0, 1, 2, 3, 4, 5, 6, 7, 8}}}) {
    host_.selection().undo();  // back to the two seeds
    host_.events().clear();
    host_.faults().list_appends_left = c.joins_allowed;
    run();
    SCOPED_TRACE(c.joins_allowed);
    EXPECT_EQ(host_.selection().selected_surfaces(0), c.seeded_selected);
    EXPECT_EQ(host_.selection().selected_surfaces(1), Indices{0});
    expect_fault_in_effect();
    expect_host_clean();
  }
}

}  // namespace
