#include "stand_in_host/edge_batch.h"

#include <algorithm>
#include <cstdint>

namespace standin {
namespace {

// A host-owned list of `count` items, built back to front so that it reads in index order.
template <typename ItemOf>
List* make_host_list(std::uint32_t begin, std::uint32_t end, ItemOf item_of, ListNodeStore& nodes,
                     NodeOwner owner) {
  List* head = nullptr;
  for (std::uint32_t k = end; k > begin; --k) head = nodes.make(item_of(k - 1), head, owner);
  return head;
}

}  // namespace

List* make_edge_batch(VexoModelObject& object, ListNodeStore& nodes) {
  const EdgeTopology& topology = object.edge_topology();
  auto* batch = new EdgeBatch;
  batch->object = &object;
  batch->edges.resize(topology.edge_count());
  batch->edges_by_surface.assign(object.surface_count(), nullptr);
  batch->edges_by_surface_made.assign(object.surface_count(), 0);
  for (std::uint32_t e = 0; e < topology.edge_count(); ++e) {
    HostEdge& record = batch->edges[e];
    record.batch = batch;
    record.edge.host_private[0] = reinterpret_cast<void*>(std::uintptr_t{topology.edge_low_vertex[e]});
    record.edge.host_private[1] =
        reinterpret_cast<void*>(std::uintptr_t{topology.edge_high_vertex[e]});
    record.edge.host_private[2] = &object;
    record.edge.surfaces = make_host_list(
        topology.edge_surface_offsets[e], topology.edge_surface_offsets[e + 1],
        [&](std::uint32_t k) { return object.handles[topology.edge_surfaces[k]]; }, nodes,
        NodeOwner::kHost);
  }
  for (const auto& [edge, surface] : object.inconsistencies.extra_edge_surfaces) {
    if (edge >= topology.edge_count()) continue;
    List** end = &batch->edges[edge].edge.surfaces;
    while (*end != nullptr) end = &(*end)->next;
    *end = nodes.make(surface, nullptr, NodeOwner::kHost);
  }
  object.live_edge_batches.push_back(batch);
  return make_host_list(
      0, topology.edge_count(), [&](std::uint32_t e) { return &batch->edges[e].edge; }, nodes,
      NodeOwner::kCaller);
}

List* edges_of_surface(EdgeBatch& batch, const VexoSurface& surface, ListNodeStore& nodes) {
  const std::uint32_t s = surface.index;
  if (!batch.edges_by_surface_made[s]) {
    const EdgeTopology& topology = batch.object->edge_topology();
    batch.edges_by_surface[s] = make_host_list(
        topology.surface_edge_offsets[s], topology.surface_edge_offsets[s + 1],
        [&](std::uint32_t k) { return &batch.edges[topology.surface_edges[k]].edge; }, nodes,
        NodeOwner::kHost);
    batch.edges_by_surface_made[s] = 1;
  }
  return batch.edges_by_surface[s];
}

void destroy_edge_batch(EdgeBatch* batch, ListNodeStore& nodes) {
  for (HostEdge& record : batch->edges) nodes.release_host_list(record.edge.surfaces);
  for (List* list : batch->edges_by_surface) nodes.release_host_list(list);
  auto& live = batch->object->live_edge_batches;
  live.erase(std::remove(live.begin(), live.end(), batch), live.end());
  delete batch;
}

}  // namespace standin
