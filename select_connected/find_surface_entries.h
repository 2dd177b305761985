#ifndef SELECT_CONNECTED_FIND_SURFACE_ENTRIES_H
#define SELECT_CONNECTED_FIND_SURFACE_ENTRIES_H

#include <cstdint>

#include "select_connected/surface_entry.h"

// The most surfaces find_surface_entries looks up in one call.
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

#endif  // SELECT_CONNECTED_FIND_SURFACE_ENTRIES_H
