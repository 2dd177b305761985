// The stand-in host's records behind the opaque Surface and ModelObject handles.
#ifndef MODELLER_MODEL_RECORDS_H
#define MODELLER_MODEL_RECORDS_H

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/vexo_host_api.h"
#include "mesh/mesh.h"
#include "modeller/edge_topology.h"

namespace standin {
struct EdgeBatch;
}

// A surface handle points at one of these.
struct VexoSurface {
  VexoModelObject* owner = nullptr;
  std::uint32_t index = 0;  // the surface's position in its object, in file order
};

// Ways to make the host's answers about one object disagree with each other, for testing how a
// plug-in copes with an inconsistent modeller. All are off by default.
struct ObjectInconsistencies {
  std::optional<int> reported_surface_count;  // vx_object_get_num_surfaces answers this instead
  // (edge index, surface) pairs appended to that edge's surfaces in every edge list made
  std::vector<std::pair<std::uint32_t, Surface>> extra_edge_surfaces;
  bool disowned = false;          // object_of_surface answers null for this object's surfaces
  bool edges_withheld = false;    // vx_object_get_edges answers null
  int extra_listed_surfaces = 0;  // handles Model::list_extra_surface put on its surface list
};

// An object handle points at one of these.
struct VexoModelObject {
  std::size_t index = 0;  // position in the host's object list
  standin::Mesh mesh;
  // One record per surface. Surface i's handle is handles[i]; records may lie in any address
  // order, so that the plug-in sees handles in shuffled order too.
  std::unique_ptr<VexoSurface[]> records;
  std::vector<Surface> handles;
  List* surface_list = nullptr;  // the host's own list of the handles, lent to callers
  // Which surfaces share which vertex pairs, worked out when the object is added, as a modeller
  // holds its edge structure while a model is open.
  standin::EdgeTopology topology;
  std::vector<standin::EdgeBatch*> live_edge_batches;  // handed out, not freed yet
  standin::EdgeBatch* spare_edge_batch = nullptr;      // storage kept for the next batch
  ObjectInconsistencies inconsistencies;

  std::uint32_t surface_count() const { return mesh.surface_count(); }
  const std::string& name() const { return mesh.name; }
  const standin::EdgeTopology& edge_topology() const { return topology; }
};

#endif  // MODELLER_MODEL_RECORDS_H
