// Splits the time of a run between the stand-in modeller's functions and the rest (the plug-in)
// by sampling: a timer interrupts the program at a fixed rate of wall time, and each interrupt
// counts which host function was running (CallStatistics::running), or none.
//
// Sampling costs the measured code nothing but the interrupts themselves, spread evenly over
// host and plug-in, so the shares hold whatever a clock read costs on the machine; the price is
// statistical: a share from n samples is good to about sqrt(share * (1 - share) / n).
#ifndef BENCHMARKS_HOST_TIME_SAMPLER_H
#define BENCHMARKS_HOST_TIME_SAMPLER_H

#include <time.h>

#include <array>
#include <cstdint>

#include "modeller/call_statistics.h"
#include "modeller/host_function_ids.h"

// Samples per host function (index number + 1) and outside every host function (index 0).
using HostSamples = std::array<std::uint32_t, standin::kHostFunctionCount + 1>;

class HostTimeSampler {
 public:
  // Samples `statistics` `rate` times a second from construction until stop().
  HostTimeSampler(const standin::CallStatistics& statistics, int rate);
  ~HostTimeSampler();
  HostTimeSampler(const HostTimeSampler&) = delete;
  HostTimeSampler& operator=(const HostTimeSampler&) = delete;

  // Stops sampling and returns what was counted; false when the timer could not be set up.
  bool stop(HostSamples& samples);

 private:
  bool running_ = false;  // the timer exists and is set; a timer id may be 0, so it cannot tell
  timer_t timer_{};
};

#endif  // BENCHMARKS_HOST_TIME_SAMPLER_H
