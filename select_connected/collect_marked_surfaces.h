#ifndef SELECT_CONNECTED_COLLECT_MARKED_SURFACES_H
#define SELECT_CONNECTED_COLLECT_MARKED_SURFACES_H

#include <cstdint>

#include "host/vexo_host_api.h"
#include "select_connected/surface_entry.h"

// Lists the marked surfaces of the table.
//
// Inputs:  table, count  the surface table after the flood fill
// Outputs: result        receives a new modeller list of the marked surfaces in descending handle
//                        order (each is put at the head while the table is read ascending); the
//                        caller frees it with list_free
// Returns: the number of surfaces listed.
std::int32_t collect_marked_surfaces(const SurfaceEntry* table, std::int32_t count, List** result);

#endif  // SELECT_CONNECTED_COLLECT_MARKED_SURFACES_H
