#include "select_connected/fill_surface_table.h"

#include "select_connected/last_list_node.h"

namespace {

// Joins `more` to the end of the edge list. The join starts at the list's last node, so the
// modeller never walks the edges joined before; the new last node is found by walking `more`
// once. A modeller that refuses the join leaves the list as it was (still empty, or ending at
// the same node); `more` is then given back to it whole, so that nothing it handed out is lost
// and the walk never starts from a null node.
void join_edges(List** edges, List** last, List* more) {
  if (more == nullptr) return;
  list_append_list(*last != nullptr ? last : edges, more);
  List* joined_from = *last != nullptr ? (*last)->next : *edges;
  if (joined_from == nullptr) {
    vx_edgelist_free(&more);
    return;
  }
  *last = last_list_node(joined_from);
}

// Writes one object's surfaces from table[*filled] on while there is room; counts them all.
void copy_surfaces(const List* surfaces, SurfaceEntry* table, std::int32_t capacity,
                   TableFill& fill) {
  for (const List* node = surfaces; node != nullptr; node = node->next) {
    if (fill.filled < capacity) table[fill.filled++].surface = static_cast<Surface>(node->item);
    ++fill.listed;
  }
}

}  // namespace

TableFill fill_surface_table(const List* objects, SurfaceEntry* table, std::int32_t capacity,
                             List** edges) {
  TableFill fill{0, 0};
  List* last_edge = nullptr;
  for (const List* node = objects; node != nullptr; node = node->next) {
    ModelObject object = static_cast<ModelObject>(node->item);
    copy_surfaces(vx_object_get_surfacelist(object), table, capacity, fill);
    join_edges(edges, &last_edge, vx_object_get_edges(object));
  }
  return fill;
}

std::int32_t refill_surface_table(const List* objects, SurfaceEntry* table, std::int32_t capacity) {
  TableFill fill{0, 0};
  for (const List* node = objects; node != nullptr; node = node->next) {
    copy_surfaces(vx_object_get_surfacelist(static_cast<ModelObject>(node->item)), table, capacity,
                  fill);
  }
  return fill.filled;
}
