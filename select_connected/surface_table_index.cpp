#include "select_connected/surface_table_index.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace adjsurf {

namespace {

// The fewest bits to shift the handles' span by so that it makes at most `buckets` buckets.
int shift_for(std::uintptr_t span, std::uintptr_t buckets) {
  int shift = 0;
  while ((span >> shift) >= buckets) ++shift;
  return shift;
}

}  // namespace

SurfaceTableIndex index_surface_table(const SurfaceEntry* table, std::int32_t count) {
  SurfaceTableIndex index;
  if (!kTableIndex || count < 1) return index;
  index.first_key = surface_key(table[0].surface);
  index.last_key = surface_key(table[count - 1].surface);
  index.shift = shift_for(index.last_key - index.first_key, most_surface_table_buckets(count));
  // At most most_surface_table_buckets(count), so the count fits 32 bits, and the bounds one more.
  const auto buckets =
      static_cast<std::size_t>((index.last_key - index.first_key) >> index.shift) + 1;
  index.bucket_starts =
      static_cast<std::int32_t*>(std::malloc((buckets + 1) * sizeof(std::int32_t)));
  if (index.bucket_starts == nullptr) return index;
  std::int32_t entry = 0;
  for (std::size_t bucket = 0; bucket < buckets; ++bucket) {
    while (entry < count &&
           ((surface_key(table[entry].surface) - index.first_key) >> index.shift) < bucket) {
      ++entry;
    }
    index.bucket_starts[bucket] = entry;
  }
  index.bucket_starts[buckets] = count;
  return index;
}

void release_surface_table_index(SurfaceTableIndex& index) {
  std::free(index.bucket_starts);
  index = SurfaceTableIndex{};
}

void find_indexed_surface_entries(const SurfaceEntry* table, std::int32_t count,
                                  const SurfaceTableIndex& index, const Surface* surfaces,
                                  int lookups, std::int32_t* indices) {
  TableRange ranges[kLookupBatch];
  for (int i = 0; i < lookups; ++i) ranges[i] = range_holding(index, count, surfaces[i]);
  find_surface_entries(table, ranges, surfaces, lookups, indices);
}

}  // namespace adjsurf
