#include "select_connected/surface_table.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <type_traits>

static_assert(std::is_trivially_destructible_v<SurfaceEntry>,
              "the table is released without running destructors");

// The table comes from the C allocator, which reports failure by returning null. The C++ array
// allocator cannot be used even in its non-throwing form: the runtime implements that form by
// throwing and catching internally, and inside a modeller that has another copy of the unwinder
// loaded, the catch can be missed and the whole process terminated.
SurfaceEntry* create_surface_table(std::int32_t count) {
  if (count < 0) return nullptr;
  const auto entries = static_cast<std::size_t>(count);
  // On a 32-bit system a large count times the entry size would wrap around to a small size.
  if (entries > SIZE_MAX / sizeof(SurfaceEntry)) return nullptr;
  void* memory = std::malloc(entries != 0 ? entries * sizeof(SurfaceEntry) : 1);
  if (memory == nullptr) return nullptr;
  auto* table = static_cast<SurfaceEntry*>(memory);
  for (std::size_t index = 0; index < entries; ++index) new (&table[index]) SurfaceEntry;
  return table;
}

void release_surface_table(SurfaceEntry* table) {
  std::free(table);
}
