#ifndef SELECT_CONNECTED_SORT_SURFACE_TABLE_H
#define SELECT_CONNECTED_SORT_SURFACE_TABLE_H

#include <cstdint>

#include "select_connected/surface_entry.h"

// Sorts entries lo..hi (inclusive) into ascending unsigned handle order, in place. Whole entries
// move, so a mark travels with its surface.
//
// Inputs:  entries  the table
//          lo, hi   first and last index to sort; nothing happens when lo >= hi
// Output:  entries[lo..hi] sorted
//
// A quicksort with Hoare partitioning around the middle entry. It recurses into the smaller part
// and loops on the larger, so the stack depth stays logarithmic whatever the order of handles.
void sort_surface_table(SurfaceEntry* entries, std::int32_t lo, std::int32_t hi);

#endif  // SELECT_CONNECTED_SORT_SURFACE_TABLE_H
