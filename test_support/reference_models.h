// Models for checking the command against an independent answer: random multi-object meshes,
// the surfaces a union-find over shared edges reaches, and a handle order that is a quicksort's
// worst case. Free of any test framework, so that the Windows checks use them too.
#ifndef TEST_SUPPORT_REFERENCE_MODELS_H
#define TEST_SUPPORT_REFERENCE_MODELS_H

#include <cstdint>
#include <random>
#include <vector>

#include "mesh/mesh.h"

namespace reference {

using Indices = std::vector<std::uint32_t>;

// The surfaces of `mesh`, ascending, that share a chain of edges with one of `seeds`.
Indices reachable_from(const standin::Mesh& mesh, const Indices& seeds);

// A mesh named "object<number>" of up to 39 random loops, mostly of 3 to 5 corners and some of
// up to 24, over a few vertices: shared edges, repeated corners, pieces and lone surfaces all
// occur. One mesh in eight has a single surface. Some also have a polygon of 9 to 24 corners
// with a triangle on each edge (reached from one another only through the polygon, so every
// edge of a surface wider than a lookup batch matters), a book of 3 to 32 triangles on one edge,
// or 2 to 13 copies of one polygon stacked on the same vertices: edges crowded with users.
standin::Mesh random_mesh(std::mt19937& random, int number);

// The numbers 0..count-1 in random order: record slots that make handle order differ from file
// order.
std::vector<std::uint32_t> shuffled_slots(std::mt19937& random, std::uint32_t count);

// Record slots that make the middle entry the largest of every range a middle-pivot quicksort
// meets: each partition splits off one entry, so a sort that recursed into the larger part would
// go one frame deeper per surface.
std::vector<std::uint32_t> middle_pivot_worst_case_slots(std::uint32_t count);

// Record slots in organ-pipe order: the first half of the surfaces at every other slot rising,
// the rest at the slots between, falling (0, 2, 4, ..., 5, 3, 1). Two objects side by side, one
// listed from each end, give a table this order; a middle-pivot quicksort splits it badly at
// every level.
std::vector<std::uint32_t> organ_pipe_slots(std::uint32_t count);

}  // namespace reference

#endif  // TEST_SUPPORT_REFERENCE_MODELS_H
