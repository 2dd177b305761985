// The whole job done the fastest plain way, as a yardstick: a breadth-first flood over flat
// arrays built straight from the surfaces' vertex loops.
#ifndef BENCHMARKS_LINEAR_FLOOD_H
#define BENCHMARKS_LINEAR_FLOOD_H

#include <cstdint>
#include <vector>

#include "mesh/mesh.h"

// Inputs:  mesh   surfaces as vertex loops
//          seeds  surface indices to start from
// Returns: per surface, 1 when it shares a chain of edges with a seed (seeds included). Two
//          surfaces are neighbours when one's loop steps between the same two vertices as the
//          other's. The loop steps are grouped into edges by counting sort, and each edge is
//          walked once: all work is linear, whatever the shape.
std::vector<std::uint8_t> linear_flood(const standin::Mesh& mesh,
                                       const std::vector<std::uint32_t>& seeds);

#endif  // BENCHMARKS_LINEAR_FLOOD_H
