#ifndef SELECT_CONNECTED_FILL_SURFACE_TABLE_H
#define SELECT_CONNECTED_FILL_SURFACE_TABLE_H

#include <cstdint>

#include "host/vexo_host_api.h"
#include "select_connected/surface_entry.h"

struct TableFill {
  std::int32_t filled;  // entries written, at most the table's capacity
  std::int64_t listed;  // surfaces the objects' lists hold, written or not
};

// Writes every surface of the listed objects into the table and joins their edges into one list.
//
// Inputs:  objects   list of ModelObject, walked in order (read only)
//          table     a fresh table of `capacity` entries
//          capacity  the entries the table has room for
// Outputs: table[0..filled-1] hold the objects' surfaces in list order; nothing is written past
//          `capacity`, however long the modeller's surface lists are
//          edges     receives every object's vx_object_get_edges list, joined in object order;
//                    the caller frees it with vx_edgelist_free
// Returns: how many entries were written, and how many surfaces were listed.
TableFill fill_surface_table(const List* objects, SurfaceEntry* table, std::int32_t capacity,
                             List** edges);

// Writes the listed objects' surfaces into a table again, without asking for edges: for a table
// made larger after fill_surface_table found more surfaces listed than counted.
//
// Returns: the number of entries written (at most capacity).
std::int32_t refill_surface_table(const List* objects, SurfaceEntry* table, std::int32_t capacity);

#endif  // SELECT_CONNECTED_FILL_SURFACE_TABLE_H
