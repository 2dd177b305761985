#ifndef SELECT_CONNECTED_FIND_SURFACE_ENTRY_H
#define SELECT_CONNECTED_FIND_SURFACE_ENTRY_H

#include <cstdint>

#include "select_connected/surface_entry.h"

// Finds a surface in a sorted table by bisection.
//
// Inputs:  table    entries sorted by sort_surface_table
//          count    number of entries; zero or less finds nothing and reads nothing
//          surface  the handle to look for
// Returns: the index of the entry holding surface, or -1 when there is none.
std::int32_t find_surface_entry(const SurfaceEntry* table, std::int32_t count, Surface surface);

#endif  // SELECT_CONNECTED_FIND_SURFACE_ENTRY_H
