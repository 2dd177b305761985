#include "select_connected/find_surface_entries.h"

// Each bisection settles on the last entry whose handle is not above the one sought; with the
// unique handles of a surface table that is the entry holding it, when there is one.
void find_surface_entries(const SurfaceEntry* table, std::int32_t count, const Surface* surfaces,
                          int lookups, std::int32_t* indices) {
  if (count <= 0) {
    for (int i = 0; i < lookups; ++i) indices[i] = -1;
    return;
  }
  const SurfaceEntry* base[kMaxLookups];
  std::uintptr_t keys[kMaxLookups];
  for (int i = 0; i < lookups; ++i) {
    base[i] = table;
    keys[i] = surface_key(surfaces[i]);
  }
  for (std::int32_t remaining = count; remaining > 1;) {
    const std::int32_t half = remaining / 2;
    for (int i = 0; i < lookups; ++i) {
      __builtin_prefetch(base[i] + half / 2);
      __builtin_prefetch(base[i] + half + half / 2);
      base[i] = surface_key(base[i][half].surface) <= keys[i] ? base[i] + half : base[i];
    }
    remaining -= half;
  }
  for (int i = 0; i < lookups; ++i) {
    indices[i] =
        surface_key(base[i]->surface) == keys[i] ? static_cast<std::int32_t>(base[i] - table) : -1;
  }
}
