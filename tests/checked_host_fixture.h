// The fixture of the command's tests: a checked stand-in host, active for the test, on which the
// command runs as the modeller runs it; and two small models those tests share.
#ifndef TESTS_CHECKED_HOST_FIXTURE_H
#define TESTS_CHECKED_HOST_FIXTURE_H

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "mesh/mesh.h"
#include "mesh/mesh_generators.h"
#include "modeller/host_state.h"

namespace testmodels {

// Two triangles that share only vertex 0, and a third sharing an edge with the second.
standin::Mesh corner_touching_triangles();

// Three triangles on one edge (0, 1), and a fourth hanging off the third.
standin::Mesh non_manifold_fan();

// A checked host, active for the test; run() calls the command as the modeller would.
class CheckedHostTest : public ::testing::Test {
 protected:
  CheckedHostTest() : active_(host_) {}

  void run();
  // No leak, double free or free of a lent list, and nothing else the host objected to.
  void expect_host_clean() const;
  std::vector<std::string> calls_after(const std::string& function) const;

  standin::Host host_{true};

 private:
  standin::ActiveHost active_;
};

}  // namespace testmodels

#endif  // TESTS_CHECKED_HOST_FIXTURE_H
