// The scenes that the Linux tests and the Windows checks program both run, written once: random
// multi-object models with the answer a union-find gives, and a strip whose handles are a
// middle-pivot quicksort's worst case.
#ifndef TEST_SUPPORT_SHARED_SCENES_H
#define TEST_SUPPORT_SHARED_SCENES_H

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "modeller/host_state.h"
#include "test_support/reference_models.h"

namespace reference {

// A scene of 1 to 4 random objects (random_mesh), each with its handles in shuffled order and
// about one surface in twelve seeded, in surface or vertex select mode.
struct RandomScene {
  std::vector<Indices> seeds;        // per object
  std::vector<Indices> expected;     // per object: what the command must leave selected
  std::uint32_t expected_count = 0;  // for "Selected N surfaces"; 0 when nothing is seeded
};

// Adds the scene's objects to `host` and selects its seeds. `random` decides everything.
RandomScene add_random_scene(std::mt19937& random, standin::Host& host);

// Empty when the host's selection is the scene's answer, else what differs, object by object.
std::string differences_from(const RandomScene& scene, const standin::Host& host);

// The surfaces of the worst-case strip, and its object: a strip whose handles are in a
// middle-pivot quicksort's worst-case order, seeded in the middle. Sorting its table by
// recursing into the larger part would take one stack frame per surface.
inline constexpr std::uint32_t kWorstCaseStripSurfaces = 20000;
void add_worst_case_strip(standin::Host& host);

// Empty when the command selected the whole strip, else what it said instead.
std::string worst_case_strip_outcome(const standin::Host& host);

}  // namespace reference

#endif  // TEST_SUPPORT_SHARED_SCENES_H
