#include "select_connected/surface_table.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <type_traits>

#include "select_connected/speed_layers.h"

namespace adjsurf {

static_assert(std::is_trivially_destructible_v<SurfaceEntry>,
              "the table is released without running destructors");

namespace {

struct Split {
  std::int32_t left_end;     // last index of the left part
  std::int32_t right_begin;  // first index of the right part
};

// Hoare partition around the middle entry's handle. Entries equal to the pivot stop both scans
// and are exchanged, which keeps the parts balanced when many keys are alike.
Split partition_around_middle(SurfaceEntry* entries, std::int32_t lo, std::int32_t hi) {
  // lo + (hi - lo) / 2 equals (lo + hi) / 2 for non-negative bounds and cannot overflow.
  const std::uintptr_t pivot = surface_key(entries[lo + (hi - lo) / 2].surface);
  std::int32_t i = lo;
  std::int32_t j = hi;
  do {
    while (surface_key(entries[i].surface) < pivot && i < hi) ++i;
    while (surface_key(entries[j].surface) > pivot && j > lo) --j;
    if (i <= j) {
      const SurfaceEntry exchanged = entries[i];
      entries[i] = entries[j];
      entries[j] = exchanged;
      ++i;
      --j;
    }
  } while (i <= j);
  return Split{j, i};
}

// Moves the entry at `root` down the max-heap entries[0..size) until neither child's handle is
// larger.
void sift_down(SurfaceEntry* entries, std::uint32_t root, std::uint32_t size) {
  const SurfaceEntry moving = entries[root];
  const std::uintptr_t key = surface_key(moving.surface);
  for (;;) {
    std::uint32_t child = 2 * root + 1;
    if (child >= size) break;
    if (child + 1 < size &&
        surface_key(entries[child + 1].surface) > surface_key(entries[child].surface)) {
      ++child;
    }
    if (surface_key(entries[child].surface) <= key) break;
    entries[root] = entries[child];
    root = child;
  }
  entries[root] = moving;
}

// Sorts entries[lo..hi] by heapsort: in place, without recursion, in n log n time whatever the
// order.
void heapsort_range(SurfaceEntry* entries, std::int32_t lo, std::int32_t hi) {
  SurfaceEntry* range = entries + lo;
  const auto size = static_cast<std::uint32_t>(hi - lo) + 1;
  for (std::uint32_t root = size / 2; root > 0; --root) sift_down(range, root - 1, size);
  for (std::uint32_t end = size - 1; end > 0; --end) {
    const SurfaceEntry largest = range[0];
    range[0] = range[end];
    range[end] = largest;
    sift_down(range, 0, end);
  }
}

int floor_log2(std::uint64_t value) {
  int log = 0;
  while (value > 1) {
    value /= 2;
    ++log;
  }
  return log;
}

// The quicksort proper: each split of a range spends one of `splits_left`; a range that still
// needs splitting when none is left is heapsorted.
void sort_within_split_budget(SurfaceEntry* entries, std::int32_t lo, std::int32_t hi,
                              int splits_left) {
  while (lo < hi) {
    if (splits_left == 0) {
      heapsort_range(entries, lo, hi);
      return;
    }
    --splits_left;
    const Split split = partition_around_middle(entries, lo, hi);
    const std::int64_t left_size = std::int64_t{split.left_end} - lo;
    const std::int64_t right_size = std::int64_t{hi} - split.right_begin;
    if (left_size < right_size) {
      sort_within_split_budget(entries, lo, split.left_end, splits_left);
      lo = split.right_begin;
    } else {
      sort_within_split_budget(entries, split.right_begin, hi, splits_left);
      hi = split.left_end;
    }
  }
}

}  // namespace

// The table comes from the C allocator, which reports failure by returning null. The C++ array
// allocator cannot be used even in its non-throwing form: the runtime implements that form by
// throwing and catching internally, and inside a modeller that has another copy of the unwinder
// loaded, the catch can be missed and the whole process terminated.
SurfaceEntry* create_surface_table(std::int32_t count) {
  if (count < 0) return nullptr;
  const auto entries = static_cast<std::size_t>(count);
  // On a 32-bit system a large count times the entry size would wrap around to a small size.
  if (entries > SIZE_MAX / sizeof(SurfaceEntry)) return nullptr;
  void* memory = std::malloc(entries != 0 ? entries * sizeof(SurfaceEntry) : 1);
  if (memory == nullptr) return nullptr;
  auto* table = static_cast<SurfaceEntry*>(memory);
  for (std::size_t index = 0; index < entries; ++index) new (&table[index]) SurfaceEntry;
  return table;
}

void release_surface_table(SurfaceEntry* table) {
  std::free(table);
}

// Hand-written rather than std::sort: the table is filled object by object, and each object's
// records lie in address order, so it arrives as long ascending runs. A quicksort around the
// middle entry splits such input evenly at once; std::sort's median of three degrades on it into
// its heapsort fallback, which made the command on 10,000 objects of 100 surfaces about 8% slower
// when measured. Recursing into the smaller part and looping on the larger keeps the stack depth
// within log2(count) frames whatever the order of handles. The split budget bounds the time: an
// order that defeats the middle pivot (two objects' records interleaved, one listed from each
// end, make one) is finished by heapsort instead of taking quadratic time. The handles are
// distinct, so either way the table ends in the same order.
void sort_surface_table(SurfaceEntry* entries, std::int32_t lo, std::int32_t hi) {
  if (lo >= hi) return;
  const std::int64_t size = std::int64_t{hi} - lo + 1;
  sort_within_split_budget(entries, lo, hi, 2 * floor_log2(static_cast<std::uint64_t>(size)));
}

// Each bisection settles on the last entry of its range whose handle is not above the one sought;
// with the unique handles of a surface table that is the entry holding it, when there is one.
// Every step halves every range still longer than one entry, so one loop steps all of them
// together without branches on the data, and their memory reads overlap instead of waiting on
// each other. An empty range is answered at once and reads nothing.
void find_surface_entries(const SurfaceEntry* table, const TableRange* ranges,
                          const Surface* surfaces, int lookups, std::int32_t* indices) {
  const SurfaceEntry* base[kLookupBatch] = {};
  std::int32_t remaining[kLookupBatch] = {};
  std::uintptr_t keys[kLookupBatch] = {};
  int asked_at[kLookupBatch] = {};
  int searching = 0;
  std::int32_t longest = 0;
  for (int i = 0; i < lookups; ++i) {
    indices[i] = -1;
    if (ranges[i].length <= 0) continue;
    base[searching] = table + ranges[i].first;
    remaining[searching] = ranges[i].length;
    keys[searching] = surface_key(surfaces[i]);
    asked_at[searching++] = i;
    if (ranges[i].length > longest) longest = ranges[i].length;
  }
  // A range of r entries keeps ceil(r / 2) after a step, so none outlasts the longest.
  for (; longest > 1; longest -= longest / 2) {
    for (int s = 0; s < searching; ++s) {
      const std::int32_t half = remaining[s] / 2;
      prefetch(base[s] + half / 2);
      prefetch(base[s] + half + half / 2);
      base[s] = surface_key(base[s][half].surface) <= keys[s] ? base[s] + half : base[s];
      remaining[s] -= half;
    }
  }
  for (int s = 0; s < searching; ++s) {
    if (surface_key(base[s]->surface) == keys[s]) {
      indices[asked_at[s]] = static_cast<std::int32_t>(base[s] - table);
    }
  }
}

}  // namespace adjsurf
