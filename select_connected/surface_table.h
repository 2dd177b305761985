// The surface table: every surface of the objects taking part in one command run, each with a
// "reached" mark, in one array sorted by handle value so that a surface is found by bisection.
//
// The table keeps no count of its own; the caller keeps it beside the array. It lives for one
// run: create_surface_table, fill, sort_surface_table, look up and mark, release_surface_table.
// Lookups come one at a time (find_surface_entry), a batch at a time (find_surface_entries), or
// a batch at a time through a memo of recent answers (look_up_surfaces).
//
// All the command's memory comes from the C allocator, asked in this order: the table for the
// objects' surface counts; a wider table, only when the objects list more surfaces than they
// count; the lookup memo; then, only when the walk meets a crowded edge, the set of walked edges
// (walked_edges.h), and larger sets as it fills. Only the first table is needed: without it the
// command reports "Not enough memory", without a wider one the surfaces listed beyond the counts
// are left out, and without the memo or the set the walk gives the same answer, more slowly.
#ifndef SELECT_CONNECTED_SURFACE_TABLE_H
#define SELECT_CONNECTED_SURFACE_TABLE_H

#include <cstdint>

#include "host/vexo_host_api.h"

namespace adjsurf {

// One entry of the surface table: a surface, whether the flood fill has reached it, and whether
// it stands in the walk's queue. Both flags only ever go from false to true. The second flag
// fits in the record's padding on 32-bit and 64-bit systems alike.
struct SurfaceEntry {
  Surface surface = nullptr;  // ordered as an unsigned integer of the handle's width
  bool marked = false;        // reached: the walk has taken the surface's edges
  bool queued = false;        // a seed, or appended to the queue: waiting there or reached
};

// The order of the table: handles compared as unsigned integers, so that handles with the top
// bit set sort after the others on every pointer width.
inline std::uintptr_t surface_key(Surface surface) {
  return reinterpret_cast<std::uintptr_t>(surface);
}

// Allocates a table of `count` entries, each (null handle, not marked).
//
// Inputs:  count  number of entries; zero gives a valid table that holds nothing
// Returns: the table, or null when count is negative or the memory cannot be had. Never throws.
SurfaceEntry* create_surface_table(std::int32_t count);

// Frees a table made by create_surface_table. Null is allowed.
void release_surface_table(SurfaceEntry* table);

// Sorts entries lo..hi (inclusive) into ascending unsigned handle order, in place. Whole entries
// move, so a mark travels with its surface.
//
// Inputs:  entries  the table
//          lo, hi   first and last index to sort; nothing happens when lo >= hi
// Output:  entries[lo..hi] sorted
//
// A quicksort with Hoare partitioning around the middle entry, recursing into the smaller part.
// A range still unsorted after 2 * log2(hi - lo + 1) splits is finished by heapsort, so that no
// order of handles makes the sort quadratic.
void sort_surface_table(SurfaceEntry* entries, std::int32_t lo, std::int32_t hi);

// The most surfaces find_surface_entries and look_up_surfaces look up in one call.
inline constexpr int kMaxLookups = 8;

// Finds several surfaces in a sorted table at once, by bisections run in lockstep.
//
// Inputs:  table     entries sorted by sort_surface_table
//          count     number of entries; zero or less finds nothing and reads nothing
//          surfaces  the handles to look for
//          lookups   how many (0 to kMaxLookups)
// Output:  indices[i] is the index of the entry holding surfaces[i], or -1 when there is none.
//
// Every bisection over the same table halves the same ranges, so one loop steps all of them
// together without branches on the data; their memory reads overlap instead of waiting on each
// other. Each step prefetches the entries the next step may read.
void find_surface_entries(const SurfaceEntry* table, std::int32_t count, const Surface* surfaces,
                          int lookups, std::int32_t* indices);

// Finds a surface in a sorted table by bisection: find_surface_entries for one surface.
//
// Inputs:  table    entries sorted by sort_surface_table
//          count    number of entries; zero or less finds nothing and reads nothing
//          surface  the handle to look for
// Returns: the index of the entry holding surface, or -1 when there is none.
inline std::int32_t find_surface_entry(const SurfaceEntry* table, std::int32_t count,
                                       Surface surface) {
  std::int32_t index = -1;
  find_surface_entries(table, count, &surface, 1, &index);
  return index;
}

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

}  // namespace adjsurf

#endif  // SELECT_CONNECTED_SURFACE_TABLE_H
