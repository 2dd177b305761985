// The stand-in modeller's model: its objects, each with its surface records, its own surface
// list (lent to callers) and the edge lists it has handed out.
#ifndef MODELLER_MODEL_H
#define MODELLER_MODEL_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "host/vexo_host_api.h"
#include "mesh/mesh.h"
#include "modeller/list_node_store.h"
#include "modeller/model_records.h"

namespace standin {

class Model {
 public:
  // Surface lists come from `nodes`; in checked mode (the store's) every surface handle is
  // remembered so that one the model never gave out is recognised.
  explicit Model(ListNodeStore& nodes) : nodes_(nodes) {}
  ~Model();
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  // Adds an object. Throws std::invalid_argument for a loop vertex out of range.
  // record_slots, when given, places surface i's record at slot record_slots[i] (a permutation),
  // so that handle order differs from file order.
  ModelObject add_object(Mesh mesh, const std::vector<std::uint32_t>* record_slots = nullptr);

  std::size_t object_count() const { return objects_.size(); }
  VexoModelObject& object(std::size_t index) { return *objects_.at(index); }
  const VexoModelObject& object(std::size_t index) const { return *objects_.at(index); }
  Surface surface(std::size_t object_index, std::uint32_t surface_index);
  bool owns_object(ModelObject object) const { return object_set_.count(object) != 0; }
  // False for null, and in checked mode for a handle the model never gave out, which is then
  // not dereferenced. Outside checked mode every non-null handle is trusted.
  bool owns_surface(Surface surface) const;

  // Appends a handle (null, foreign or repeated, for tests) to an object's own surface list.
  void list_extra_surface(std::size_t object_index, Surface surface);

  // One line per object whose handed-out edge lists were never given back.
  std::vector<std::string> unreturned_edge_lists() const;

 private:
  ListNodeStore& nodes_;
  std::vector<std::unique_ptr<VexoModelObject>> objects_;
  std::unordered_set<ModelObject> object_set_;
  std::unordered_set<Surface> surface_set_;  // filled in checked mode only
};

}  // namespace standin

#endif  // MODELLER_MODEL_H
