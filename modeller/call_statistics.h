// How a run called into the stand-in modeller, for the benchmark: the calls per host function,
// how far list_add_item walked, and which host function is running at this moment. The last is
// one relaxed store on entry and one on return, cheap beside even the cheapest host function, so
// it is always kept; a sampling profiler reads it from a signal handler to split a run's time
// between the modeller and the plug-in without timing every call.
#ifndef MODELLER_CALL_STATISTICS_H
#define MODELLER_CALL_STATISTICS_H

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "modeller/host_function_ids.h"

namespace standin {

class CallStatistics {
 public:
  // Marks `function` as running, and counts the call; leave() marks that none is. Host
  // functions do not call one another, so there is no nesting to remember. Plain stores, not an
  // exchange: only the modeller's thread writes the mark.
  void enter(HostFunction function) {
    const auto number = static_cast<std::size_t>(function);
    ++calls_[number];
    running_.store(static_cast<int>(number) + 1, std::memory_order_relaxed);
  }
  void leave() { running_.store(0, std::memory_order_relaxed); }

  // The host function running now, as its number plus one; 0 when none is. Lock-free, so that a
  // signal handler may read it.
  const std::atomic<int>& running() const { return running_; }

  const std::array<std::uint64_t, kHostFunctionCount>& calls() const { return calls_; }

  // list_add_item: one more call, which stepped over `hops` nodes to reach the tail.
  void count_append(std::uint64_t hops) {
    ++appends_;
    append_hops_ += hops;
  }
  std::uint64_t appends() const { return appends_; }
  std::uint64_t append_hops() const { return append_hops_; }

  // Forgets every count.
  void reset() {
    calls_ = {};
    appends_ = 0;
    append_hops_ = 0;
  }

 private:
  static_assert(std::atomic<int>::is_always_lock_free, "read from a signal handler");
  std::atomic<int> running_{0};
  std::array<std::uint64_t, kHostFunctionCount> calls_{};
  std::uint64_t appends_ = 0;
  std::uint64_t append_hops_ = 0;
};

}  // namespace standin

#endif  // MODELLER_CALL_STATISTICS_H
