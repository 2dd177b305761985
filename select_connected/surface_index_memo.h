#ifndef SELECT_CONNECTED_SURFACE_INDEX_MEMO_H
#define SELECT_CONNECTED_SURFACE_INDEX_MEMO_H

#include <cstdint>

#include "select_connected/surface_entry.h"

// Where recently looked-up surfaces sit in the surface table, so that a surface asked for again
// soon is not searched for again. The flood meets each surface once from every neighbour and
// once more per time it was queued, all within a few fronts of the walk, so most lookups are
// repeats. A table's order never changes after sorting, so a remembered index stays right.
//
// A fixed direct-mapped array, kept as a local variable of one flood: no allocation. A newer
// surface simply takes the slot of an older one that hashes alike.
struct SurfaceIndexMemo {
  static constexpr int kSlotBits = 12;
  static constexpr std::uint32_t kSlots = std::uint32_t{1} << kSlotBits;
  std::uintptr_t keys[kSlots] = {};  // 0 (the null handle) marks an empty slot
  std::int32_t indices[kSlots] = {};
};

// Looks several surfaces up, from the memo where it knows them and by find_surface_entries for
// the rest, which it then remembers.
//
// Inputs:  memo          the flood's memo
//          table, count  the sorted surface table
//          surfaces      the handles to look up, none of them null
//          lookups       how many (0 to kMaxLookups)
// Output:  indices[i] is the index of the entry holding surfaces[i], or -1 when there is none.
void look_up_surfaces(SurfaceIndexMemo& memo, const SurfaceEntry* table, std::int32_t count,
                      const Surface* surfaces, int lookups, std::int32_t* indices);

#endif  // SELECT_CONNECTED_SURFACE_INDEX_MEMO_H
