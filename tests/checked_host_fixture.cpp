#include "tests/checked_host_fixture.h"

#include <algorithm>

#include "select_connected/select_connected.h"

namespace testmodels {

standin::Mesh corner_touching_triangles() {
  standin::Mesh mesh;
  mesh.name = "corners";
  for (int k = 0; k < 6; ++k) mesh.add_vertex(k, k % 2, 0);
  mesh.add_surface({0, 1, 2});
  mesh.add_surface({0, 3, 4});
  mesh.add_surface({3, 4, 5});
  return mesh;
}

standin::Mesh non_manifold_fan() {
  standin::Mesh mesh;
  mesh.name = "fan";
  for (int k = 0; k < 6; ++k) mesh.add_vertex(k, k * k, k % 3);
  mesh.add_surface({0, 1, 2});
  mesh.add_surface({1, 0, 3});
  mesh.add_surface({0, 1, 4});
  mesh.add_surface({1, 4, 5});
  return mesh;
}

void CheckedHostTest::run() {
  adjsurf::select_connected_go();
}

void CheckedHostTest::expect_host_clean() const {
  const std::vector<std::string> problems = host_.problems();
  EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(problems);
}

std::vector<std::string> CheckedHostTest::calls_after(const std::string& function) const {
  const std::vector<std::string>& calls = host_.events().calls();
  auto found = std::find(calls.begin(), calls.end(), function);
  if (found == calls.end()) return {};
  return std::vector<std::string>(found + 1, calls.end());
}

}  // namespace testmodels
