// How the walk works
// ------------------
// The walk is a breadth-first flood over the modeller's own list. The seed list is the queue: a
// cursor runs from its first node to its end, and every newly found neighbour is appended behind
// the last node, so all seeds come first and every surface found later is still ahead of the
// cursor when it is appended.
//
// For the surface under the cursor: look it up in the sorted table; if it is already marked, it
// was reached before and is skipped (a surface can be queued several times before it is
// processed). Otherwise mark it, ask the modeller for the edges it uses, and queue every surface
// on those edges that is not marked yet.
//
// Appending goes through list_add_item with a variable that holds the queue's last node. The
// modeller walks from the node it is given to the tail, so handing it the tail keeps each append
// at one step; handing it the cursor would cost the length of the unprocessed queue every time.
//
// Surfaces that the table does not hold (or null handles), which only an inconsistent model can
// produce, are skipped: the table is never indexed with -1 and such a surface is never queued.
#include "select_connected/flood_fill_surfaces.h"

#include "select_connected/find_surface_entry.h"

namespace {

List* last_node(List* node) {
  while (node->next != nullptr) node = node->next;
  return node;
}

// True when `surface` is in the table and not reached yet.
bool is_unreached(const SurfaceEntry* table, std::int32_t count, Surface surface) {
  if (surface == nullptr) return false;
  const std::int32_t index = find_surface_entry(table, count, surface);
  return index >= 0 && !table[index].marked;
}

// Queues the unreached surfaces that share one of `surface`'s edges.
void queue_neighbours(List* edges, Surface surface, const SurfaceEntry* table, std::int32_t count,
                      List** tail) {
  for (const List* edge_node = vx_edgelist_get_by_surface(edges, surface); edge_node != nullptr;
       edge_node = edge_node->next) {
    const Edge* edge = static_cast<const Edge*>(edge_node->item);
    if (edge == nullptr) continue;
    for (const List* node = edge->surfaces; node != nullptr; node = node->next) {
      Surface neighbour = static_cast<Surface>(node->item);
      // The surface in hand is marked already; no need to look it up again.
      if (neighbour == surface || !is_unreached(table, count, neighbour)) continue;
      list_add_item(tail, neighbour);
      *tail = last_node(*tail);
    }
  }
}

}  // namespace

void flood_fill_surfaces(List* seeds, List* edges, SurfaceEntry* table, std::int32_t count) {
  if (seeds == nullptr) return;
  List* tail = last_node(seeds);
  for (List* cursor = seeds; cursor != nullptr; cursor = cursor->next) {
    Surface surface = static_cast<Surface>(cursor->item);
    if (surface == nullptr) continue;
    const std::int32_t index = find_surface_entry(table, count, surface);
    if (index < 0 || table[index].marked) continue;
    table[index].marked = true;
    queue_neighbours(edges, surface, table, count, &tail);
  }
}
