#include "select_connected/walked_edges.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "select_connected/address_hash.h"
#include "test_support/failing_allocations.h"

namespace {

using namespace adjsurf;

class WalkedEdgesTest : public ::testing::Test {
 protected:
  void SetUp() override { failing_allocations::reset(); }
  void TearDown() override {
    release_walked_edges(walked_);
    failing_allocations::reset();
  }
  WalkedEdges walked_;
  std::vector<Edge> edges_ = std::vector<Edge>(5000);
};

// A record at `address`, which the set only compares and hashes, never reads.
const Edge* edge_at(std::uintptr_t address) {
  return reinterpret_cast<const Edge*>(address);
}

// The mean number of slots a search for a remembered edge reads: one, plus how far linear
// probing moved the edge on from the slot it hashes to.
double mean_probes(const WalkedEdges& walked) {
  const Edge* const* slots = walked.heap_slots != nullptr ? walked.heap_slots : walked.inline_slots;
  const std::size_t capacity = std::size_t{1} << walked.slot_bits;
  std::size_t probes = 0;
  for (std::size_t slot = 0; slot < capacity; ++slot) {
    if (slots[slot] == nullptr) continue;
    const auto home = static_cast<std::size_t>(
        address_slot(reinterpret_cast<std::uintptr_t>(slots[slot]), walked.slot_bits));
    probes += 1 + ((slot - home) & (capacity - 1));
  }
  return static_cast<double>(probes) / static_cast<double>(walked.count);
}

// Remembered edges are found and others are not, through every growth of the set, with records
// laid out as a modeller lays them: evenly spaced, so that they hash alike unless spread.
TEST_F(WalkedEdgesTest, RemembersEachEdgeThroughEveryGrowthAndNoOther) {
  EXPECT_FALSE(walked_edges_contain(walked_, &edges_[0]));
  EXPECT_FALSE(walked_edges_contain(walked_, nullptr));
  for (std::size_t e = 0; e < edges_.size(); e += 2) remember_walked_edge(walked_, &edges_[e]);
  EXPECT_EQ(walked_.count, edges_.size() / 2);
  for (std::size_t e = 0; e < edges_.size(); ++e) {
    ASSERT_EQ(walked_edges_contain(walked_, &edges_[e]), e % 2 == 0) << "edge " << e;
  }
  EXPECT_FALSE(walked_edges_contain(walked_, nullptr));
}

// A model with a few crowded edges, a book above all, is served without asking for memory, so
// that even a modeller with none to spare keeps the walk linear on it.
TEST_F(WalkedEdgesTest, AFewEdgesTakeNoMemory) {
  failing_allocations::left = 0;
  for (std::size_t e = 0; e < 20; ++e) remember_walked_edge(walked_, &edges_[e]);
  for (std::size_t e = 0; e < 20; ++e) EXPECT_TRUE(walked_edges_contain(walked_, &edges_[e]));
  EXPECT_EQ(failing_allocations::asked, 0);
}

// Without memory for a larger table, the set forgets what it held and goes on in the table it
// has: the edge just remembered is always found, no edge never remembered ever is, and memory is
// asked for once, not again at every edge.
TEST_F(WalkedEdgesTest, RefusedMemoryForgetsOlderEdgesAndIsNotAskedForAgain) {
  for (int refused_from : {0, 1}) {
    SCOPED_TRACE(refused_from);
    failing_allocations::reset();
    failing_allocations::left = refused_from;
    for (std::size_t e = 0; e < edges_.size(); e += 2) {
      remember_walked_edge(walked_, &edges_[e]);
      ASSERT_TRUE(walked_edges_contain(walked_, &edges_[e])) << "edge " << e;
      ASSERT_FALSE(walked_edges_contain(walked_, &edges_[e + 1])) << "edge " << e + 1;
    }
    EXPECT_EQ(failing_allocations::asked, refused_from + 1);
    EXPECT_EQ(failing_allocations::refused, 1);
    release_walked_edges(walked_);
  }
}

// Records at any stride a modeller's arrays or allocator may give, 8 bytes to 64 KiB apart, keep
// searches short: a hash that let strides map onto a few clusters of slots would make every
// search walk a long run of them.
TEST_F(WalkedEdgesTest, SearchesStayShortAtEveryStrideOfRecords) {
  std::vector<std::uintptr_t> strides;
  for (std::uintptr_t stride = 8; stride <= 65536; stride *= 2) strides.push_back(stride);
  for (std::uintptr_t stride = 2448; stride <= 3672; stride += 8) strides.push_back(stride);
  for (std::uintptr_t stride : {24, 40, 48, 56, 72, 96, 136, 200, 1000, 4104, 12288, 40000}) {
    strides.push_back(stride);
  }
  for (std::uintptr_t stride : strides) {
    // 2^16 records, fewer where a 32-bit address space cannot hold them at this stride.
    const std::uintptr_t span = ~std::uintptr_t{0} / 2;
    const std::size_t records =
        static_cast<std::size_t>(std::min<std::uintptr_t>(65536, span / stride));
    for (std::size_t r = 0; r < records; ++r) {
      remember_walked_edge(walked_, edge_at(0x10000 + r * stride));
    }
    ASSERT_EQ(walked_.count, records);
    EXPECT_LT(mean_probes(walked_), 2.0) << "stride " << stride;
    release_walked_edges(walked_);
  }
}

}  // namespace
