#include "select_connected/fill_surface_table.h"

std::int32_t fill_surface_table(const List* objects, SurfaceEntry* table, std::int32_t capacity,
                                List** edges) {
  std::int32_t filled = 0;
  for (const List* node = objects; node != nullptr; node = node->next) {
    ModelObject object = static_cast<ModelObject>(node->item);
    for (const List* surface = vx_object_get_surfacelist(object);
         surface != nullptr && filled < capacity; surface = surface->next) {
      table[filled].surface = static_cast<Surface>(surface->item);
      ++filled;
    }
    list_append_list(edges, vx_object_get_edges(object));
  }
  return filled;
}
