// The walk's speed layers, each of which can be left out of a build so that the benchmark can
// measure what it buys: it loads copies of the plug-in built with one layer off beside the one
// that ships, which has them all. No layer changes an answer, a host call or its order.
#ifndef SELECT_CONNECTED_SPEED_LAYERS_H
#define SELECT_CONNECTED_SPEED_LAYERS_H

namespace adjsurf {

// How many lookups are stepped together in lockstep bisections (1: one at a time).
#ifdef ADJSURF_LOOKUPS_ONE_AT_A_TIME
inline constexpr int kLookupBatch = 1;
#else
inline constexpr int kLookupBatch = 8;
#endif

// Whether memory the walk will read soon is prefetched.
#ifdef ADJSURF_WITHOUT_PREFETCHES
inline constexpr bool kPrefetches = false;
#else
inline constexpr bool kPrefetches = true;
#endif

// Whether the sorted table gets an index of where each run of high handle bits starts.
#ifdef ADJSURF_WITHOUT_TABLE_INDEX
inline constexpr bool kTableIndex = false;
#else
inline constexpr bool kTableIndex = true;
#endif

// Whether the walk asks the modeller for the edges of the surface it takes up next while it still
// works on the one in hand, so that they are on their way from memory when it gets there.
#ifdef ADJSURF_WITHOUT_ASKING_AHEAD
inline constexpr bool kAskingAhead = false;
#else
inline constexpr bool kAskingAhead = true;
#endif

// A hint that `address` will be read soon, where prefetching is on.
inline void prefetch(const void* address) {
  if (kPrefetches) __builtin_prefetch(address);
}

}  // namespace adjsurf

#endif  // SELECT_CONNECTED_SPEED_LAYERS_H
