// How a run spent its calls into the stand-in modeller, for the benchmark: per host function the
// calls and the time-stamp-counter ticks spent inside them, and how far list_add_item walked.
// Ticks are counted only while timing is on; they are the processor's counter, read in a few
// cycles, and the benchmark converts them to time against the clock within the same run.
#ifndef MODELLER_CALL_STATISTICS_H
#define MODELLER_CALL_STATISTICS_H

#include <array>
#include <cstddef>
#include <cstdint>

#include "modeller/host_functions.h"

namespace standin {

// The processor's time-stamp counter where there is one, else the steady clock in nanoseconds.
std::uint64_t read_ticks();

class CallStatistics {
 public:
  struct PerFunction {
    std::uint64_t calls = 0;
    std::uint64_t ticks = 0;
  };

  bool timing() const { return timing_; }
  void set_timing(bool on) { timing_ = on; }
  void add_call(HostFunction function, std::uint64_t ticks) {
    PerFunction& spent = per_function_[static_cast<std::size_t>(function)];
    ++spent.calls;
    spent.ticks += ticks;
  }
  const std::array<PerFunction, kHostFunctionCount>& per_function() const { return per_function_; }

  // list_add_item: one more call, which stepped over `hops` nodes to reach the tail.
  void count_append(std::uint64_t hops) {
    ++appends_;
    append_hops_ += hops;
  }
  std::uint64_t appends() const { return appends_; }
  std::uint64_t append_hops() const { return append_hops_; }

  // Forgets every count; timing stays as it is.
  void reset();

 private:
  bool timing_ = false;
  std::array<PerFunction, kHostFunctionCount> per_function_{};
  std::uint64_t appends_ = 0;
  std::uint64_t append_hops_ = 0;
};

}  // namespace standin

#endif  // MODELLER_CALL_STATISTICS_H
