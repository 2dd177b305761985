// Where each run of handles that share their high bits starts in the sorted surface table, so
// that a lookup bisects a few entries instead of the whole table.
//
// The handles between the table's first and last are cut into buckets of 2^shift values each,
// about one bucket per entry. Bucket b holds the handles first + b * 2^shift up to the next
// bucket's first, and its entries stand together in the sorted table, from bucket_starts[b] to
// bucket_starts[b + 1]. A lookup takes the bucket of its handle by one subtraction and one
// shift, reads the two bounds, and bisects between them. Handles spread evenly (surface records
// in an array, or in the blocks of an allocator) put one or two entries in a bucket; handles in
// a few distant clusters put whole clusters in a few buckets, which are bisected as the whole
// table would be. The answer never depends on the spread: every surface is still found at its
// place in the sorted table, and only the range its bisection starts from is narrowed.
//
// The index takes 4 bytes per bucket from the C allocator. Without it (refused), lookups
// bisect the whole table, with the same answers.
#ifndef SELECT_CONNECTED_SURFACE_TABLE_INDEX_H
#define SELECT_CONNECTED_SURFACE_TABLE_INDEX_H

#include <cstddef>
#include <cstdint>

#include "select_connected/surface_table.h"

namespace adjsurf {

struct SurfaceTableIndex {
  std::int32_t* bucket_starts = nullptr;  // null: no index, bisect the whole table
  std::uintptr_t first_key = 0;           // the table's first and last handles
  std::uintptr_t last_key = 0;
  int shift = 0;  // a handle's bucket is (key - first_key) >> shift
};

// Indexes a sorted table.
//
// Inputs:  table, count  entries sorted by sort_surface_table; a count below 1 indexes nothing
// Returns: the index, with bucket_starts null when the table is empty or the memory for it
//          cannot be had. Release it with release_surface_table_index.
SurfaceTableIndex index_surface_table(const SurfaceEntry* table, std::int32_t count);

// The most buckets an index of `count` entries has: one an entry, and at least 2, so that the
// shift that makes them stays below the handle's width.
inline std::uintptr_t most_surface_table_buckets(std::int32_t count) {
  return count < 2 ? 2 : static_cast<std::uintptr_t>(count);
}

// The most memory index_surface_table asks for, for a table of `count` entries: 4 bytes a bucket
// and one more.
inline std::size_t most_surface_table_index_bytes(std::int32_t count) {
  return (static_cast<std::size_t>(most_surface_table_buckets(count)) + 1) * sizeof(std::int32_t);
}

// Frees the index's memory and leaves it empty (null bucket_starts). An empty index is allowed.
void release_surface_table_index(SurfaceTableIndex& index);

// The part of the table that holds a surface if the table does: its bucket's entries, none when
// the handle lies outside the table's first and last, or the whole table without an index.
//
// Inputs:  index    the table's index, or an empty one
//          count    the number of entries of the table the index was made from
//          surface  the handle to look for
// Returns: the range to bisect (find_surface_entries).
inline TableRange range_holding(const SurfaceTableIndex& index, std::int32_t count,
                                Surface surface) {
  if (index.bucket_starts == nullptr) return TableRange{0, count};
  const std::uintptr_t key = surface_key(surface);
  if (key < index.first_key || key > index.last_key) return TableRange{0, 0};
  const std::uintptr_t bucket = (key - index.first_key) >> index.shift;
  const std::int32_t first = index.bucket_starts[bucket];
  return TableRange{first, index.bucket_starts[bucket + 1] - first};
}

// Finds several surfaces in a sorted table at once, each by a bisection of the range the index
// gives for it (find_surface_entries).
//
// Inputs:  table, count  the sorted table
//          index         its index, or an empty one
//          surfaces      the handles to look for
//          lookups       how many (0 to kLookupBatch)
// Output:  indices[i] is the index of the entry holding surfaces[i], or -1 when there is none.
void find_indexed_surface_entries(const SurfaceEntry* table, std::int32_t count,
                                  const SurfaceTableIndex& index, const Surface* surfaces,
                                  int lookups, std::int32_t* indices);

}  // namespace adjsurf

#endif  // SELECT_CONNECTED_SURFACE_TABLE_INDEX_H
