#include "select_connected/collect_marked_surfaces.h"

std::int32_t collect_marked_surfaces(const SurfaceEntry* table, std::int32_t count, List** result) {
  std::int32_t selected = 0;
  for (std::int32_t index = 0; index < count; ++index) {
    if (!table[index].marked) continue;
    list_add_item_head(result, table[index].surface);
    ++selected;
  }
  return selected;
}
