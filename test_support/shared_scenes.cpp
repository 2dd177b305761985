#include "test_support/shared_scenes.h"

#include "mesh/mesh_generators.h"
#include "messages/index_ranges.h"

namespace reference {

RandomScene add_random_scene(std::mt19937& random, standin::Host& host) {
  RandomScene scene;
  const int objects = 1 + static_cast<int>(random() % 4);
  std::vector<standin::Mesh> meshes;
  for (int o = 0; o < objects; ++o) {
    meshes.push_back(random_mesh(random, o));
    const auto slots = shuffled_slots(random, meshes.back().surface_count());
    host.add_object(meshes.back(), &slots);
    scene.seeds.emplace_back();
    for (std::uint32_t s = 0; s < meshes.back().surface_count(); ++s) {
      if (random() % 12 != 0) continue;
      host.selection().select_surface(static_cast<std::size_t>(o), s);
      scene.seeds.back().push_back(s);
    }
    scene.expected.push_back(reachable_from(meshes.back(), scene.seeds.back()));
    scene.expected_count += static_cast<std::uint32_t>(scene.expected.back().size());
  }
  // Without a seed the command changes nothing: what stays selected is the (empty) seeds.
  if (scene.expected_count == 0) scene.expected = scene.seeds;
  host.selection().set_mode(random() % 2 ? standin::kSurfaceMode : standin::kVertexMode);
  return scene;
}

std::string differences_from(const RandomScene& scene, const standin::Host& host) {
  std::string differences;
  for (std::size_t o = 0; o < scene.expected.size(); ++o) {
    const Indices selected = host.selection().selected_surfaces(o);
    if (selected == scene.expected[o]) continue;
    differences += (differences.empty() ? "" : "; ") + std::string("object ") + std::to_string(o) +
                   " selected " + standin::format_index_ranges(selected) + ", expected " +
                   standin::format_index_ranges(scene.expected[o]);
  }
  return differences;
}

void add_worst_case_strip(standin::Host& host) {
  const auto slots = middle_pivot_worst_case_slots(kWorstCaseStripSurfaces);
  host.add_object(standin::quad_grid("strip", kWorstCaseStripSurfaces, 1), &slots);
  host.selection().select_surface(host.model().object_count() - 1, kWorstCaseStripSurfaces / 2);
}

std::string worst_case_strip_outcome(const standin::Host& host) {
  const std::vector<std::string> messages = host.events().texts(standin::EventKind::kMessage);
  const std::string expected = "Selected " + std::to_string(kWorstCaseStripSurfaces) + " surfaces";
  if (messages == std::vector<std::string>{expected}) return "";
  std::string said;
  for (const std::string& message : messages)
    said += (said.empty() ? "\"" : ", \"") + message + "\"";
  return "expected \"" + expected + "\", the command said {" + said + "}";
}

}  // namespace reference
