// The surface table: every surface of the objects taking part in one command run, each with a
// mark for "reached" and a flag for "queued", in one array sorted by handle value so that a
// surface is found by bisection.
//
// The table keeps no count of its own; the caller keeps it beside the array. It lives for one
// run: create_surface_table, fill, sort_surface_table, look up and mark, release_surface_table.
// Lookups come one at a time over the whole table (find_surface_entry), or a batch at a time,
// each over its own range (find_surface_entries), which the table's index narrows to a few
// entries (surface_table_index.h).
//
// All the command's memory comes from the C allocator, asked in this order: the table for the
// objects' surface counts; a wider table, only when the objects list more surfaces than they
// count; the table's index; then, only when the walk has remembered more crowded edges than the
// set of walked edges holds in its own record, the set's larger tables (walked_edges.h). Only the
// first table is needed: without it the command reports "Not enough memory", without a wider one
// the surfaces listed beyond the counts are left out, and without the index or the set's larger
// tables the walk gives the same answer, more slowly.
#ifndef SELECT_CONNECTED_SURFACE_TABLE_H
#define SELECT_CONNECTED_SURFACE_TABLE_H

#include <cstdint>

#include "host/vexo_host_api.h"
#include "select_connected/speed_layers.h"

namespace adjsurf {

// One entry of the surface table: a surface, whether the flood fill has reached it, and whether
// it stands in the walk's queue. Both flags only ever go from false to true, `queued` first (a
// surface is queued before it is reached). The second flag fits in the record's padding on
// 32-bit and 64-bit systems alike.
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

// The part of the table one bisection searches: entries first .. first + length - 1.
struct TableRange {
  std::int32_t first;
  std::int32_t length;  // zero or less: nothing to search
};

// Finds several surfaces in a sorted table at once, each within its own range, by bisections run
// in lockstep.
//
// Inputs:  table     entries sorted by sort_surface_table
//          ranges    per surface, the part of the table that holds it if the table does
//          surfaces  the handles to look for
//          lookups   how many (0 to kLookupBatch)
// Output:  indices[i] is the index of the entry holding surfaces[i], or -1 when its range holds
//          none. An empty range reads nothing.
void find_surface_entries(const SurfaceEntry* table, const TableRange* ranges,
                          const Surface* surfaces, int lookups, std::int32_t* indices);

// Finds a surface in a sorted table by bisection of the whole table.
//
// Inputs:  table    entries sorted by sort_surface_table
//          count    number of entries; zero or less finds nothing and reads nothing
//          surface  the handle to look for
// Returns: the index of the entry holding surface, or -1 when there is none.
inline std::int32_t find_surface_entry(const SurfaceEntry* table, std::int32_t count,
                                       Surface surface) {
  const TableRange whole{0, count};
  std::int32_t index = -1;
  find_surface_entries(table, &whole, &surface, 1, &index);
  return index;
}

}  // namespace adjsurf

#endif  // SELECT_CONNECTED_SURFACE_TABLE_H
