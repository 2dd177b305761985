// One answer of vx_object_get_edges: fresh edge records for one object, the caller's list of
// them, and the host's own lists that go with them (each edge's surfaces, and per surface the
// edges it uses, made on first request). All of it is freed by vx_edgelist_free.
#ifndef STAND_IN_HOST_EDGE_BATCH_H
#define STAND_IN_HOST_EDGE_BATCH_H

#include <cstddef>
#include <vector>

#include "host/vexo_host_api.h"
#include "stand_in_host/list_node_store.h"
#include "stand_in_host/model_records.h"

namespace standin {

// The record an Edge handle points at; the Edge comes first so that the two convert freely.
struct HostEdge {
  Edge edge;
  EdgeBatch* batch;
};

struct EdgeBatch {
  VexoModelObject* object = nullptr;
  std::vector<HostEdge> edges;
  std::vector<List*> edges_by_surface;  // host-owned; null until first asked for
  std::vector<char> edges_by_surface_made;
  std::size_t edges_freed = 0;
};

// Makes the records and returns the caller's new list of them, in edge order.
List* make_edge_batch(VexoModelObject& object, ListNodeStore& nodes);

// The host's list of the edges of `batch` that `surface` uses (lent, not to be freed).
List* edges_of_surface(EdgeBatch& batch, const VexoSurface& surface, ListNodeStore& nodes);

// Frees the batch's host-owned lists and records, and forgets it in its object.
void destroy_edge_batch(EdgeBatch* batch, ListNodeStore& nodes);

inline HostEdge* host_edge(void* item) { return static_cast<HostEdge*>(item); }

}  // namespace standin

#endif  // STAND_IN_HOST_EDGE_BATCH_H
