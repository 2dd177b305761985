// How the walk works
// ------------------
// The walk is a breadth-first flood over the modeller's own list. The seed list is the queue: a
// cursor runs from its first node to its end, and every newly found neighbour is appended behind
// the last node, so all seeds come first and every surface found later is still ahead of the
// cursor when it is appended.
//
// Each table entry carries two flags. `queued` says the surface stands in the queue, waiting or
// done: the seeds get it before the walk starts, and every other surface when it is appended.
// `marked` says the surface has been reached: its edges have been taken. For each surface under
// the cursor (looked up a few queue nodes at a time, as the lookups of consecutive nodes do not
// depend on each other): if it is marked already (a seed the modeller listed twice), it is
// skipped. Otherwise it is marked, the modeller is asked for the edges it uses, and every surface
// on those edges that is not queued yet is appended, in the order the edges list them. So each
// surface is appended at most once, and only if it was not a seed: everything queued is reached
// in its turn, so a second append could only have been skipped when it came up.
//
// An edge with four or more users is crowded: once it has been walked in full, all its users that
// the table holds are queued, so it is remembered (walked_edges.h) and passed over when its other
// users come up. Without that, k users of one edge would read it k times. Edges of two or three
// users are simply walked again: that costs less than asking whether they were. An edge is
// remembered only after every user met on it has been appended; if the modeller ever refuses an
// append, no further edge is remembered, so a user left out can still be queued from another.
//
// The surfaces on the edges are looked up a batch at a time, so that their bisections overlap in
// memory. Recent answers are kept in a small memo on the heap, not the stack: the walk runs on the
// modeller's thread, and its stack is the modeller's to spend. Without the memo, or without the
// memory for remembering edges, the answers are the same, only slower.
//
// Appending goes through list_add_item with a variable that holds the queue's last node. The
// modeller walks from the node it is given to the tail, so handing it the tail keeps each append
// at one step; handing it the cursor would cost the length of the unprocessed queue every time.
//
// Surfaces that the table does not hold (or null handles), which only an inconsistent model can
// produce, are skipped: the table is never indexed with -1 and such a surface is never queued.
#include "select_connected/flood_fill_surfaces.h"

#include "select_connected/walked_edges.h"

namespace adjsurf {

namespace {

// What the walk works with: the table, where it has met surfaces lately, the crowded edges it
// has walked, and the queue's tail.
struct Flood {
  SurfaceEntry* table;
  std::int32_t count;
  List* edges;
  List* tail;
  SurfaceIndexMemo* memo;  // null when it could not be allocated: every lookup then bisects
  WalkedEdges walked;
  bool append_refused;  // the modeller refused an append: remember no more edges
};

// Surfaces met on the edges of the surface in hand, waiting to be looked up together.
struct NeighbourBatch {
  Surface surfaces[kMaxLookups];
  int count = 0;
};

// Appends a surface behind the queue's last node. Returns false when the modeller refused.
bool append_to_queue(Surface surface, Flood& flood) {
  list_add_item(&flood.tail, surface);
  if (flood.tail->next == nullptr) {
    flood.append_refused = true;
    return false;
  }
  flood.tail = last_list_node(flood.tail);
  return true;
}

// Looks the batch up and queues, in the order met, each surface that is in the table and not
// queued yet. A surface met twice in one batch is queued at its first meeting and passed over at
// the second, as if each had been looked up in turn.
void queue_unqueued(NeighbourBatch& batch, Flood& flood) {
  std::int32_t indices[kMaxLookups];
  look_up_surfaces(flood.memo, flood.table, flood.count, batch.surfaces, batch.count, indices);
  for (int i = 0; i < batch.count; ++i) {
    if (indices[i] < 0 || flood.table[indices[i]].queued) continue;
    if (append_to_queue(batch.surfaces[i], flood)) flood.table[indices[i]].queued = true;
  }
  batch.count = 0;
}

// Whether an edge's user list has four nodes or more. Reads at most the nodes a walk of an edge
// of two or three users reads anyway.
bool is_crowded(const List* users) {
  for (int seen = 0; seen < 4; ++seen) {
    if (users == nullptr) return false;
    users = users->next;
  }
  return true;
}

// Batches every user on one edge, skipping `surface` itself.
void batch_users(const List* users, Surface surface, NeighbourBatch& batch, Flood& flood) {
  for (const List* node = users; node != nullptr; node = node->next) {
    Surface neighbour = static_cast<Surface>(node->item);
    // The surface in hand is queued already; no need to look it up again.
    if (neighbour == nullptr || neighbour == surface) continue;
    batch.surfaces[batch.count++] = neighbour;
    if (batch.count == kMaxLookups) queue_unqueued(batch, flood);
  }
}

// Batches the surfaces on a group of edges, skipping `surface` itself and every crowded edge
// walked before. A crowded edge is remembered once all its users are queued. Every edge record is
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
    if (!is_crowded(first_users[e])) {
      batch_users(first_users[e], surface, batch, flood);
      continue;
    }
    if (walked_edges_contain(flood.walked, edges[e])) continue;
    batch_users(first_users[e], surface, batch, flood);
    queue_unqueued(batch, flood);
    if (!flood.append_refused) remember_walked_edge(flood.walked, edges[e]);
  }
}

// Queues the surfaces not queued yet that share one of `surface`'s edges, in the order the edges
// and their surface lists give them.
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
  queue_unqueued(batch, flood);
}

// Takes up to kMaxLookups non-null surfaces from the queue, starting at `node`. Returns the last
// node it read (the one to go on from), or `node` itself when it read none but that.
List* take_upcoming(List* node, Surface* upcoming, int& taken) {
  taken = 0;
  List* last_taken = node;
  for (; node != nullptr && taken < kMaxLookups; node = node->next) {
    last_taken = node;
    if (node->item != nullptr) upcoming[taken++] = static_cast<Surface>(node->item);
  }
  return last_taken;
}

// Flags every seed the table holds as queued, before any is reached, so that no seed is appended
// behind the others when a seed before it turns out to be its neighbour.
void flag_seeds_queued(List* seeds, Flood& flood) {
  for (List* cursor = seeds; cursor != nullptr;) {
    Surface upcoming[kMaxLookups];
    int taken = 0;
    List* last_taken = take_upcoming(cursor, upcoming, taken);
    std::int32_t indices[kMaxLookups];
    look_up_surfaces(flood.memo, flood.table, flood.count, upcoming, taken, indices);
    for (int i = 0; i < taken; ++i) {
      if (indices[i] >= 0) flood.table[indices[i]].queued = true;
    }
    cursor = last_taken->next;
  }
}

}  // namespace

void flood_fill_surfaces(List* seeds, List* edges, SurfaceEntry* table, std::int32_t count) {
  if (seeds == nullptr) return;
  Flood flood{table,         count, edges, last_list_node(seeds), create_surface_index_memo(),
              WalkedEdges{}, false};
  flag_seeds_queued(seeds, flood);
  List* cursor = seeds;
  while (cursor != nullptr) {
    // The next few queued surfaces are looked up together: where a surface sits in the table
    // does not change, only its mark, which is still tested when its turn comes.
    Surface upcoming[kMaxLookups];
    int taken = 0;
    List* last_taken = take_upcoming(cursor, upcoming, taken);
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
  release_walked_edges(flood.walked);
  release_surface_index_memo(flood.memo);
}

}  // namespace adjsurf
