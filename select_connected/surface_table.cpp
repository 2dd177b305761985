#include "select_connected/surface_table.h"

#include <new>

SurfaceEntry* create_surface_table(std::int32_t count) {
  if (count < 0) return nullptr;
  return new (std::nothrow) SurfaceEntry[static_cast<std::size_t>(count)];
}

void release_surface_table(SurfaceEntry* table) {
  delete[] table;
}
