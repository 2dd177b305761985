// Lists of indices as a person reads them.
#include "messages/index_ranges.h"

#include <gtest/gtest.h>

namespace {

TEST(IndexRanges, RunsAreJoinedAndNothingIsNone) {
  EXPECT_EQ(standin::format_index_ranges({}), "none");
  EXPECT_EQ(standin::format_index_ranges({7}), "7");
  EXPECT_EQ(standin::format_index_ranges({0, 1, 2, 3, 4, 5, 8, 10, 11}), "0-5, 8, 10-11");
}

}  // namespace
