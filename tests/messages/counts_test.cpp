// Counts in messages, as a person reads them.
#include "messages/counts.h"

#include <gtest/gtest.h>

namespace {

TEST(Counts, DigitsAreGroupedAndTheNounAgreesWithTheCount) {
  EXPECT_EQ(standin::grouped_digits(0), "0");
  EXPECT_EQ(standin::grouped_digits(999), "999");
  EXPECT_EQ(standin::grouped_digits(1000), "1,000");
  EXPECT_EQ(standin::grouped_digits(1234567890), "1,234,567,890");
  EXPECT_EQ(standin::counted(1, "step", "steps"), "1 step");
  EXPECT_EQ(standin::counted(0, "step", "steps"), "0 steps");
  EXPECT_EQ(standin::counted(2000, "vertex", "vertices"), "2,000 vertices");
}

}  // namespace
