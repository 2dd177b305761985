#include "select_connected/walked_edges.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support/failing_allocations.h"

namespace {

using namespace adjsurf;

class WalkedEdgeSet : public ::testing::Test {
 protected:
  void SetUp() override { failing_allocations::reset(); }
  void TearDown() override {
    release_walked_edges(walked_);
    failing_allocations::reset();
  }
  WalkedEdges walked_;
  std::vector<Edge> edges_ = std::vector<Edge>(5000);
};

// Remembered edges are found and others are not, through every growth of the set, with records
// laid out as a modeller lays them: evenly spaced, so that they hash alike unless spread.
TEST_F(WalkedEdgeSet, RemembersEachEdgeThroughEveryGrowthAndNoOther) {
  EXPECT_FALSE(walked_edges_contain(walked_, &edges_[0]));
  EXPECT_FALSE(walked_edges_contain(walked_, nullptr));
  for (std::size_t e = 0; e < edges_.size(); e += 2) {
    ASSERT_TRUE(remember_walked_edge(walked_, &edges_[e]));
  }
  EXPECT_EQ(walked_.count, edges_.size() / 2);
  EXPECT_LE(2 * walked_.count, walked_.capacity);
  for (std::size_t e = 0; e < edges_.size(); ++e) {
    ASSERT_EQ(walked_edges_contain(walked_, &edges_[e]), e % 2 == 0) << "edge " << e;
  }
  EXPECT_FALSE(walked_edges_contain(walked_, nullptr));
}

// Without memory for the first or a larger table, the edge is not remembered and the set stays
// as it was: every edge remembered before is still found.
TEST_F(WalkedEdgeSet, RefusedMemoryLeavesTheSetAsItWas) {
  failing_allocations::left = 0;
  EXPECT_FALSE(remember_walked_edge(walked_, &edges_[0]));
  EXPECT_FALSE(walked_edges_contain(walked_, &edges_[0]));
  failing_allocations::left = -1;

  std::size_t remembered = 0;
  while (2 * (remembered + 1) <= walked_.capacity || walked_.capacity == 0) {
    ASSERT_TRUE(remember_walked_edge(walked_, &edges_[remembered++]));
  }
  const std::size_t full_capacity = walked_.capacity;
  failing_allocations::left = 0;
  EXPECT_FALSE(remember_walked_edge(walked_, &edges_[remembered]));
  failing_allocations::left = -1;
  EXPECT_EQ(walked_.capacity, full_capacity);
  EXPECT_EQ(walked_.count, remembered);
  EXPECT_FALSE(walked_edges_contain(walked_, &edges_[remembered]));
  for (std::size_t e = 0; e < remembered; ++e)
    EXPECT_TRUE(walked_edges_contain(walked_, &edges_[e]));
}

}  // namespace
