#include "modeller/model_records.h"

const standin::EdgeTopology& VexoModelObject::edge_topology() {
  if (!topology) topology = std::make_unique<standin::EdgeTopology>(build_edge_topology(mesh));
  return *topology;
}
