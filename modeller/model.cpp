#include "modeller/model.h"

#include <stdexcept>
#include <utility>

#include "modeller/edge_batch.h"

namespace standin {
namespace {

void check_loops(const Mesh& mesh) {
  const std::size_t vertex_count = mesh.vertices.size();
  if (mesh.loop_offsets.empty() || mesh.loop_offsets.front() != 0 ||
      mesh.loop_offsets.back() != mesh.loop_vertices.size()) {
    throw std::invalid_argument("object '" + mesh.name + "': surface loops are malformed");
  }
  for (std::uint32_t v : mesh.loop_vertices) {
    if (v >= vertex_count) {
      throw std::invalid_argument("object '" + mesh.name + "': vertex index " + std::to_string(v) +
                                  " is out of range");
    }
  }
}

}  // namespace

Model::~Model() {
  for (auto& object : objects_) {
    // Edge lists a plug-in never gave back are reclaimed with the model.
    while (!object->live_edge_batches.empty()) {
      destroy_edge_batch(object->live_edge_batches.back(), nodes_);
    }
    discard_spare_edge_batch(*object);
    nodes_.release_host_list(object->surface_list);
  }
}

ModelObject Model::add_object(Mesh mesh, const std::vector<std::uint32_t>* record_slots) {
  check_loops(mesh);
  const std::uint32_t count = mesh.surface_count();
  if (record_slots != nullptr && record_slots->size() != count) {
    throw std::invalid_argument("object '" + mesh.name + "': record order has the wrong size");
  }
  auto object = std::make_unique<VexoModelObject>();
  object->index = objects_.size();
  object->mesh = std::move(mesh);
  object->topology = build_edge_topology(object->mesh);
  object->records.reset(new VexoSurface[count]);
  object->handles.resize(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    VexoSurface& record = object->records[record_slots ? (*record_slots)[i] : i];
    record.owner = object.get();
    record.index = i;
    object->handles[i] = &record;
    if (nodes_.checked()) surface_set_.insert(&record);
  }
  for (std::uint32_t i = count; i > 0; --i) {
    object->surface_list =
        nodes_.make(object->handles[i - 1], object->surface_list, NodeOwner::kHost);
  }
  ModelObject handle = object.get();
  object_set_.insert(handle);
  objects_.push_back(std::move(object));
  return handle;
}

Surface Model::surface(std::size_t object_index, std::uint32_t surface_index) {
  return objects_.at(object_index)->handles.at(surface_index);
}

bool Model::owns_surface(Surface surface) const {
  if (surface == nullptr) return false;
  if (nodes_.checked()) return surface_set_.count(surface) != 0;
  return true;  // outside checked mode the plug-in's handles are trusted
}

void Model::list_extra_surface(std::size_t object_index, Surface surface) {
  ++objects_.at(object_index)->inconsistencies.extra_listed_surfaces;
  List** end = &objects_.at(object_index)->surface_list;
  while (*end != nullptr) end = &(*end)->next;
  *end = nodes_.make(surface, nullptr, NodeOwner::kHost);
}

std::vector<std::string> Model::unreturned_edge_lists() const {
  std::vector<std::string> found;
  for (const auto& object : objects_) {
    if (!object->live_edge_batches.empty()) {
      found.push_back("object '" + object->name() +
                      "': " + std::to_string(object->live_edge_batches.size()) +
                      " edge lists were never freed");
    }
  }
  return found;
}

}  // namespace standin
