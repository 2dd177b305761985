#ifndef SELECT_CONNECTED_LAST_LIST_NODE_H
#define SELECT_CONNECTED_LAST_LIST_NODE_H

#include "host/vexo_host_api.h"

// The last node of the modeller's list that starts at `node`, found by walking it.
//
// Inputs:  node  a node of a list (not null)
// Returns: the node whose `next` is null.
List* last_list_node(List* node);

#endif  // SELECT_CONNECTED_LAST_LIST_NODE_H
