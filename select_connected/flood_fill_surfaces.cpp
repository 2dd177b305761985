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
// remembered only when no append was refused while it was walked, so that a user the modeller
// would not append is still queued from another.
//
// What keeps it quick is the modeller's memory, not the arithmetic: each surface's list of edges,
// each edge record and each list of users is a read from wherever the modeller keeps them. So
// the surfaces met are looked up a batch at a time, their bisections in lockstep and each narrowed
// to a few entries by the table's index (surface_table_index.h); the records of a surface's edges
// are prefetched before any is read; and the modeller is asked for the edges of the surface
// taken up next while the one in hand is still being worked on (each surface's list is read to
// its end before the next is asked for). Each of these is a speed layer (speed_layers.h) that
// changes no answer; docs/performance.md gives what each buys.
//
// Appending goes through list_add_item with a variable that holds the queue's last node. The
// modeller walks from the node it is given to the tail, so handing it the tail keeps each append
// at one step; handing it the cursor would cost the length of the unprocessed queue every time.
//
// Surfaces that the table does not hold (or null handles), which only an inconsistent model can
// produce, are skipped: the table is never indexed with -1 and such a surface is never queued.
#include "select_connected/flood_fill_surfaces.h"

#include "select_connected/speed_layers.h"
#include "select_connected/surface_table_index.h"
#include "select_connected/walked_edges.h"

namespace adjsurf {

namespace {

// How many of a surface's edges are taken together: their records are prefetched before any of
// them is read.
constexpr int kEdgeGroup = 8;

// How many queue nodes a step of the walk takes: their surfaces are looked up in batches, then
// worked on with the reads of each one's edges started a surface ahead.
constexpr int kStepNodes = 16;

// What the walk works with: the table and its index, the joined edge list, the queue's tail, and
// the crowded edges it has walked.
struct Flood {
  SurfaceEntry* table;
  std::int32_t count;
  const SurfaceTableIndex& index;
  List* edges;
  List* tail;
  WalkedEdges walked = {};
  std::uint64_t refused_appends = 0;  // appends the modeller has refused so far
};

// Surfaces met on the edges of the surface in hand, waiting to be looked up together.
struct NeighbourBatch {
  Surface surfaces[kLookupBatch];
  int count = 0;
};

// Appends a surface behind the queue's last node. Returns false when the modeller refused.
bool append_to_queue(Surface surface, Flood& flood) {
  list_add_item(&flood.tail, surface);
  if (flood.tail->next == nullptr) {
    ++flood.refused_appends;
    return false;
  }
  flood.tail = last_list_node(flood.tail);
  return true;
}

// Looks the batch up and queues, in the order met, each surface that is in the table and not
// queued yet. A surface met twice in one batch is queued at its first meeting and passed over at
// the second, as if each had been looked up in turn.
void queue_new_neighbours(NeighbourBatch& batch, Flood& flood) {
  std::int32_t indices[kLookupBatch];
  find_indexed_surface_entries(flood.table, flood.count, flood.index, batch.surfaces, batch.count,
                               indices);
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
    if (batch.count == kLookupBatch) queue_new_neighbours(batch, flood);
  }
}

// Batches the surfaces on a group of edges, skipping `surface` itself and every crowded edge
// walked before. A crowded edge is remembered when no append was refused while it was walked:
// then every user of it that the table holds stands in the queue. Every edge record is
// prefetched before any is read, and every surface list before any is walked, so that the reads
// from the modeller's memory overlap instead of waiting on each other.
void gather_from_edges(const Edge* const* edges, int edge_count, Surface surface,
                       NeighbourBatch& batch, Flood& flood) {
  const List* first_users[kEdgeGroup];
  for (int e = 0; e < edge_count; ++e) {
    first_users[e] = edges[e]->surfaces;
    prefetch(first_users[e]);
  }
  for (int e = 0; e < edge_count; ++e) {
    if (!is_crowded(first_users[e])) {
      batch_users(first_users[e], surface, batch, flood);
      continue;
    }
    if (walked_edges_contain(flood.walked, edges[e])) continue;
    const std::uint64_t refused_before = flood.refused_appends;
    batch_users(first_users[e], surface, batch, flood);
    queue_new_neighbours(batch, flood);
    if (flood.refused_appends == refused_before) remember_walked_edge(flood.walked, edges[e]);
  }
}

// A surface the walk takes up, and its edges as far as they have been read.
struct TakenUp {
  Surface surface;
  const List* listed;             // its edges as the modeller listed them, once asked for
  const Edge* edges[kEdgeGroup];  // the non-null ones, copied out of `listed` when they fit
  int edge_count;
  bool copied;  // `listed` was read to its end into `edges`
};

void ask_for_edges(TakenUp& taken, const Flood& flood) {
  taken.listed = vx_edgelist_get_by_surface(flood.edges, taken.surface);
  prefetch(taken.listed);
}

// Copies the edges out of the modeller's list when there are at most kEdgeGroup of them, and
// prefetches each record's list of users; a longer list is left to be read in groups when the
// surface is worked on.
void read_edges(TakenUp& taken) {
  taken.edge_count = 0;
  taken.copied = true;
  for (const List* node = taken.listed; node != nullptr; node = node->next) {
    const Edge* edge = static_cast<const Edge*>(node->item);
    if (edge == nullptr) continue;
    if (taken.edge_count == kEdgeGroup) {
      taken.copied = false;
      return;
    }
    prefetch(&edge->surfaces);
    taken.edges[taken.edge_count++] = edge;
  }
}

// Queues the surfaces not queued yet that share one of the surface's edges, in the order the
// edges and their surface lists give them.
void queue_neighbours(const TakenUp& taken, Flood& flood) {
  NeighbourBatch batch;
  if (taken.copied) {
    gather_from_edges(taken.edges, taken.edge_count, taken.surface, batch, flood);
  } else {
    const Edge* group[kEdgeGroup];
    int grouped = 0;
    for (const List* node = taken.listed; node != nullptr; node = node->next) {
      const Edge* edge = static_cast<const Edge*>(node->item);
      if (edge == nullptr) continue;
      prefetch(&edge->surfaces);
      group[grouped++] = edge;
      if (grouped == kEdgeGroup) {
        gather_from_edges(group, grouped, taken.surface, batch, flood);
        grouped = 0;
      }
    }
    gather_from_edges(group, grouped, taken.surface, batch, flood);
  }
  queue_new_neighbours(batch, flood);
}

// Works on a few surfaces in turn: asks the modeller for each one's edges, reads them, and queues
// its neighbours. Done one surface at a time, every read from the modeller's memory would wait
// for the one before. So, while a surface's edges are at hand, the walk reads the next surface's
// list (asked for one surface earlier), prefetching its edge records, and asks for the list of
// the surface after that, before it works on the one in hand: a surface's list and records are
// on their way a whole surface's work before they are read. A list is always read to its end
// before the next is asked for; a list of more than kEdgeGroup edges is read only when its
// surface is worked on, and the walk asks for no list beyond it until then.
void take_up(TakenUp* surfaces, int count, Flood& flood) {
  int asked = 0;
  int read = 0;
  for (int k = 0; k < count; ++k) {
    if (asked == k) ask_for_edges(surfaces[asked++], flood);
    if (read == k) read_edges(surfaces[read++]);
    if (kAskingAhead && surfaces[k].copied && k + 1 < count) {
      if (asked == k + 1) ask_for_edges(surfaces[asked++], flood);
      if (read == k + 1) read_edges(surfaces[read++]);
      if (surfaces[k + 1].copied && asked == k + 2 && k + 2 < count) {
        ask_for_edges(surfaces[asked++], flood);
      }
    }
    queue_neighbours(surfaces[k], flood);
  }
}

// The next few surfaces of the queue, looked up together: where a surface sits in the table does
// not depend on what the walk does meanwhile.
struct Upcoming {
  Surface surfaces[kStepNodes] = {};
  std::int32_t at[kStepNodes] = {};  // -1 for a surface the table does not hold
  int count;
  List* last_taken;  // the last node read, whose successor comes after these
};

// Takes up to kStepNodes non-null surfaces from the queue, starting at `cursor` (not null).
void take_upcoming(List* cursor, const Flood& flood, Upcoming& upcoming) {
  upcoming.count = 0;
  upcoming.last_taken = cursor;
  for (List* node = cursor; node != nullptr && upcoming.count < kStepNodes; node = node->next) {
    upcoming.last_taken = node;
    if (node->item != nullptr) {
      upcoming.surfaces[upcoming.count++] = static_cast<Surface>(node->item);
    }
  }
  for (int first = 0; first < upcoming.count; first += kLookupBatch) {
    const int lookups =
        upcoming.count - first < kLookupBatch ? upcoming.count - first : kLookupBatch;
    find_indexed_surface_entries(flood.table, flood.count, flood.index, upcoming.surfaces + first,
                                 lookups, upcoming.at + first);
  }
}

}  // namespace

