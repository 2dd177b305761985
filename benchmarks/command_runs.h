// Runs "Select connected surfaces" through the stand-in modeller on a generated model and says
// where the time went: the command's wall time, the share inside the modeller's functions, the
// plug-in's own part (the rest), the appends, the peak memory, and whether the selection is a
// plain flood's.
//
// The command's time and the host's share come from the same run: while it runs, a timer
// samples which host function is running (host_time_sampler.h), and the shares of the samples
// split the run's wall time. Where a run is too short for enough samples, the split is not
// given rather than given as a number it cannot back.
#ifndef BENCHMARKS_COMMAND_RUNS_H
#define BENCHMARKS_COMMAND_RUNS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "benchmarks/benchmark_models.h"
#include "benchmarks/host_time_sampler.h"
#include "modeller/host_function_ids.h"

// Samples a second of wall time, and the fewest samples a split is given from: the host's share
// is then good to about 3.5 points of the command's time in the worst case. Each sample costs the
// run an interrupt (about 17 microseconds on the virtual machine measured here), so the rate is
// kept to where that adds under 2%; runs shorter than a fifth of a second give no split.
inline constexpr int kSampleRate = 1000;
inline constexpr std::uint32_t kFewestSamples = 200;

// One run of the command: its wall time and the host's share, both from that run.
struct SampledRun {
  double command_ms = 1e300;
  double processor_ms = 0;  // the processor time of the thread that ran the command
  HostSamples samples{};
  std::uint32_t total_samples = 0;
  bool split_measured = false;  // false: too few samples, or the timer could not be set
  std::array<std::uint64_t, standin::kHostFunctionCount> calls{};

  // The share of the command's time spent in the host functions `counted` selects.
  template <typename Counted>
  double host_ms(Counted counted) const {
    std::uint32_t inside = 0;
    for (std::size_t f = 0; f < standin::kHostFunctionCount; ++f) {
      if (counted(static_cast<standin::HostFunction>(f))) inside += samples[f + 1];
    }
    return total_samples != 0 ? command_ms * inside / total_samples : 0;
  }
  double in_host_ms() const {
    return host_ms([](standin::HostFunction) { return true; });
  }
  // The plug-in's own part: the command's time outside the host's functions.
  double own_ms() const { return command_ms - in_host_ms(); }
};

struct CommandFigures {
  std::size_t surfaces = 0;
  std::size_t seeds = 0;
  SampledRun best;      // the run with the least command time
  double first_ms = 0;  // the first run, on memory neither the modeller nor the plug-in used yet
  double best_processor_ms = 1e300;  // the least processor time of a run
  double hops_per_append = 0;
  double peak_mb = 0;
  std::size_t selected = 0;
  std::uint64_t appends = 0;       // list_add_item calls of the first run
  bool selection_matches = false;  // the selection is the yardstick flood's, surface by surface
  double yardstick_ms = 0;         // the model's yardstick flood, best of as many runs
};

// Loads the plug-in into a host of its own, adds the model, runs the command once on fresh
// memory and then `repeat` times or more (up to a quarter of a second or 100 runs where they are
// short), and times the model's yardstick flood. Returns false, saying why on stderr, when the
// plug-in cannot be loaded or the command fails.
bool measure_command(const Model& model, const std::string& plugin_path, int repeat,
                     CommandFigures& figures);

// One plug-in build's runs on a model: the best, and the host's share over all of them.
struct BuildRuns {
  SampledRun best;
  std::uint64_t samples = 0;          // over every run
  std::uint64_t samples_in_host = 0;  // of them, inside a host function
  // The plug-in's own part of the best run, by the host's share over every run: the builds make
  // the same host calls in every run, so the share of many runs is the surer figure.
  double own_ms() const {
    return samples != 0 ? best.command_ms * static_cast<double>(samples - samples_in_host) /
                              static_cast<double>(samples)
                        : best.command_ms;
  }
  bool split_measured() const { return samples >= kFewestSamples; }
};

// The runs of each plug-in build on the same model, each in a host of its own, their runs
// alternating (which goes first turns too), so that a change in the machine's speed falls on
// all alike. Returns false, saying why on stderr, when a build cannot be loaded or fails.
bool compare_builds(const Model& model, const std::vector<std::string>& plugin_paths, int repeat,
                    std::vector<BuildRuns>& builds);

#endif  // BENCHMARKS_COMMAND_RUNS_H
