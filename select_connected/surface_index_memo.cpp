#include "select_connected/surface_index_memo.h"

#include <cstdlib>

#include "select_connected/find_surface_entries.h"

namespace {

// Fibonacci hashing: spreads handles whatever the size and alignment of the records behind them.
std::uint32_t slot_of(std::uintptr_t key) {
  if constexpr (sizeof(std::uintptr_t) == 8) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(key) * 0x9E3779B97F4A7C15ull) >>
                                      (64 - SurfaceIndexMemo::kSlotBits));
  } else {
    return static_cast<std::uint32_t>((static_cast<std::uint32_t>(key) * 0x9E3779B9u) >>
                                      (32 - SurfaceIndexMemo::kSlotBits));
  }
}

}  // namespace

SurfaceIndexMemo* create_surface_index_memo() {
  // All-zero keys: every slot empty. The C allocator, like the table's, reports failure as null.
  return static_cast<SurfaceIndexMemo*>(std::calloc(1, sizeof(SurfaceIndexMemo)));
}

void release_surface_index_memo(SurfaceIndexMemo* memo) {
  std::free(memo);
}

void look_up_surfaces(SurfaceIndexMemo* memo, const SurfaceEntry* table, std::int32_t count,
                      const Surface* surfaces, int lookups, std::int32_t* indices) {
  Surface unknown[kMaxLookups] = {};
  int unknown_at[kMaxLookups] = {};
  int unknowns = 0;
  for (int i = 0; i < lookups; ++i) {
    const std::uintptr_t key = surface_key(surfaces[i]);
    const std::uint32_t slot = slot_of(key);
    if (key == 0) {
      indices[i] = -1;  // an empty slot's key is 0 too, so null must not reach the memo
    } else if (memo != nullptr && memo->keys[slot] == key) {
      indices[i] = memo->indices[slot];
    } else {
      unknown[unknowns] = surfaces[i];
      unknown_at[unknowns++] = i;
    }
  }
  std::int32_t found[kMaxLookups];
  find_surface_entries(table, count, unknown, unknowns, found);
  for (int u = 0; u < unknowns; ++u) {
    indices[unknown_at[u]] = found[u];
    if (memo == nullptr) continue;
    const std::uintptr_t key = surface_key(unknown[u]);
    const std::uint32_t slot = slot_of(key);
    memo->keys[slot] = key;
    memo->indices[slot] = found[u];
  }
}
