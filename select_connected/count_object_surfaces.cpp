#include "select_connected/count_object_surfaces.h"

#include <cstdint>
#include <limits>

std::int32_t count_object_surfaces(const List* objects) {
  std::int64_t total = 0;
  for (const List* node = objects; node != nullptr; node = node->next) {
    const int count = vx_object_get_num_surfaces(static_cast<ModelObject>(node->item));
    if (count > 0) total += count;
    if (total > std::numeric_limits<std::int32_t>::max()) return -1;
  }
  return static_cast<std::int32_t>(total);
}
