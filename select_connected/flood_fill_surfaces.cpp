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
// on those edges that is not marked yet, in the order the edges list them. The surfaces on the
// edges are looked up a batch at a time, so that their bisections overlap in memory.
//
// Appending goes through list_add_item with a variable that holds the queue's last node. The
// modeller walks from the node it is given to the tail, so handing it the tail keeps each append
// at one step; handing it the cursor would cost the length of the unprocessed queue every time.
//
// Surfaces that the table does not hold (or null handles), which only an inconsistent model can
// produce, are skipped: the table is never indexed with -1 and such a surface is never queued.
#include "select_connected/flood_fill_surfaces.h"

#include "select_connected/find_surface_entries.h"
#include "select_connected/find_surface_entry.h"

namespace {

List* last_node(List* node) {
  while (node->next != nullptr) node = node->next;
  return node;
}

// Surfaces met on the edges of the surface in hand, waiting to be looked up together.
struct NeighbourBatch {
  Surface surfaces[kMaxLookups];
  int count = 0;
};

// Looks the batch up and queues, in the order met, each surface that is in the table and not
// reached yet. Marks do not change while a batch is handled, so looking the surfaces up together
// decides exactly as looking each up in turn would.
void queue_unreached(NeighbourBatch& batch, const SurfaceEntry* table, std::int32_t count,
                     List** tail) {
  std::int32_t indices[kMaxLookups];
  find_surface_entries(table, count, batch.surfaces, batch.count, indices);
  for (int i = 0; i < batch.count; ++i) {
    if (indices[i] < 0 || table[indices[i]].marked) continue;
    list_add_item(tail, batch.surfaces[i]);
    *tail = last_node(*tail);
  }
  batch.count = 0;
}

// Batches the surfaces on a group of edges, skipping `surface` itself. Every edge record is
// prefetched before any is read, and every surface list before any is walked, so that the reads
// from the modeller's memory overlap instead of waiting on each other.
void gather_from_edges(const Edge* const* edges, int edge_count, Surface surface,
                       NeighbourBatch& batch, const SurfaceEntry* table, std::int32_t count,
                       List** tail) {
  const List* first_users[kMaxLookups];
  for (int e = 0; e < edge_count; ++e) {
    first_users[e] = edges[e]->surfaces;
    __builtin_prefetch(first_users[e]);
  }
  for (int e = 0; e < edge_count; ++e) {
    for (const List* node = first_users[e]; node != nullptr; node = node->next) {
      Surface neighbour = static_cast<Surface>(node->item);
      // The surface in hand is marked already; no need to look it up again.
      if (neighbour == nullptr || neighbour == surface) continue;
      batch.surfaces[batch.count++] = neighbour;
      if (batch.count == kMaxLookups) queue_unreached(batch, table, count, tail);
    }
  }
}

// Queues the unreached surfaces that share one of `surface`'s edges, in the order the edges and
// their surface lists give them.
void queue_neighbours(List* edges, Surface surface, const SurfaceEntry* table, std::int32_t count,
                      List** tail) {
  NeighbourBatch batch;
  const Edge* group[kMaxLookups];
  int grouped = 0;
  for (const List* edge_node = vx_edgelist_get_by_surface(edges, surface); edge_node != nullptr;
       edge_node = edge_node->next) {
    const Edge* edge = static_cast<const Edge*>(edge_node->item);
    if (edge == nullptr) continue;
    __builtin_prefetch(&edge->surfaces);
    group[grouped++] = edge;
    if (grouped == kMaxLookups) {
      gather_from_edges(group, grouped, surface, batch, table, count, tail);
      grouped = 0;
    }
  }
  gather_from_edges(group, grouped, surface, batch, table, count, tail);
  queue_unreached(batch, table, count, tail);
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
