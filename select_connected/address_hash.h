// Slots for addresses in the walk's hash tables (the lookup memo and the set of walked edges).
#ifndef SELECT_CONNECTED_ADDRESS_HASH_H
#define SELECT_CONNECTED_ADDRESS_HASH_H

#include <cstdint>

namespace adjsurf {

// The slot of `address` in a table of 2^slot_bits slots (slot_bits 1 to 63).
//
// Records a modeller hands out lie at a fixed stride: an array of edge records, or blocks of an
// allocator. A multiplication alone (Fibonacci hashing) maps some strides onto a few clusters of
// slots, as the multiplier times the stride has few significant bits left in the top. Every bit
// of the address is therefore mixed into every other first, by the 64-bit finalizer of
// MurmurHash3, and the slot taken from the top bits. One formula for 32-bit and 64-bit
// addresses alike (a 32-bit address widened), so that every build takes the path the tests take.
inline std::uint64_t address_slot(std::uintptr_t address, int slot_bits) {
  std::uint64_t mixed = static_cast<std::uint64_t>(address);
  mixed ^= mixed >> 33;
  mixed *= 0xFF51AFD7ED558CCDull;
  mixed ^= mixed >> 33;
  mixed *= 0xC4CEB9FE1A85EC53ull;
  mixed ^= mixed >> 33;
  return mixed >> (64 - slot_bits);
}

}  // namespace adjsurf

#endif  // SELECT_CONNECTED_ADDRESS_HASH_H
