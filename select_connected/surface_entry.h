// One entry of the surface table: a surface and whether the flood fill has reached it.
#ifndef SELECT_CONNECTED_SURFACE_ENTRY_H
#define SELECT_CONNECTED_SURFACE_ENTRY_H

#include <cstdint>

#include "host/vexo_host_api.h"

struct SurfaceEntry {
  Surface surface = nullptr;  // ordered as an unsigned integer of the handle's width
  bool marked = false;        // only ever goes from false to true
};

// The order of the table: handles compared as unsigned integers, so that handles with the top
// bit set sort after the others on every pointer width.
inline std::uintptr_t surface_key(Surface surface) {
  return reinterpret_cast<std::uintptr_t>(surface);
}

#endif  // SELECT_CONNECTED_SURFACE_ENTRY_H
