#ifndef SELECT_CONNECTED_FLOOD_FILL_SURFACES_H
#define SELECT_CONNECTED_FLOOD_FILL_SURFACES_H

#include <cstdint>

#include "host/vexo_host_api.h"
#include "select_connected/surface_table.h"
#include "select_connected/surface_table_index.h"

namespace adjsurf {

// Marks in the table every surface reachable from the seeds across shared edges.
//
// Inputs:  seeds  the seed list; it doubles as the work queue, so the nodes appended to it stay
//                 on it and are freed with it by the caller
//          edges  the joined edge list of the objects in the table (read only)
//          table, count  the sorted surface table
//          index  the table's index (index_surface_table), or an empty one
// Output:  `queued` set on every seed the table holds and on every entry appended to the queue,
//          and `marked` on every entry reached (all of those). Surfaces that are null or absent
//          from the table are skipped: neither marked nor queued.
void flood_fill_surfaces(List* seeds, List* edges, SurfaceEntry* table, std::int32_t count,
                         const SurfaceTableIndex& index);

// The last node of the modeller's list that starts at `node`, found by walking it: the flood's
// queue tail, and the command's place to join the next object's edges.
//
// Inputs:  node  a node of a list (not null)
// Returns: the node whose `next` is null.
inline List* last_list_node(List* node) {
  while (node->next != nullptr) node = node->next;
  return node;
}

}  // namespace adjsurf

#endif  // SELECT_CONNECTED_FLOOD_FILL_SURFACES_H
