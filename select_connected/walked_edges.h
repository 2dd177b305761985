// The crowded edges the flood has walked in full, so that it walks each of them only once.
//
// An edge with many users (a book of faces hinged on one edge, or the same polygon stacked many
// times on the same vertices) would otherwise be read in full again by every one of its users:
// k users cost k * k reads. Once every user of an edge has been queued, walking it again can add
// nothing, so the flood remembers it here and passes over it after that.
//
// An open-addressing hash set of edge records, from the C allocator, that grows as edges are
// added. It starts empty and allocates nothing until the first edge is remembered, so a model
// without crowded edges costs nothing. When memory for a larger set cannot be had, the edge is
// simply not remembered: the flood then walks it again, which is slower and gives the same answer.
#ifndef SELECT_CONNECTED_WALKED_EDGES_H
#define SELECT_CONNECTED_WALKED_EDGES_H

#include <cstddef>

#include "host/vexo_host_api.h"

namespace adjsurf {

struct WalkedEdges {
  const Edge** slots = nullptr;  // null slots are empty
  std::size_t capacity = 0;      // a power of two, or zero while nothing is remembered
  std::size_t count = 0;
  int slot_bits = 0;  // log2(capacity)
};

// Inputs:  walked  the set
//          edge    an edge record (null is never remembered)
// Returns: whether edge has been remembered.
bool walked_edges_contain(const WalkedEdges& walked, const Edge* edge);

// Remembers an edge, growing the set when it is half full.
//
// Inputs:  walked  the set
//          edge    an edge record, not null and not remembered yet
// Returns: false when the memory to hold it could not be had: the edge is then not remembered,
//          and the set is as it was.
bool remember_walked_edge(WalkedEdges& walked, const Edge* edge);

// Frees the set's memory and leaves it empty. An empty set is allowed.
void release_walked_edges(WalkedEdges& walked);

}  // namespace adjsurf

#endif  // SELECT_CONNECTED_WALKED_EDGES_H
