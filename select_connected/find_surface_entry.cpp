#include "select_connected/find_surface_entry.h"

std::int32_t find_surface_entry(const SurfaceEntry* table, std::int32_t count, Surface surface) {
  if (count <= 0) return -1;
  const std::uintptr_t key = surface_key(surface);
  std::int32_t lo = 0;
  std::int32_t hi = count - 1;
  while (lo <= hi) {
    const std::int32_t mid = lo + (hi - lo) / 2;
    const std::uintptr_t here = surface_key(table[mid].surface);
    if (key < here) {
      hi = mid - 1;
    } else if (key == here) {
      return mid;
    } else {
      lo = mid + 1;
    }
  }
  return -1;
}
