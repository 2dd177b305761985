#include "modeller/edge_batch.h"

#include <algorithm>
#include <cstdint>

namespace standin {
namespace {

// Links nodes[begin..end) into one list, in order, and returns its head (null when empty).
template <typename ItemOf>
List* link_range(List* nodes, std::uint32_t begin, std::uint32_t end, ItemOf item_of) {
  for (std::uint32_t k = begin; k < end; ++k) {
    nodes[k].item = item_of(k);
    nodes[k].next = k + 1 < end ? &nodes[k + 1] : nullptr;
  }
  return begin < end ? &nodes[begin] : nullptr;
}

// Checked mode: the host's own nodes are registered as lent, so that freeing one is reported.
void register_lent(ListNodeStore& nodes, List* array, std::size_t count) {
  if (!nodes.checked()) return;
  for (std::size_t k = 0; k < count; ++k) nodes.register_host_node(&array[k]);
}

void forget_lent(ListNodeStore& nodes, List* array, std::size_t count) {
  if (!nodes.checked()) return;
  for (std::size_t k = 0; k < count; ++k) nodes.forget_host_node(&array[k]);
}

// Appends the object's deliberate extra edge users after the regular ones.
void add_extra_edge_surfaces(EdgeBatch& batch) {
  const auto& extras = batch.object->inconsistencies.extra_edge_surfaces;
  batch.extra_nodes.resize(extras.size());
  for (std::size_t k = 0; k < extras.size(); ++k) {
    const auto& [edge, surface] = extras[k];
    batch.extra_nodes[k] = List{surface, nullptr};
    if (edge >= batch.edges.size()) continue;
    List** end = &batch.edges[edge].edge.surfaces;
    while (*end != nullptr) end = &(*end)->next;
    *end = &batch.extra_nodes[k];
  }
}

// Links edge e's users: the first two in the record, the rest from the batch's further nodes.
void link_edge_users(EdgeBatch& batch, const EdgeTopology& topology, std::uint32_t e,
                     std::size_t& further_used) {
  HostEdge& record = batch.edges[e];
  const std::uint32_t begin = topology.edge_surface_offsets[e];
  const std::uint32_t end = topology.edge_surface_offsets[e + 1];
  List* previous = nullptr;
  for (std::uint32_t k = begin; k < end; ++k) {
    List* node =
        k - begin < 2 ? &record.first_users[k - begin] : &batch.further_user_nodes[further_used++];
    *node = List{batch.object->handles[topology.edge_surfaces[k]], nullptr};
    (previous != nullptr ? previous->next : record.edge.surfaces) = node;
    previous = node;
  }
}

std::size_t further_user_count(const EdgeTopology& topology) {
  std::size_t count = 0;
  for (std::uint32_t e = 0; e < topology.edge_count(); ++e) {
    const std::uint32_t users =
        topology.edge_surface_offsets[e + 1] - topology.edge_surface_offsets[e];
    if (users > 2) count += users - 2;
  }
  return count;
}

void register_edge_users(ListNodeStore& nodes, EdgeBatch& batch, bool registering) {
  if (!nodes.checked()) return;
  for (HostEdge& record : batch.edges) {
    for (const List* node = record.edge.surfaces; node != nullptr; node = node->next) {
      if (registering) {
        nodes.register_host_node(node);
      } else {
        nodes.forget_host_node(node);
      }
    }
  }
}

}  // namespace

List* make_edge_batch(VexoModelObject& object, ListNodeStore& nodes) {
  const EdgeTopology& topology = object.edge_topology();
  // No edges: the empty list, and nothing that a caller would have to give back.
  if (topology.edge_count() == 0) return nullptr;
  EdgeBatch* batch = object.spare_edge_batch != nullptr ? object.spare_edge_batch : new EdgeBatch;
  object.spare_edge_batch = nullptr;
  batch->object = &object;
  batch->edges_freed = 0;
  batch->edges.resize(topology.edge_count());
  batch->further_user_nodes.resize(further_user_count(topology));
  batch->surface_edge_nodes.resize(topology.surface_edges.size());
  std::size_t further_used = 0;
  for (std::uint32_t e = 0; e < topology.edge_count(); ++e) {
    Edge& edge = batch->edges[e].edge;
    edge.host_private[0] = reinterpret_cast<void*>(std::uintptr_t{topology.edge_low_vertex[e]});
    edge.host_private[1] = reinterpret_cast<void*>(std::uintptr_t{topology.edge_high_vertex[e]});
    edge.host_private[2] = batch;
    edge.surfaces = nullptr;
    link_edge_users(*batch, topology, e, further_used);
  }
  for (std::uint32_t s = 0; s < object.surface_count(); ++s) {
    link_range(batch->surface_edge_nodes.data(), topology.surface_edge_offsets[s],
               topology.surface_edge_offsets[s + 1],
               [&](std::uint32_t k) { return &batch->edges[topology.surface_edges[k]].edge; });
  }
  add_extra_edge_surfaces(*batch);
  register_edge_users(nodes, *batch, true);
  register_lent(nodes, batch->surface_edge_nodes.data(), batch->surface_edge_nodes.size());
  object.live_edge_batches.push_back(batch);

  List* head = nullptr;
  for (std::uint32_t e = topology.edge_count(); e > 0; --e) {
    head = nodes.make(&batch->edges[e - 1].edge, head, NodeOwner::kCaller);
  }
  return head;
}

List* edges_of_surface(EdgeBatch& batch, const VexoSurface& surface) {
  const EdgeTopology& topology = batch.object->edge_topology();
  const std::uint32_t begin = topology.surface_edge_offsets[surface.index];
  const std::uint32_t end = topology.surface_edge_offsets[surface.index + 1];
  return begin < end ? &batch.surface_edge_nodes[begin] : nullptr;
}

void destroy_edge_batch(EdgeBatch* batch, ListNodeStore& nodes) {
  register_edge_users(nodes, *batch, false);
  forget_lent(nodes, batch->surface_edge_nodes.data(), batch->surface_edge_nodes.size());
  VexoModelObject& object = *batch->object;
  auto& live = object.live_edge_batches;
  live.erase(std::remove(live.begin(), live.end(), batch), live.end());
  batch->extra_nodes.clear();
  if (nodes.checked() || object.spare_edge_batch != nullptr) {
    delete batch;
  } else {
    object.spare_edge_batch = batch;
  }
}

void discard_spare_edge_batch(VexoModelObject& object) {
  delete object.spare_edge_batch;
  object.spare_edge_batch = nullptr;
}

}  // namespace standin
