#ifndef SELECT_CONNECTED_COUNT_OBJECT_SURFACES_H
#define SELECT_CONNECTED_COUNT_OBJECT_SURFACES_H

#include <cstdint>

#include "host/vexo_host_api.h"

// Adds up the modeller's surface counts of the listed objects.
//
// Inputs:  objects  list of ModelObject (read only)
// Returns: the total, or -1 when it does not fit a signed 32-bit count. A negative count that an
//          inconsistent modeller reports for one object counts as zero.
std::int32_t count_object_surfaces(const List* objects);

#endif  // SELECT_CONNECTED_COUNT_OBJECT_SURFACES_H
