#include "select_connected/walked_edges.h"

#include <cstdint>
#include <cstdlib>

namespace adjsurf {

namespace {

// The first table holds 32 edges before it grows; a model with a few crowded edges takes 512
// bytes on a 64-bit system.
constexpr int kFirstSlotBits = 6;

// Fibonacci hashing, as for the lookup memo: edge records are aligned and evenly spaced, and the
// multiplication spreads such addresses over the whole table.
std::size_t slot_of(const Edge* edge, int slot_bits) {
  const auto key = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(edge));
  return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> (64 - slot_bits));
}

// Puts edge in the first empty slot from its own on. The table must have an empty slot.
void place(const Edge** slots, std::size_t capacity, int slot_bits, const Edge* edge) {
  std::size_t slot = slot_of(edge, slot_bits);
  while (slots[slot] != nullptr) slot = (slot + 1) & (capacity - 1);
  slots[slot] = edge;
}

// Moves the set into a table of 2^slot_bits slots. Returns false, leaving the set as it was,
// when the table cannot be had. (calloc itself refuses a table whose size in bytes the address
// space cannot hold; the one bound here keeps the shift defined, far beyond any set that fits.)
bool regrow(WalkedEdges& walked, int slot_bits) {
  if (slot_bits >= static_cast<int>(sizeof(std::size_t) * 8)) return false;
  const std::size_t capacity = std::size_t{1} << slot_bits;
  // All-zero memory: every slot empty.
  auto* slots = static_cast<const Edge**>(std::calloc(capacity, sizeof(const Edge*)));
  if (slots == nullptr) return false;
  for (std::size_t slot = 0; slot < walked.capacity; ++slot) {
    if (walked.slots[slot] != nullptr) place(slots, capacity, slot_bits, walked.slots[slot]);
  }
  std::free(walked.slots);
  walked.slots = slots;
  walked.capacity = capacity;
  walked.slot_bits = slot_bits;
  return true;
}

}  // namespace

bool walked_edges_contain(const WalkedEdges& walked, const Edge* edge) {
  if (walked.count == 0 || edge == nullptr) return false;
  for (std::size_t slot = slot_of(edge, walked.slot_bits); walked.slots[slot] != nullptr;
       slot = (slot + 1) & (walked.capacity - 1)) {
    if (walked.slots[slot] == edge) return true;
  }
  return false;
}

bool remember_walked_edge(WalkedEdges& walked, const Edge* edge) {
  // At most half full, so that probes stay short and an empty slot always ends a search.
  if (2 * (walked.count + 1) > walked.capacity) {
    const int slot_bits = walked.capacity == 0 ? kFirstSlotBits : walked.slot_bits + 1;
    if (!regrow(walked, slot_bits)) return false;
  }
  place(walked.slots, walked.capacity, walked.slot_bits, edge);
  ++walked.count;
  return true;
}

void release_walked_edges(WalkedEdges& walked) {
  std::free(walked.slots);
  walked = WalkedEdges{};
}

}  // namespace adjsurf
