#include "select_connected/fill_surface_table.h"

namespace {

List* last_node(List* node) {
  while (node->next != nullptr) node = node->next;
  return node;
}

// Joins `more` to the end of the edge list. The join starts at the list's last node, so the
// modeller never walks the edges joined before; the new last node is found by walking `more`
// once.
void join_edges(List** edges, List** last, List* more) {
  if (more == nullptr) return;
  list_append_list(*last != nullptr ? last : edges, more);
  *last = last_node(*last != nullptr ? *last : *edges);
}

}  // namespace

std::int32_t fill_surface_table(const List* objects, SurfaceEntry* table, std::int32_t capacity,
                                List** edges) {
  std::int32_t filled = 0;
  List* last_edge = nullptr;
  for (const List* node = objects; node != nullptr; node = node->next) {
    ModelObject object = static_cast<ModelObject>(node->item);
    for (const List* surface = vx_object_get_surfacelist(object);
         surface != nullptr && filled < capacity; surface = surface->next) {
      table[filled].surface = static_cast<Surface>(surface->item);
      ++filled;
    }
    join_edges(edges, &last_edge, vx_object_get_edges(object));
  }
  return filled;
}
