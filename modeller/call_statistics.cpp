#include "modeller/call_statistics.h"

#include <chrono>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace standin {

std::uint64_t read_ticks() {
#if defined(__x86_64__) || defined(__i386__)
  return __rdtsc();
#else
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
#endif
}

void CallStatistics::reset() {
  per_function_ = {};
  appends_ = 0;
  append_hops_ = 0;
}

}  // namespace standin
