// The table's index narrows each bisection to the entries whose handles share their high bits.
// Whatever the spread of the handles, every entry must still be found at its place in the sorted
// table, and every handle the table lacks must still be answered -1.
#include "select_connected/surface_table_index.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "test_support/failing_allocations.h"

namespace {

using namespace adjsurf;

constexpr std::uintptr_t kTop = ~std::uintptr_t{0};

Surface handle(std::uintptr_t value) {
  return reinterpret_cast<Surface>(value);
}

// A sorted table of the given distinct handles.
std::vector<SurfaceEntry> sorted_table(std::vector<std::uintptr_t> keys) {
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  std::vector<SurfaceEntry> table(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) table[i].surface = handle(keys[i]);
  return table;
}

// Handle sets a modeller may give: records in one array, records far apart, a few objects'
// arrays in distant places, and handles anywhere in the address space.
struct HandleSet {
  std::string name;
  std::vector<std::uintptr_t> keys;
};

std::vector<HandleSet> handle_sets() {
  std::mt19937_64 random(11);
  std::vector<HandleSet> sets;
  HandleSet dense{"dense: 16-byte records in one array", {}};
  for (std::uintptr_t i = 0; i < 5000; ++i) dense.keys.push_back(0x100000 + 16 * i);
  HandleSet sparse{"sparse: one record in every 4 KiB", {}};
  for (std::uintptr_t i = 0; i < 3000; ++i) sparse.keys.push_back(0x200000 + 4096 * i);
  HandleSet clustered{"clustered: three arrays far apart, one of a single record", {}};
  for (std::uintptr_t i = 0; i < 2000; ++i) clustered.keys.push_back(0x10000 + 24 * i);
  for (std::uintptr_t i = 0; i < 1500; ++i) clustered.keys.push_back((kTop >> 3) + 40 * i);
  clustered.keys.push_back((kTop >> 1) + 8);
  HandleSet spread{"spread over the whole address space, top bit included", {}};
  for (int i = 0; i < 4000; ++i) {
    spread.keys.push_back(static_cast<std::uintptr_t>(random()) & ~std::uintptr_t{7});
  }
  spread.keys.push_back(8);
  spread.keys.push_back(kTop & ~std::uintptr_t{7});
  HandleSet extremes{"the lowest and the highest handles alone", {1, kTop}};
  // A span of exactly 16 times the count: shifted by 4 it makes one bucket more than entries.
  HandleSet power{"a span of a power of two times the count", {0x1000, 0x1010, 0x1020, 0x1040}};
  HandleSet one{"a single handle", {0x1234560}};
  return {dense, sparse, clustered, spread, extremes, one, power};
}

// Handles the table lacks: before its first, after its last, between every two, in the middle of
// its span, and the extremes of the address space.
std::vector<std::uintptr_t> absent_keys(const std::vector<SurfaceEntry>& table) {
  std::vector<std::uintptr_t> absent = {0, 1, kTop, kTop - 1, kTop / 2, kTop / 2 + 1};
  for (std::size_t i = 0; i + 1 < table.size(); ++i) {
    const std::uintptr_t low = surface_key(table[i].surface);
    const std::uintptr_t high = surface_key(table[i + 1].surface);
    if (high - low > 1) absent.push_back(low + (high - low) / 2);
    if (i % 7 == 0) absent.push_back(low + 1);
  }
  const std::uintptr_t first = surface_key(table.front().surface);
  const std::uintptr_t last = surface_key(table.back().surface);
  if (first > 0) absent.push_back(first - 1);
  if (last < kTop) absent.push_back(last + 1);
  absent.push_back(first + (last - first) / 3);
  std::vector<std::uintptr_t> lacking;
  for (std::uintptr_t key : absent) {
    const bool held = std::any_of(table.begin(), table.end(), [key](const SurfaceEntry& entry) {
      return surface_key(entry.surface) == key;
    });
    if (!held) lacking.push_back(key);
  }
  return lacking;
}

// Looks every key up through the index, a batch at a time, and checks the answers.
void expect_found_at(const std::vector<SurfaceEntry>& table, const SurfaceTableIndex& index,
                     const std::vector<std::uintptr_t>& keys,
                     const std::vector<std::int32_t>& expected) {
  const auto count = static_cast<std::int32_t>(table.size());
  for (std::size_t at = 0; at < keys.size(); at += kLookupBatch) {
    const int lookups = static_cast<int>(std::min<std::size_t>(kLookupBatch, keys.size() - at));
    Surface asked[kLookupBatch];
    for (int i = 0; i < lookups; ++i) asked[i] = handle(keys[at + i]);
    std::int32_t found[kLookupBatch];
    find_indexed_surface_entries(table.data(), count, index, asked, lookups, found);
    for (int i = 0; i < lookups; ++i) {
      ASSERT_EQ(found[i], expected[at + i]) << "handle " << std::hex << keys[at + i];
    }
  }
}

void expect_every_answer_right(const std::vector<SurfaceEntry>& table,
                               const SurfaceTableIndex& index) {
  std::vector<std::uintptr_t> keys;
  std::vector<std::int32_t> expected;
  for (std::size_t i = 0; i < table.size(); ++i) {
    keys.push_back(surface_key(table[i].surface));
    expected.push_back(static_cast<std::int32_t>(i));
  }
  for (std::uintptr_t key : absent_keys(table)) {
    keys.push_back(key);
    expected.push_back(-1);
  }
  // In a shuffled order too, so that each batch mixes short and long ranges.
  expect_found_at(table, index, keys, expected);
  std::mt19937 random(3);
  std::vector<std::size_t> order(keys.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::shuffle(order.begin(), order.end(), random);
  std::vector<std::uintptr_t> shuffled_keys;
  std::vector<std::int32_t> shuffled_expected;
  for (std::size_t i : order) {
    shuffled_keys.push_back(keys[i]);
    shuffled_expected.push_back(expected[i]);
  }
  expect_found_at(table, index, shuffled_keys, shuffled_expected);
}

class SurfaceTableIndexTest : public ::testing::Test {
 protected:
  void SetUp() override { failing_allocations::reset(); }
  void TearDown() override { failing_allocations::reset(); }
};

TEST_F(SurfaceTableIndexTest, FindsEveryEntryAndNoAbsentHandleWhateverTheSpread) {
  for (const HandleSet& set : handle_sets()) {
    SCOPED_TRACE(set.name);
    const std::vector<SurfaceEntry> table = sorted_table(set.keys);
    const auto count = static_cast<std::int32_t>(table.size());
    SurfaceTableIndex index = index_surface_table(table.data(), count);
    ASSERT_NE(index.bucket_starts, nullptr);
    EXPECT_EQ(failing_allocations::asked, 1);
    expect_every_answer_right(table, index);
    release_surface_table_index(index);
    EXPECT_EQ(index.bucket_starts, nullptr);
    failing_allocations::reset();
  }
}

// Evenly spread handles put about one entry in a bucket, so that a lookup reads a bucket's bounds
// and one or two entries; and no spread makes the index larger than one bucket per entry.
TEST_F(SurfaceTableIndexTest, EvenlySpreadHandlesGetAboutOneEntryABucketAndNoSpreadMore) {
  for (const HandleSet& set : handle_sets()) {
    SCOPED_TRACE(set.name);
    const std::vector<SurfaceEntry> table = sorted_table(set.keys);
    const auto count = static_cast<std::int32_t>(table.size());
    failing_allocations::largest = most_surface_table_index_bytes(count);
    SurfaceTableIndex index = index_surface_table(table.data(), count);
    ASSERT_NE(index.bucket_starts, nullptr) << "the index asked for more than its most";
    if (set.name.rfind("dense", 0) == 0 || set.name.rfind("sparse", 0) == 0) {
      std::int32_t widest = 0;
      for (const SurfaceEntry& entry : table) {
        widest = std::max(widest, range_holding(index, count, entry.surface).length);
      }
      EXPECT_LE(widest, 2);
    }
    release_surface_table_index(index);
    failing_allocations::reset();
  }
}

// Without the memory for an index, lookups bisect the whole table, with the same answers.
TEST_F(SurfaceTableIndexTest, WithoutMemoryEveryLookupBisectsTheWholeTable) {
  for (const HandleSet& set : handle_sets()) {
    SCOPED_TRACE(set.name);
    const std::vector<SurfaceEntry> table = sorted_table(set.keys);
    failing_allocations::left = 0;
    SurfaceTableIndex index =
        index_surface_table(table.data(), static_cast<std::int32_t>(table.size()));
    failing_allocations::left = -1;
    EXPECT_EQ(index.bucket_starts, nullptr);
    EXPECT_EQ(failing_allocations::refused, 1);
    expect_every_answer_right(table, index);
    failing_allocations::reset();
  }
}

TEST_F(SurfaceTableIndexTest, AnEmptyTableGetsNoIndexAndFindsNothing) {
  SurfaceTableIndex index = index_surface_table(nullptr, 0);
  EXPECT_EQ(index.bucket_starts, nullptr);
  EXPECT_EQ(failing_allocations::asked, 0);
  Surface asked = handle(0x40);
  std::int32_t found = 0;
  find_indexed_surface_entries(nullptr, 0, index, &asked, 1, &found);
  EXPECT_EQ(found, -1);
}

}  // namespace
