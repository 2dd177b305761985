#ifndef SELECT_CONNECTED_SURFACE_INDEX_MEMO_H
#define SELECT_CONNECTED_SURFACE_INDEX_MEMO_H

#include <cstdint>

#include "select_connected/surface_entry.h"

// Where recently looked-up surfaces sit in the surface table, so that a surface asked for again
// soon is not searched for again. The flood meets each surface once from every neighbour and
// once more per time it was queued, all within a few fronts of the walk, so most lookups are
// repeats. A table's order never changes after sorting, so a remembered index stays right.
//
// A fixed direct-mapped array of 4096 slots (48 KiB on 64-bit systems): a newer surface simply
// takes the slot of an older one that hashes alike. It lives on the heap for one flood, not on
// the stack: the command runs on the modeller's own thread, whose stack is the modeller's.
struct SurfaceIndexMemo {
  static constexpr int kSlotBits = 12;
  static constexpr std::uint32_t kSlots = std::uint32_t{1} << kSlotBits;
  std::uintptr_t keys[kSlots];  // 0 (the null handle) marks an empty slot
  std::int32_t indices[kSlots];
};

// Allocates an empty memo from the C allocator. Returns null when the memory cannot be had; the
// lookups then simply go to the table every time.
SurfaceIndexMemo* create_surface_index_memo();

// Frees a memo made by create_surface_index_memo. Null is allowed.
void release_surface_index_memo(SurfaceIndexMemo* memo);

// Looks several surfaces up, from the memo where it knows them and by find_surface_entries for
// the rest, which it then remembers.
//
// Inputs:  memo          the flood's memo, or null to search the table for every surface
//          table, count  the sorted surface table
//          surfaces      the handles to look up
//          lookups       how many (0 to kMaxLookups)
// Output:  indices[i] is the index of the entry holding surfaces[i], or -1 when there is none
//          (always -1 for a null handle, which the memo never stores).
void look_up_surfaces(SurfaceIndexMemo* memo, const SurfaceEntry* table, std::int32_t count,
                      const Surface* surfaces, int lookups, std::int32_t* indices);

#endif  // SELECT_CONNECTED_SURFACE_INDEX_MEMO_H
