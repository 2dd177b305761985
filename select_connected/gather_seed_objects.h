#ifndef SELECT_CONNECTED_GATHER_SEED_OBJECTS_H
#define SELECT_CONNECTED_GATHER_SEED_OBJECTS_H

#include "host/vexo_host_api.h"

// Lists, once each, the objects that own the seed surfaces.
//
// Inputs:  seeds  the wholly selected surfaces (read only)
// Returns: a new modeller list of ModelObject, in order of first appearance; the caller frees it
//          with list_free. A seed the modeller reports no owner for adds nothing.
List* gather_seed_objects(const List* seeds);

#endif  // SELECT_CONNECTED_GATHER_SEED_OBJECTS_H
