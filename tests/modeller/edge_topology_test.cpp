// The stand-in modeller's edges, worked out from the surfaces' vertex loops alone.
#include "modeller/edge_topology.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/checked_host_fixture.h"

namespace {

using Indices = std::vector<std::uint32_t>;

Indices surfaces_on_edge(const standin::EdgeTopology& topology, std::uint32_t edge) {
  return Indices(topology.edge_surfaces.begin() + topology.edge_surface_offsets[edge],
                 topology.edge_surfaces.begin() + topology.edge_surface_offsets[edge + 1]);
}

TEST(EdgeTopology, EdgesComeFromConsecutiveLoopVerticesOnly) {
  const standin::EdgeTopology grid = build_edge_topology(standin::quad_grid("g", 2, 1));
  EXPECT_EQ(grid.edge_count(), 7u);
  const standin::EdgeTopology fan = build_edge_topology(testmodels::non_manifold_fan());
  // Edge (0, 1) is the first in (low, high) order and carries three surfaces.
  EXPECT_EQ(surfaces_on_edge(fan, 0), (Indices{0, 1, 2}));
  const standin::EdgeTopology corners =
      build_edge_topology(testmodels::corner_touching_triangles());
  for (std::uint32_t e = 0; e < corners.edge_count(); ++e) {
    const Indices users = surfaces_on_edge(corners, e);
    EXPECT_TRUE(users.size() == 1 || users == (Indices{1, 2}));
  }
}

TEST(EdgeTopology, RepeatedAndDegenerateStepsListEachPairOnce) {
  standin::Mesh mesh;
  for (int k = 0; k < 4; ++k) mesh.add_vertex(k, 0, 0);
  mesh.add_surface({0, 1, 1, 2, 1});  // step 1->1 is no edge; edge (1, 2) is used twice
  mesh.add_surface({2, 1, 3});
  const standin::EdgeTopology topology = build_edge_topology(mesh);
  EXPECT_EQ(topology.edge_count(), 4u);  // (0,1) (1,2) (1,3) (2,3)
  const Indices of_first(topology.surface_edges.begin(),
                         topology.surface_edges.begin() + topology.surface_edge_offsets[1]);
  EXPECT_EQ(of_first.size(), 2u);
  EXPECT_EQ(surfaces_on_edge(topology, 1), (Indices{0, 1}));
}

}  // namespace
