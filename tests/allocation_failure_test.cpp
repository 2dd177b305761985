// The surface table is the command's only allocation. This program replaces the array allocation
// the table uses, so that a test can make it fail.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "tests/test_models.h"

namespace {
// How many more non-throwing array allocations succeed; negative: all of them.
int g_array_allocations_left = -1;
}  // namespace

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  if (g_array_allocations_left == 0) return nullptr;
  if (g_array_allocations_left > 0) --g_array_allocations_left;
  return std::malloc(size != 0 ? size : 1);
}

void operator delete[](void* memory) noexcept {
  std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  std::free(memory);
}

void* operator new[](std::size_t size) {
  void* memory = std::malloc(size != 0 ? size : 1);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

namespace {

using standin::EventKind;

class AllocationFailure : public testmodels::CheckedHostTest {
 protected:
  void TearDown() override { g_array_allocations_left = -1; }
};

TEST_F(AllocationFailure, ReportsNotEnoughMemoryAndChangesNothing) {
  host_.add_object(standin::quad_grid("a", 4, 4));
  host_.add_object(standin::quad_grid("b", 2, 2));
  host_.select_surface(0, 3);
  host_.select_surface(1, 0);
  g_array_allocations_left = 0;
  run();
  g_array_allocations_left = -1;
  EXPECT_EQ(host_.event_texts(EventKind::kDialog),
            std::vector<std::string>{"adjsurfaces : Not enough memory"});
  EXPECT_EQ(host_.calls().back(), "windows_message_dialog");
  EXPECT_TRUE(host_.undo_steps().empty());
  EXPECT_EQ(standin::selected_surfaces(host_, 0), std::vector<std::uint32_t>{3});
  EXPECT_EQ(standin::selected_surfaces(host_, 1), std::vector<std::uint32_t>{0});
  expect_host_clean();  // the seed and object lists were given back
}

TEST_F(AllocationFailure, ATotalTooLargeForTheTableIsReportedTheSameWay) {
  host_.add_object(standin::quad_grid("a", 2, 2));
  host_.add_object(standin::quad_grid("b", 2, 2));
  host_.object(0).inconsistencies.reported_surface_count = 2000000000;
  host_.object(1).inconsistencies.reported_surface_count = 2000000000;
  host_.select_surface(0, 0);
  host_.select_surface(1, 0);
  run();
  EXPECT_EQ(host_.event_texts(EventKind::kDialog),
            std::vector<std::string>{"adjsurfaces : Not enough memory"});
  EXPECT_TRUE(host_.undo_steps().empty());
  expect_host_clean();
}

TEST_F(AllocationFailure, WithoutRoomForSurfacesListedBeyondTheCountTheCountedOnesStillWork) {
  host_.add_object(standin::quad_grid("a", 3, 3));
  host_.object(0).inconsistencies.reported_surface_count = 2;
  host_.select_surface(0, 0);
  g_array_allocations_left = 1;  // the table for the count, not the wider one
  run();
  g_array_allocations_left = -1;
  EXPECT_EQ(host_.event_texts(EventKind::kMessage),
            std::vector<std::string>{"Selected 2 surfaces"});
  EXPECT_EQ(standin::selected_surfaces(host_, 0), (std::vector<std::uint32_t>{0, 1}));
  expect_host_clean();
}

}  // namespace
