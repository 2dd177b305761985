// The surface table: every surface of the objects taking part in one command run, each with a
// "reached" mark, in one array sorted by handle value so that a surface is found by bisection.
//
// The table keeps no count of its own; the caller keeps it beside the array. It lives for one
// run: create, fill, sort_surface_table, find_surface_entry / mark, release.
#ifndef SELECT_CONNECTED_SURFACE_TABLE_H
#define SELECT_CONNECTED_SURFACE_TABLE_H

#include <cstdint>

#include "host/vexo_host_api.h"
#include "select_connected/find_surface_entry.h"
#include "select_connected/sort_surface_table.h"
#include "select_connected/surface_entry.h"

// Allocates a table of `count` entries, each (null handle, not marked).
//
// Inputs:  count  number of entries; zero gives a valid table that holds nothing
// Returns: the table, or null when count is negative or the memory cannot be had. Never throws.
SurfaceEntry* create_surface_table(std::int32_t count);

// Frees a table made by create_surface_table. Null is allowed.
void release_surface_table(SurfaceEntry* table);

#endif  // SELECT_CONNECTED_SURFACE_TABLE_H
