#ifndef SELECT_CONNECTED_FILL_SURFACE_TABLE_H
#define SELECT_CONNECTED_FILL_SURFACE_TABLE_H

#include <cstdint>

#include "host/vexo_host_api.h"
#include "select_connected/surface_entry.h"

// Writes every surface of the listed objects into the table and joins their edges into one list.
//
// Inputs:  objects   list of ModelObject, walked in order (read only)
//          table     a fresh table of `capacity` entries
//          capacity  the entries the table has room for
// Outputs: table[0..filled-1] hold the objects' surfaces in list order; nothing is written past
//          `capacity`, however long the modeller's surface lists are
//          edges     receives every object's vx_object_get_edges list, appended in object order;
//                    the caller frees it with vx_edgelist_free
// Returns: filled, the number of entries written (at most capacity).
std::int32_t fill_surface_table(const List* objects, SurfaceEntry* table, std::int32_t capacity,
                                List** edges);

#endif  // SELECT_CONNECTED_FILL_SURFACE_TABLE_H
