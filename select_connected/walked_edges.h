// The crowded edges the flood has walked in full, so that it walks each of them only once.
//
// An edge with many users (a book of faces hinged on one edge, or the same polygon stacked many
// times on the same vertices) would otherwise be read in full again by every one of its users:
// k users cost k * k reads. Once every user of an edge has been queued, walking it again can add
// nothing, so the flood remembers it here and passes over it after that.
//
// Edges are told apart by the address of their record. That holds because the modeller's
// vx_edgelist_get_by_surface hands out the records of the edge list it is given, and those stay
// where they are until the list is freed with vx_edgelist_free, after the walk (vexo_host_api.h).
//
// An open-addressing hash set of edge records with linear probing, at most half full. Its first
// table of 64 slots lies in the record itself, so a model with a few crowded edges (a book)
// takes no memory at all; larger tables come from the C allocator as the set grows. When a
// larger table cannot be had, the set forgets every edge it holds and starts again in the table
// it has, and asks for no more memory: a forgotten edge is only walked again, which is slower
// and gives the same answer, and the edges the walk meets lately, which are the ones it meets
// again, are remembered still.
#ifndef SELECT_CONNECTED_WALKED_EDGES_H
#define SELECT_CONNECTED_WALKED_EDGES_H

#include <cstddef>

#include "host/vexo_host_api.h"

namespace adjsurf {

struct WalkedEdges {
  static constexpr int kInlineSlotBits = 6;
  const Edge* inline_slots[std::size_t{1} << kInlineSlotBits] = {};  // null slots are empty
  const Edge** heap_slots = nullptr;  // the table in use once the set has grown past the first
  std::size_t count = 0;
  int slot_bits = kInlineSlotBits;  // the table in use has 2^slot_bits slots
  bool growable = true;             // false once memory for a larger table was refused
};

// Inputs:  walked  the set
//          edge    an edge record (null is never remembered)
// Returns: whether edge is remembered.
bool walked_edges_contain(const WalkedEdges& walked, const Edge* edge);

// Remembers an edge, moving to a table twice as large when the set is half full, or, when that
// cannot be had, forgetting every edge it held before.
//
// Inputs:  walked  the set
//          edge    an edge record, not null and not remembered
void remember_walked_edge(WalkedEdges& walked, const Edge* edge);

// Frees the set's memory and leaves it empty. An empty set is allowed.
void release_walked_edges(WalkedEdges& walked);

}  // namespace adjsurf

#endif  // SELECT_CONNECTED_WALKED_EDGES_H
