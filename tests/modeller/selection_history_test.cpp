// The stand-in modeller's selection and its undo and redo steps.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "modeller/selection_history.h"

namespace {

using Flags = std::vector<std::vector<std::uint8_t>>;

// An object added after steps were recorded is in every selection undo or redo gives back, with
// nothing of it selected; what the steps held for the older objects is unchanged.
TEST(SelectionHistory, ObjectsAddedLaterAreInEveryStepUndoAndRedoGiveBack) {
  standin::SelectionHistory history;
  history.add_object(2, 3);
  history.record_undo_step("first");
  history.select_surface(0, 1);
  history.record_undo_step("second");
  history.select_surface(0, 0);
  ASSERT_TRUE(history.undo());  // "second" waits to be redone
  history.add_object(1, 4);
  history.select_surface(1, 0);

  ASSERT_TRUE(history.undo());
  EXPECT_EQ(history.current().whole_surfaces, (Flags{{0, 0}, {0}}));
  EXPECT_EQ(history.current().vertices, (Flags{{0, 0, 0}, {0, 0, 0, 0}}));
  ASSERT_TRUE(history.redo());
  EXPECT_EQ(history.current().whole_surfaces, (Flags{{0, 1}, {1}}));
  ASSERT_TRUE(history.redo());
  EXPECT_EQ(history.current().whole_surfaces, (Flags{{1, 1}, {0}}));
  EXPECT_EQ(history.current().vertices.size(), 2u);
  EXPECT_FALSE(history.redo());
}

}  // namespace
