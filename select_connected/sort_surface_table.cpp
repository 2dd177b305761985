#include "select_connected/sort_surface_table.h"

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

}  // namespace

void sort_surface_table(SurfaceEntry* entries, std::int32_t lo, std::int32_t hi) {
  while (lo < hi) {
    const Split split = partition_around_middle(entries, lo, hi);
    const std::int64_t left_size = std::int64_t{split.left_end} - lo;
    const std::int64_t right_size = std::int64_t{hi} - split.right_begin;
    if (left_size < right_size) {
      sort_surface_table(entries, lo, split.left_end);
      lo = split.right_begin;
    } else {
      sort_surface_table(entries, split.right_begin, hi);
      hi = split.left_end;
    }
  }
}
