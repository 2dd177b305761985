// The command's only allocations come from the C allocator, in the order surface_table.h states:
// the table, a wider one when needed, the table's index, and the larger tables of the set of
// walked crowded edges. This program can make them fail (test_support/failing_allocations.h).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "select_connected/surface_table.h"
#include "test_support/failing_allocations.h"
#include "tests/checked_host_fixture.h"

namespace {

using namespace adjsurf;

using standin::EventKind;

class SelectConnectedAllocation : public testmodels::CheckedHostTest {
 protected:
  void SetUp() override { failing_allocations::reset(); }
  void TearDown() override { failing_allocations::reset(); }
};

TEST_F(SelectConnectedAllocation, ReportsNotEnoughMemoryAndChangesNothing) {
  host_.add_object(standin::quad_grid("a", 4, 4));
  host_.add_object(standin::quad_grid("b", 2, 2));
  host_.selection().select_surface(0, 3);
  host_.selection().select_surface(1, 0);
  failing_allocations::left = 0;
  run();
  failing_allocations::left = -1;
  EXPECT_EQ(host_.events().texts(EventKind::kDialog),
            std::vector<std::string>{"adjsurfaces : Not enough memory"});
  EXPECT_EQ(host_.events().calls().back(), "windows_message_dialog");
  EXPECT_TRUE(host_.selection().undo_steps().empty());
  EXPECT_EQ(host_.selection().selected_surfaces(0), std::vector<std::uint32_t>{3});
  EXPECT_EQ(host_.selection().selected_surfaces(1), std::vector<std::uint32_t>{0});
  expect_host_clean();  // the seed and object lists were given back
}

TEST_F(SelectConnectedAllocation, ATotalTooLargeForTheTableIsReportedTheSameWay) {
  host_.add_object(standin::quad_grid("a", 2, 2));
  host_.add_object(standin::quad_grid("b", 2, 2));
  host_.model().object(0).inconsistencies.reported_surface_count = 2000000000;
  host_.model().object(1).inconsistencies.reported_surface_count = 2000000000;
  host_.selection().select_surface(0, 0);
  host_.selection().select_surface(1, 0);
  run();
  EXPECT_EQ(host_.events().texts(EventKind::kDialog),
            std::vector<std::string>{"adjsurfaces : Not enough memory"});
  EXPECT_TRUE(host_.selection().undo_steps().empty());
  expect_host_clean();
}

TEST_F(SelectConnectedAllocation,
       WithoutRoomForSurfacesListedBeyondTheCountTheCountedOnesStillWork) {
  host_.add_object(standin::quad_grid("a", 3, 3));
  host_.model().object(0).inconsistencies.reported_surface_count = 2;
  host_.selection().select_surface(0, 0);
  failing_allocations::left = 1;  // the table for the count, not the wider one (nor the index)
  run();
  failing_allocations::left = -1;
  EXPECT_EQ(host_.events().texts(EventKind::kMessage),
            std::vector<std::string>{"Selected 2 surfaces"});
  EXPECT_EQ(host_.selection().selected_surfaces(0), (std::vector<std::uint32_t>{0, 1}));
  expect_host_clean();
}

// A consistent model needs one table, sized by the objects' counts, however small the objects:
// with only that one allocation granted, objects of a single surface are still reached.
TEST_F(SelectConnectedAllocation, AConsistentModelIsServedByTheFirstTableAlone) {
  host_.add_object(standin::quad_grid("one", 1, 1));
  host_.add_object(standin::quad_grid("grid", 3, 2));
  host_.add_object(standin::quad_grid("another", 1, 1));
  host_.selection().select_surface(0, 0);
  host_.selection().select_surface(1, 4);
  host_.selection().select_surface(2, 0);
  failing_allocations::left = 1;  // the table, and nothing after it
  run();
  failing_allocations::left = -1;
  EXPECT_EQ(failing_allocations::refused, 1);  // the index
  EXPECT_EQ(host_.events().texts(EventKind::kMessage),
            std::vector<std::string>{"Selected 8 surfaces"});
  EXPECT_EQ(host_.selection().selected_surfaces(0), std::vector<std::uint32_t>{0});
  EXPECT_EQ(host_.selection().selected_surfaces(2), std::vector<std::uint32_t>{0});
  EXPECT_EQ(failing_allocations::asked, 2);  // the table and the index: no wider table
  expect_host_clean();
}

TEST_F(SelectConnectedAllocation, WithoutTheTableIndexTheSelectionIsTheSame) {
  host_.add_object(standin::quad_grid("a", 5, 4));
  host_.add_object(standin::quad_grid("b", 3, 1));
  host_.selection().select_surface(0, 7);
  failing_allocations::left = 1;  // the table, then no index
  run();
  failing_allocations::left = -1;
  EXPECT_EQ(failing_allocations::refused, 1);
  EXPECT_EQ(host_.events().texts(EventKind::kMessage),
            std::vector<std::string>{"Selected 20 surfaces"});
  EXPECT_EQ(host_.selection().selected_surfaces(1), std::vector<std::uint32_t>{});
  expect_host_clean();
}

// Without memory for a larger set of walked crowded edges (here 81 of them: the spokes and rim
// of 40-triangle fans stacked 5 times), the walk forgets the ones it holds and reads them again
// from their later users: slower, with the same selection and the same appends. Memory for the
// set is asked for once, not again at every crowded edge.
TEST_F(SelectConnectedAllocation, WithoutMemoryForWalkedEdgesTheSelectionAndAppendsAreTheSame) {
  host_.add_object(standin::book("book", 40));
  host_.add_object(standin::stacked_fans("fans", 40, 5));
  host_.selection().select_surface(0, 7);
  host_.selection().select_surface(1, 0);
  for (int granted : {1, 2}) {  // the table; then the table and the index
    SCOPED_TRACE(granted);
    failing_allocations::reset();
    failing_allocations::left = granted;
    host_.statistics().reset();
    run();
    failing_allocations::left = -1;
    EXPECT_EQ(failing_allocations::refused, 3 - granted);  // the index, then the set's table
    EXPECT_EQ(failing_allocations::asked, 3);
    EXPECT_EQ(host_.events().texts(EventKind::kMessage).back(), "Selected 240 surfaces");
    EXPECT_EQ(host_.statistics().appends(), 238u);
    ASSERT_TRUE(host_.selection().undo());
  }
  expect_host_clean();
}

// The largest count a table can have, 2^31 - 1 surfaces, is asked of the allocator where its
// size fits the address space (a machine with the memory gets its table); one more is refused
// without asking.
TEST_F(SelectConnectedAllocation, TheLargestCountIsAskedForAndOneMoreIsNot) {
  host_.add_object(standin::quad_grid("a", 2, 2));
  host_.add_object(standin::quad_grid("b", 1, 1));
  host_.selection().select_surface(0, 0);
  host_.selection().select_surface(1, 0);
  host_.model().object(0).inconsistencies.reported_surface_count = 2147483646;
  failing_allocations::largest = std::size_t{1} << 20;  // as on a machine without the memory
  run();
  // (A 32-bit system cannot even say how large that table is: it is refused there unasked.)
  const bool size_fits = std::uint64_t{2147483647} * sizeof(SurfaceEntry) <= SIZE_MAX;
  EXPECT_EQ(failing_allocations::asked, size_fits ? 1 : 0);
  EXPECT_EQ(host_.events().texts(EventKind::kDialog),
            std::vector<std::string>{"adjsurfaces : Not enough memory"});

  failing_allocations::reset();
  failing_allocations::largest = std::size_t{1} << 20;
  host_.model().object(0).inconsistencies.reported_surface_count = 2147483647;
  run();
  EXPECT_EQ(failing_allocations::asked, 0);
  expect_host_clean();
}

TEST_F(SelectConnectedAllocation, ATableWhoseSizeWouldWrapAroundIsRefusedWithoutAllocating) {
  // On a 32-bit system 2^29 entries of 8 bytes make 2^32 bytes, which wraps to 0 in size_t.
  const std::int32_t count = std::int32_t{1} << 29;
  if (static_cast<std::uint64_t>(count) * sizeof(SurfaceEntry) <= SIZE_MAX) {
    GTEST_SKIP() << "the size of 2^29 entries fits this system's size_t";
  }
  EXPECT_EQ(create_surface_table(count), nullptr);
  EXPECT_EQ(failing_allocations::asked, 0);
}

}  // namespace