void flood_fill_surfaces(List* seeds, List* edges, SurfaceEntry* table, std::int32_t count,
                         const SurfaceTableIndex& index) {
  if (seeds == nullptr) return;
  Flood flood{table, count, index, edges, last_list_node(seeds)};
  Upcoming upcoming;
  // Every seed the table holds is flagged queued before any is reached, so that no seed is
  // appended behind the others when a seed before it turns out to be its neighbour.
  for (List* cursor = seeds; cursor != nullptr; cursor = upcoming.last_taken->next) {
    take_upcoming(cursor, flood, upcoming);
    for (int i = 0; i < upcoming.count; ++i) {
      if (upcoming.at[i] >= 0) table[upcoming.at[i]].queued = true;
    }
  }
  // Each step reaches the upcoming surfaces the table holds and has not reached yet, each once
  // (working on one marks no other), then works on them. The successor of a step's last node is
  // read only after the step, so that the surfaces the step appends are taken up as well.
  for (List* cursor = seeds; cursor != nullptr; cursor = upcoming.last_taken->next) {
    take_upcoming(cursor, flood, upcoming);
    TakenUp reached[kStepNodes];
    int reaching = 0;
    for (int i = 0; i < upcoming.count; ++i) {
      const std::int32_t at = upcoming.at[i];
      if (at < 0 || table[at].marked) continue;
      table[at].marked = true;
      reached[reaching++].surface = upcoming.surfaces[i];
    }
    take_up(reached, reaching, flood);
  }
  release_walked_edges(flood.walked);
}

}  // namespace adjsurf
