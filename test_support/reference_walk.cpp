#include "test_support/reference_walk.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

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

namespace {

// Every non-null surface the objects list, once each, in handle order, with where each stands.
class Table {
 public:
  void add(Surface surface) {
    if (surface != nullptr) surfaces_.push_back(surface);
  }
  void seal() {
    std::sort(surfaces_.begin(), surfaces_.end());
    surfaces_.erase(std::unique(surfaces_.begin(), surfaces_.end()), surfaces_.end());
  }
  std::size_t size() const { return surfaces_.size(); }
  // The surface's place, or size() when the table does not hold it.
  std::size_t place_of(Surface surface) const {
    const auto found = std::lower_bound(surfaces_.begin(), surfaces_.end(), surface);
    return found != surfaces_.end() && *found == surface
               ? static_cast<std::size_t>(found - surfaces_.begin())
               : size();
  }
  Surface at(std::size_t place) const { return surfaces_[place]; }

 private:
  std::vector<Surface> surfaces_;
};

}  // namespace

Walk walk_as_the_command_must(const std::vector<Surface>& seeds, int refused_append) {
  std::vector<ModelObject> objects;
  for (Surface seed : seeds) {
    ModelObject owner = object_of_surface(seed);
    if (owner != nullptr && std::find(objects.begin(), objects.end(), owner) == objects.end()) {
      objects.push_back(owner);
    }
  }
  Table table;
  std::vector<List*> edge_lists;
  for (ModelObject object : objects) {
    for (const List* node = vx_object_get_surfacelist(object); node != nullptr; node = node->next) {
      table.add(static_cast<Surface>(node->item));
    }
    if (List* edges = vx_object_get_edges(object)) edge_lists.push_back(edges);
  }
  table.seal();
  Walk walk;
  std::vector<std::uint8_t> queued(table.size(), 0);
  std::vector<std::uint8_t> reached(table.size(), 0);
  std::vector<Surface> queue = seeds;
  for (Surface seed : seeds) {
    const std::size_t place = table.place_of(seed);
    if (place < table.size()) queued[place] = 1;
  }
  // An edge of many users, once walked with no append refused, has every user the table holds
  // queued, so walking it again from its other users could queue nothing: it is passed over.
  // That keeps a book of k pages at k look-ups instead of k^2 for the fuzz targets that run
  // this walk on every input.
  std::unordered_set<const Edge*> walked_in_full;
  constexpr std::size_t kManyUsers = 4;
  for (std::size_t next = 0; next < queue.size(); ++next) {
    const Surface surface = queue[next];
    const std::size_t place = table.place_of(surface);
    if (place == table.size() || reached[place]) continue;
    reached[place] = 1;
    // The modeller answers for a surface whichever of the lists it is handed.
    if (edge_lists.empty()) continue;
    for (const List* node = vx_edgelist_get_by_surface(edge_lists.front(), surface);
         node != nullptr; node = node->next) {
      const auto* edge = static_cast<const Edge*>(node->item);
      if (edge == nullptr || walked_in_full.count(edge) != 0) continue;
      bool refused = false;
      std::size_t users = 0;
      for (const List* user = edge->surfaces; user != nullptr; user = user->next, ++users) {
        const std::size_t at = table.place_of(static_cast<Surface>(user->item));
        if (at == table.size() || queued[at]) continue;
        if (walk.appends++ == static_cast<std::size_t>(refused_append)) {
          refused = true;
          continue;
        }
        queued[at] = 1;
        queue.push_back(table.at(at));
      }
      if (!refused && users >= kManyUsers) walked_in_full.insert(edge);
    }
  }
  for (List* edges : edge_lists) vx_edgelist_free(&edges);
  for (std::size_t place = 0; place < table.size(); ++place) {
    if (reached[place]) walk.reached.push_back(table.at(place));
  }
  return walk;
}

}  // namespace reference
