#include "select_connected/walked_edges.h"

#include <cstdint>
#include <cstdlib>

#include "select_connected/address_hash.h"

namespace adjsurf {

namespace {

std::size_t capacity_of(const WalkedEdges& walked) {
  return std::size_t{1} << walked.slot_bits;
}

const Edge** slots_of(WalkedEdges& walked) {
  return walked.heap_slots != nullptr ? walked.heap_slots : walked.inline_slots;
}

const Edge* const* slots_of(const WalkedEdges& walked) {
  return walked.heap_slots != nullptr ? walked.heap_slots : walked.inline_slots;
}

std::size_t slot_of(const Edge* edge, int slot_bits) {
  return static_cast<std::size_t>(address_slot(reinterpret_cast<std::uintptr_t>(edge), slot_bits));
}

// Puts edge in the first empty slot from its own on. The table must have an empty slot.
void place(const Edge** slots, int slot_bits, const Edge* edge) {
  const std::size_t last_slot = (std::size_t{1} << slot_bits) - 1;
  std::size_t slot = slot_of(edge, slot_bits);
  while (slots[slot] != nullptr) slot = (slot + 1) & last_slot;
  slots[slot] = edge;
}

// Moves the set into a table twice as large. Returns false, leaving the set as it was, when the
// table cannot be had. (calloc itself refuses a table whose size in bytes the address space
// cannot hold; the one bound here keeps the shift defined, far beyond any set that fits.)
bool grow(WalkedEdges& walked) {
  const int slot_bits = walked.slot_bits + 1;
  if (slot_bits >= static_cast<int>(sizeof(std::size_t) * 8)) return false;
  // All-zero memory: every slot empty.
  auto* slots =
      static_cast<const Edge**>(std::calloc(std::size_t{1} << slot_bits, sizeof(const Edge*)));
  if (slots == nullptr) return false;
  const Edge** old_slots = slots_of(walked);
  for (std::size_t slot = 0; slot < capacity_of(walked); ++slot) {
    if (old_slots[slot] != nullptr) place(slots, slot_bits, old_slots[slot]);
  }
  std::free(walked.heap_slots);
  walked.heap_slots = slots;
  walked.slot_bits = slot_bits;
  return true;
}

// Empties the table in use.
void forget_all(WalkedEdges& walked) {
  const Edge** slots = slots_of(walked);
  for (std::size_t slot = 0; slot < capacity_of(walked); ++slot) slots[slot] = nullptr;
  walked.count = 0;
}

}  // namespace

bool walked_edges_contain(const WalkedEdges& walked, const Edge* edge) {
  if (walked.count == 0 || edge == nullptr) return false;
  const Edge* const* slots = slots_of(walked);
  const std::size_t last_slot = capacity_of(walked) - 1;
  for (std::size_t slot = slot_of(edge, walked.slot_bits); slots[slot] != nullptr;
       slot = (slot + 1) & last_slot) {
    if (slots[slot] == edge) return true;
  }
  return false;
}

void remember_walked_edge(WalkedEdges& walked, const Edge* edge) {
  // At most half full, so that probes stay short and an empty slot always ends a search.
  if (2 * (walked.count + 1) > capacity_of(walked)) {
    if (walked.growable) walked.growable = grow(walked);
    if (!walked.growable) forget_all(walked);
  }
  place(slots_of(walked), walked.slot_bits, edge);
  ++walked.count;
}

void release_walked_edges(WalkedEdges& walked) {
  std::free(walked.heap_slots);
  walked.heap_slots = nullptr;
  walked.slot_bits = WalkedEdges::kInlineSlotBits;
  walked.growable = true;
  forget_all(walked);
}

}  // namespace adjsurf
