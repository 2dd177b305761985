#include "select_connected/find_surface_entry.h"

#include "select_connected/find_surface_entries.h"

std::int32_t find_surface_entry(const SurfaceEntry* table, std::int32_t count, Surface surface) {
  std::int32_t index = -1;
  find_surface_entries(table, count, &surface, 1, &index);
  return index;
}
