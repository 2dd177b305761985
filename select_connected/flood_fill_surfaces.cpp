// How the walk works
// ------------------
// The walk is a breadth-first flood over the modeller's own list. The seed list is the queue: a
// cursor runs from its first node to its end, and every newly found neighbour is appended behind
// the last node, so all seeds come first and every surface found later is still ahead of the
// cursor when it is appended.
//
// For each surface under the cursor (looked up a few queue nodes at a time, as the lookups of
// consecutive nodes do not depend on each other): look it up in the sorted table; if it is already
// marked, it was reached before and is skipped (a surface can be queued several times before it is
// processed). Otherwise mark it, ask the modeller for the edges it uses, and queue every surface
// on those edges that is not marked yet, in the order the edges list them. The surfaces on the
// edges are looked up a batch at a time, so that their bisections overlap in memory. Recent
// answers are kept in a small memo on the heap, not the stack: the walk runs on the modeller's
// thread, and its stack is the modeller's to spend. Without the memo the answers are the same.
//
// Appending goes through list_add_item with a variable that holds the queue's last node. The
// modeller walks from the node it is given to the tail, so handing it the tail keeps each append
// at one step; handing it the cursor would cost the length of the unprocessed queue every time.
//
// Surfaces that the table does not hold (or null handles), which only an inconsistent model can
// produce, are skipped: the table is never indexed with -1 and such a surface is never queued.
#include "select_connected/flood_fill_surfaces.h"

namespace {

// What the walk works with: the table, where it has met surfaces lately, and the queue's tail.
struct Flood {
  SurfaceEntry* table;
  std::int32_t count;
  List* edges;
  List* tail;
  SurfaceIndexMemo* memo;  // null when it could not be allocated: every lookup then bisects
};

// Surfaces met on the edges of the surface in hand, waiting to be looked up together.
struct NeighbourBatch {
  Surface surfaces[kMaxLookups];
  int count = 0;
};

// Looks the batch up and queues, in the order met, each surface that is in the table and not
// reached yet. Marks do not change while a batch is handled, so looking the surfaces up together
// decides exactly as looking each up in turn would.
void queue_unreached(NeighbourBatch& batch, Flood& flood) {
  std::int32_t indices[kMaxLookups];
  look_up_surfaces(flood.memo, flood.table, flood.count, batch.surfaces, batch.count, indices);
  for (int i = 0; i < batch.count; ++i) {
    if (indices[i] < 0 || flood.table[indices[i]].marked) continue;
    list_add_item(&flood.tail, batch.surfaces[i]);
    flood.tail = last_list_node(flood.tail);
  }
  batch.count = 0;
}

// Batches the surfaces on a group of edges, skipping `surface` itself. Every edge record is
// prefetched before any is read, and every surface list before any is walked, so that the reads
// from the modeller's memory overlap instead of waiting on each other.
void gather_from_edges(const Edge* const* edges, int edge_count, Surface surface,
                       NeighbourBatch& batch, Flood& flood) {
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
      if (batch.count == kMaxLookups) queue_unreached(batch, flood);
    }
  }
}

// Queues the unreached surfaces that share one of `surface`'s edges, in the order the edges and
// their surface lists give them.
void queue_neighbours(Surface surface, Flood& flood) {
  NeighbourBatch batch;
  const Edge* group[kMaxLookups];
  int grouped = 0;
  for (const List* edge_node = vx_edgelist_get_by_surface(flood.edges, surface);
       edge_node != nullptr; edge_node = edge_node->next) {
    const Edge* edge = static_cast<const Edge*>(edge_node->item);
    if (edge == nullptr) continue;
    __builtin_prefetch(&edge->surfaces);
    group[grouped++] = edge;
    if (grouped == kMaxLookups) {
      gather_from_edges(group, grouped, surface, batch, flood);
      grouped = 0;
    }
  }
  gather_from_edges(group, grouped, surface, batch, flood);
  queue_unreached(batch, flood);
}

}  // namespace

void flood_fill_surfaces(List* seeds, List* edges, SurfaceEntry* table, std::int32_t count) {
  if (seeds == nullptr) return;
  Flood flood{table, count, edges, last_list_node(seeds), create_surface_index_memo()};
  List* cursor = seeds;
  while (cursor != nullptr) {
    // The next few queued surfaces are looked up together: where a surface sits in the table
    // does not change, only its mark, which is still tested when its turn comes.
    Surface upcoming[kMaxLookups];
    int taken = 0;
    List* last_taken = cursor;
    for (List* node = cursor; node != nullptr && taken < kMaxLookups; node = node->next) {
      last_taken = node;
      if (node->item != nullptr) upcoming[taken++] = static_cast<Surface>(node->item);
    }
    std::int32_t indices[kMaxLookups];
    look_up_surfaces(flood.memo, table, count, upcoming, taken, indices);
    for (int i = 0; i < taken; ++i) {
      if (indices[i] < 0 || table[indices[i]].marked) continue;
      table[indices[i]].marked = true;
      queue_neighbours(upcoming[i], flood);
    }
    // Read only now: surfaces queued meanwhile may hang behind the last one taken.
    cursor = last_taken->next;
  }
  release_surface_index_memo(flood.memo);
}
