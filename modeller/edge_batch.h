// One answer of vx_object_get_edges: fresh edge records for one object, the caller's list of
// them, and the host's own lists that go with them (each edge's surfaces, and per surface the
// edges it uses). All of it is freed by vx_edgelist_free.
//
// The host's own lists live in storage owned by the batch, so that making and freeing a batch
// costs a few sequential passes rather than a node allocation per entry: each edge record holds
// the first two nodes of its surfaces list (an edge of a closed surface has two users), in one
// cache line with the record; further users of non-manifold edges, and the per-surface edge
// lists, are flat node arrays. Only the caller's list comes from the node store, one node per
// edge, because the caller may join it to other lists.
#ifndef MODELLER_EDGE_BATCH_H
#define MODELLER_EDGE_BATCH_H

#include <cstddef>
#include <vector>

#include "host/vexo_host_api.h"
#include "modeller/list_node_store.h"
#include "modeller/model_records.h"

namespace standin {

// The record an Edge handle points at; the Edge comes first so that the two convert freely.
// host_private holds the low and high vertex indices and the batch.
struct alignas(64) HostEdge {
  Edge edge;
  List first_users[2];
};

struct EdgeBatch {
  VexoModelObject* object = nullptr;
  std::vector<HostEdge> edges;
  std::vector<List> further_user_nodes;  // users of an edge beyond its first two
  std::vector<List> surface_edge_nodes;  // every surface's edge list, back to back
  std::vector<List> extra_nodes;         // deliberate inconsistencies, see ObjectInconsistencies
  std::size_t edges_freed = 0;
};

// Makes the records and returns the caller's new list of them, in edge order (null for an
// object without edges).
List* make_edge_batch(VexoModelObject& object, ListNodeStore& nodes);

// The host's list of the edges of `batch` that `surface` uses (lent, not to be freed).
List* edges_of_surface(EdgeBatch& batch, const VexoSurface& surface);

// Frees the batch's host-owned lists and records, and forgets it in its object. Outside checked
// mode the object keeps the batch's storage for its next batch, as a modeller's allocator hands
// freed memory out again: a large batch then costs no fresh pages on every command. Checked mode
// never reuses it, so that records read after they were freed are not made valid again.
void destroy_edge_batch(EdgeBatch* batch, ListNodeStore& nodes);

// Frees the storage an object keeps for its next batch (when the object goes).
void discard_spare_edge_batch(VexoModelObject& object);

inline EdgeBatch* batch_of(const void* edge) {
  return static_cast<EdgeBatch*>(static_cast<const Edge*>(edge)->host_private[2]);
}

}  // namespace standin

#endif  // MODELLER_EDGE_BATCH_H
