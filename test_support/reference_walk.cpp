#include "test_support/reference_walk.h"

#include <algorithm>

namespace reference {

std::vector<Surface> seeds_handed_over() {
  List* listed = vx_selection_get_whole_surfaces_all();
  std::vector<Surface> seeds;
  for (const List* node = listed; node != nullptr; node = node->next) {
    seeds.push_back(static_cast<Surface>(node->item));
  }
  list_free(&listed);
  return seeds;
}

Walk walk_as_the_command_must(const std::vector<Surface>& seeds, int refused_append) {
  std::vector<ModelObject> objects;
  for (Surface seed : seeds) {
    ModelObject owner = object_of_surface(seed);
    if (owner != nullptr && std::find(objects.begin(), objects.end(), owner) == objects.end()) {
      objects.push_back(owner);
    }
  }
  std::set<Surface> table;
  std::vector<List*> edge_lists;
  for (ModelObject object : objects) {
    for (const List* node = vx_object_get_surfacelist(object); node != nullptr; node = node->next) {
      if (node->item != nullptr) table.insert(static_cast<Surface>(node->item));
    }
    if (List* edges = vx_object_get_edges(object)) edge_lists.push_back(edges);
  }
  Walk walk;
  std::vector<Surface> queue = seeds;
  std::set<Surface> queued;
  for (Surface seed : seeds) {
    if (table.count(seed) != 0) queued.insert(seed);
  }
  for (std::size_t next = 0; next < queue.size(); ++next) {
    const Surface surface = queue[next];
    if (table.count(surface) == 0 || !walk.reached.insert(surface).second) continue;
    // The modeller answers for a surface whichever of the lists it is handed.
    if (edge_lists.empty()) continue;
    for (const List* node = vx_edgelist_get_by_surface(edge_lists.front(), surface);
         node != nullptr; node = node->next) {
      const auto* edge = static_cast<const Edge*>(node->item);
      if (edge == nullptr) continue;
      for (const List* user = edge->surfaces; user != nullptr; user = user->next) {
        const auto neighbour = static_cast<Surface>(user->item);
        if (neighbour == nullptr || table.count(neighbour) == 0 || queued.count(neighbour) != 0) {
          continue;
        }
        if (walk.appends++ == static_cast<std::size_t>(refused_append)) continue;
        queued.insert(neighbour);
        queue.push_back(neighbour);
      }
    }
  }
  for (List* edges : edge_lists) vx_edgelist_free(&edges);
  return walk;
}

}  // namespace reference
