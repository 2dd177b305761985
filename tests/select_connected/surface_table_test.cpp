#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "select_connected/surface_table.h"
#include "test_support/reference_models.h"
#include "test_support/small_stack.h"

namespace {

using namespace adjsurf;

Surface handle(std::uintptr_t value) {
  return reinterpret_cast<Surface>(value);
}

std::vector<SurfaceEntry> entries_of(const std::vector<std::uintptr_t>& keys) {
  std::vector<SurfaceEntry> entries(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) entries[i].surface = handle(keys[i]);
  return entries;
}

std::vector<std::uintptr_t> keys_of(const std::vector<SurfaceEntry>& entries) {
  std::vector<std::uintptr_t> keys;
  for (const SurfaceEntry& entry : entries) keys.push_back(surface_key(entry.surface));
  return keys;
}

// Handles that make the middle entry the smallest of every range the sort meets, so that each
// partition splits one entry off the left: the entry at the middle of [lo, count) gets the lo-th
// handle and the partition exchanges it with the entry at lo.
std::vector<std::uintptr_t> middle_pivot_smallest_first(std::uint32_t count) {
  std::vector<std::uint32_t> at(count);  // which entry each position holds as the sort goes
  for (std::uint32_t k = 0; k < count; ++k) at[k] = k;
  std::vector<std::uintptr_t> keys(count);
  for (std::uint32_t lo = 0; lo < count; ++lo) {
    const std::uint32_t middle = lo + (count - 1 - lo) / 2;
    keys[at[middle]] = 16 * (std::uintptr_t{lo} + 1);
    std::swap(at[middle], at[lo]);
  }
  return keys;
}

void sort_all(std::vector<SurfaceEntry>& entries) {
  sort_surface_table(entries.data(), 0, static_cast<std::int32_t>(entries.size()) - 1);
}

// Handles in a middle-pivot quicksort's worst-case order.
std::vector<std::uintptr_t> middle_pivot_worst_case(std::uint32_t count) {
  std::vector<std::uintptr_t> keys;
  for (std::uint32_t slot : reference::middle_pivot_worst_case_slots(count)) {
    keys.push_back(16 * (std::uintptr_t{slot} + 1));
  }
  return keys;
}

TEST(SurfaceTable, NewTableHoldsNullEntriesNeitherReachedNorQueued) {
  SurfaceEntry* table = create_surface_table(3);
  ASSERT_NE(table, nullptr);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(table[i].surface, nullptr);
    EXPECT_FALSE(table[i].marked);
    EXPECT_FALSE(table[i].queued);
  }
  release_surface_table(table);
  EXPECT_EQ(create_surface_table(-1), nullptr);
}

TEST(SurfaceTable, SortsAnyOrderAscendingAsUnsigned) {
  const std::uintptr_t top = ~(~std::uintptr_t{0} >> 1);  // only the top bit set
  const std::vector<std::vector<std::uintptr_t>> inputs = {
      {0x40},
      {0x10, 0x20, 0x30, 0x40, 0x50},
      {0x50, 0x40, 0x30, 0x20, 0x10},
      {top | 0x10, 0x20, top, 0x10, ~std::uintptr_t{0}, 0x30},
      {0x30, 0x10},
  };
  for (const auto& input : inputs) {
    std::vector<SurfaceEntry> entries = entries_of(input);
    sort_all(entries);
    std::vector<std::uintptr_t> expected = input;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(keys_of(entries), expected);
  }
}

TEST(SurfaceTable, SortMatchesStdSortOnRandomHandles) {
  std::mt19937_64 random(7);
  for (int round = 0; round < 50; ++round) {
    std::vector<std::uintptr_t> keys(1 + random() % 300);
    for (auto& key : keys) key = static_cast<std::uintptr_t>(random()) & ~std::uintptr_t{7};
    std::vector<SurfaceEntry> entries = entries_of(keys);
    sort_all(entries);
    std::sort(keys.begin(), keys.end());
    ASSERT_EQ(keys_of(entries), keys);
  }
}

TEST(SurfaceTable, BothFlagsTravelWithTheirSurfaces) {
  std::vector<SurfaceEntry> entries = entries_of({0x50, 0x10, 0x40, 0x20, 0x30});
  entries[0].marked = true;  // 0x50
  entries[3].marked = true;  // 0x20
  entries[0].queued = true;  // 0x50
  entries[2].queued = true;  // 0x40
  sort_all(entries);
  for (const SurfaceEntry& entry : entries) {
    const std::uintptr_t key = surface_key(entry.surface);
    EXPECT_EQ(entry.marked, key == 0x50 || key == 0x20) << key;
    EXPECT_EQ(entry.queued, key == 0x50 || key == 0x40) << key;
  }
}

TEST(SurfaceTable, FindsPresentHandlesAndRejectsAbsentOnes) {
  std::vector<SurfaceEntry> entries = entries_of({0x10, 0x20, 0x30, 0x40});
  const auto count = static_cast<std::int32_t>(entries.size());
  for (std::int32_t i = 0; i < count; ++i) {
    EXPECT_EQ(find_surface_entry(entries.data(), count, entries[i].surface), i);
  }
  EXPECT_EQ(find_surface_entry(entries.data(), count, handle(0x08)), -1);  // before the first
  EXPECT_EQ(find_surface_entry(entries.data(), count, handle(0x28)), -1);  // between two
  EXPECT_EQ(find_surface_entry(entries.data(), count, handle(0x48)), -1);  // after the last
  EXPECT_EQ(find_surface_entry(entries.data(), count, nullptr), -1);
}

TEST(SurfaceTable, SingleEntryTableSortsAndIsFound) {
  std::vector<SurfaceEntry> entries = entries_of({0x99});
  sort_all(entries);
  EXPECT_EQ(find_surface_entry(entries.data(), 1, handle(0x99)), 0);
}

TEST(SurfaceTable, EmptyTableIsNeitherReadNorWritten) {
  // A null table would crash on any access, so this shows that nothing is touched.
  sort_surface_table(nullptr, 0, -1);
  EXPECT_EQ(find_surface_entry(nullptr, 0, handle(0x10)), -1);
  EXPECT_EQ(find_surface_entry(nullptr, -5, handle(0x10)), -1);
  SurfaceEntry* table = create_surface_table(0);
  ASSERT_NE(table, nullptr);
  release_surface_table(table);
}

// A full batch of lookups against an empty, a one-entry and a two-entry table: each answer is
// right, and nothing is written past the batch's answers (under AddressSanitizer the arrays
// here are exactly one batch long, so a write past them is reported).
TEST(SurfaceTable, AFullBatchAgainstAnEmptyOrTinyTableAnswersEachLookupAndNoMore) {
  for (const std::vector<std::uintptr_t>& keys :
       {std::vector<std::uintptr_t>{}, {0x40}, {0x40, 0x80}}) {
    SCOPED_TRACE(keys.size());
    const std::vector<SurfaceEntry> entries = entries_of(keys);
    const auto count = static_cast<std::int32_t>(entries.size());
    Surface asked[kLookupBatch];
    std::int32_t expected[kLookupBatch];
    TableRange whole[kLookupBatch];
    for (int i = 0; i < kLookupBatch; ++i) {
      whole[i] = TableRange{0, count};
      asked[i] = handle(0x40 * static_cast<std::uintptr_t>(i % 4));  // null, present, absent
      expected[i] = -1;
      for (std::int32_t k = 0; k < count; ++k) {
        if (asked[i] != nullptr && entries[k].surface == asked[i]) expected[i] = k;
      }
    }
    std::int32_t found[kLookupBatch];
    find_surface_entries(entries.data(), whole, asked, kLookupBatch, found);
    for (int i = 0; i < kLookupBatch; ++i) {
      EXPECT_EQ(found[i], expected[i]) << "lookup " << i;
    }
  }
}

TEST(SurfaceTable, WorstCaseOrderSortsInASmallStack) {
  // Recursing into the larger part would need thousands of frames here; 256 KiB is far less.
  // One worst case splits one entry off the right of each range, the other off the left, so
  // that both of the sort's choices of where to recurse are tried.
  for (const auto& keys : {middle_pivot_worst_case(20000), middle_pivot_smallest_first(20000)}) {
    std::vector<SurfaceEntry> entries = entries_of(keys);
    ASSERT_TRUE(test_support::run_on_small_stack(256 * 1024, [&entries] { sort_all(entries); }));
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(),
                               [](const SurfaceEntry& a, const SurfaceEntry& b) {
                                 return surface_key(a.surface) < surface_key(b.surface);
                               }));
  }
}

// Orders that split every range badly under the middle pivot: a quadratic sort would take
// minutes on a million entries (measured: 229 s for the organ pipe), so a test that finishes
// shows the split budget at work. The heapsort that finishes such ranges must sort them too, move
// marks with their surfaces, and stay inside the range it is given.
TEST(SurfaceTable, OrdersThatDefeatTheMiddlePivotSortInTimeAndInPlace) {
  constexpr std::uint32_t kCount = 1000000;
  const std::vector<std::vector<std::uint32_t>> orders = {
      reference::organ_pipe_slots(kCount), reference::middle_pivot_worst_case_slots(kCount)};
  for (const std::vector<std::uint32_t>& slots : orders) {
    // Two sentinels outside the sorted range, which must not move.
    std::vector<SurfaceEntry> entries(kCount + 2);
    entries.front().surface = handle(16 * (std::uintptr_t{kCount} + 5));
    entries.back().surface = handle(8);
    for (std::uint32_t i = 0; i < kCount; ++i) {
      entries[i + 1].surface = handle(16 * (std::uintptr_t{slots[i]} + 1));
      entries[i + 1].marked = slots[i] % 3 == 0;
    }
    sort_surface_table(entries.data(), 1, static_cast<std::int32_t>(kCount));
    EXPECT_EQ(surface_key(entries.front().surface), 16 * (std::uintptr_t{kCount} + 5));
    EXPECT_EQ(surface_key(entries.back().surface), 8u);
    for (std::uint32_t k = 0; k < kCount; ++k) {
      const SurfaceEntry& entry = entries[k + 1];
      ASSERT_EQ(surface_key(entry.surface), 16 * (std::uintptr_t{k} + 1)) << "at " << k;
      ASSERT_EQ(entry.marked, k % 3 == 0) << "at " << k;
    }
  }
}

}  // namespace
