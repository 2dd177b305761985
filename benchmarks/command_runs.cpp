#include "benchmarks/command_runs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <memory>

#include "benchmarks/refusing_calloc.h"
#include "modeller/host_state.h"
#include "plugin_loader/plugin_loader.h"
#include "select_connected/surface_table_index.h"
#include "select_connected/walked_edges.h"
#include "test_support/heap_meter.h"

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

// The processor time this thread has used, user and system: unlike the wall time, it does not
// grow while the thread waits for a processor that other programs hold.
double thread_processor_ms() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return 1e3 * static_cast<double>(now.tv_sec) + 1e-6 * static_cast<double>(now.tv_nsec);
}

// Compares the host's selection with the yardstick flood's, object by object and surface by
// surface; counts the selected surfaces.
bool selection_is(const std::vector<std::vector<std::uint8_t>>& expected, const standin::Host& host,
                  std::size_t& selected) {
  bool same = true;
  selected = 0;
  for (std::size_t o = 0; o < expected.size(); ++o) {
    const std::vector<std::uint8_t>& actual = host.selection().current().whole_surfaces[o];
    selected += static_cast<std::size_t>(std::count(actual.begin(), actual.end(), 1));
    same = same && std::equal(expected[o].begin(), expected[o].end(), actual.begin(), actual.end());
  }
  return same;
}

// Runs the command once, with what the model refuses it.
bool run_command(standin::Host& host, const Model& model) {
  if (model.refusal == Refusal::kFirstAppend) {
    host.faults().refused_list_add_item = 0;
    host.faults().list_add_items_seen = 0;
  }
  std::string error;
  {
    refusing_calloc::Refusal refusal(model.refusal == Refusal::kCallocOfTheWalk);
    error = host.run_command_text("vexo kwtadjsurf_go");
  }
  if (!error.empty()) std::fprintf(stderr, "benchmark: %s\n", error.c_str());
  return error.empty();
}

// The most the plug-in takes from the C allocator in one run, which the heap meter does not see:
// a table entry per surface of the seeded objects, the table's index, and a set of every crowded
// edge (four users or more) of those objects, at most half full, where it outgrows the set's own
// first table.
std::size_t plugin_heap_bytes(standin::Host& host, const Model& model) {
  std::size_t entries = 0;
  std::size_t crowded_edges = 0;
  for (std::size_t m = 0; m < model.meshes.size(); ++m) {
    if (model.seeds[m].empty()) continue;
    entries += model.meshes[m].surface_count();
    const standin::EdgeTopology& topology = host.model().object(m).edge_topology();
    for (std::uint32_t e = 0; e < topology.edge_count(); ++e) {
      if (topology.edge_surface_offsets[e + 1] - topology.edge_surface_offsets[e] >= 4) {
        ++crowded_edges;
      }
    }
  }
  std::size_t edge_slots = std::size_t{1} << adjsurf::WalkedEdges::kInlineSlotBits;
  while (2 * crowded_edges > edge_slots) edge_slots *= 2;
  if (edge_slots == std::size_t{1} << adjsurf::WalkedEdges::kInlineSlotBits) edge_slots = 0;
  return entries * sizeof(adjsurf::SurfaceEntry) +
         adjsurf::most_surface_table_index_bytes(static_cast<std::int32_t>(entries)) +
         edge_slots * sizeof(void*);
}

// The first run: peak memory (the host's node store grows to what the run needs, and the
// plug-in's table and memo live through most of it), appends, and the selection to compare with
// the yardstick's.
bool measure_first_run(const Model& model, standin::Host& host, CommandFigures& figures) {
  host.statistics().reset();
  heap_meter::reset_peak();
  const auto start = Clock::now();
  if (!run_command(host, model)) return false;
  figures.first_ms = milliseconds(Clock::now() - start);
  figures.peak_mb = (heap_meter::peak_above_reset() + plugin_heap_bytes(host, model)) / 1048576.0;
  const standin::CallStatistics& statistics = host.statistics();
  figures.hops_per_append = statistics.appends() != 0
                                ? static_cast<double>(statistics.append_hops()) /
                                      static_cast<double>(statistics.appends())
                                : 0;
  figures.appends = statistics.appends();
  figures.selection_matches = selection_is(yardstick_flood(model), host, figures.selected);
  return true;
}

// One run from the same selection, sampled.
bool sampled_run(standin::Host& host, const Model& model, SampledRun& run) {
  host.selection().undo();
  host.statistics().reset();
  HostTimeSampler sampler(host.statistics(), kSampleRate);
  const double processor_start = thread_processor_ms();
  const auto start = Clock::now();
  const bool ran = run_command(host, model);
  run.command_ms = milliseconds(Clock::now() - start);
  run.processor_ms = thread_processor_ms() - processor_start;
  const bool sampled = sampler.stop(run.samples);
  if (!ran) return false;
  run.calls = host.statistics().calls();
  for (std::uint32_t count : run.samples) run.total_samples += count;
  run.split_measured = sampled && run.total_samples >= kFewestSamples;
  return true;
}

// The best of `repeat` runs, as the machine is shared and the best run is the least disturbed.
// A short run is repeated more, up to a quarter of a second or 100 runs in all, so that one
// interruption cannot decide the time of a small model.
bool measure_repeated_runs(standin::Host& host, const Model& model, int repeat,
                           CommandFigures& figures) {
  constexpr double kShortRunsMs = 250;
  constexpr int kMostRuns = 100;
  double spent_ms = 0;
  for (int round = 0; round < repeat || (spent_ms < kShortRunsMs && round < kMostRuns); ++round) {
    SampledRun run;
    if (!sampled_run(host, model, run)) return false;
    spent_ms += run.command_ms;
    if (run.command_ms < figures.best.command_ms) figures.best = run;
    figures.best_processor_ms = std::min(figures.best_processor_ms, run.processor_ms);
  }
  return true;
}

// The yardstick flood over the same model and seeds, best of `repeat` runs.
void measure_yardstick(const Model& model, int repeat, CommandFigures& figures) {
  figures.yardstick_ms = 1e300;
  for (int round = 0; round < repeat; ++round) {
    const auto start = Clock::now();
    yardstick_flood(model);
    figures.yardstick_ms = std::min(figures.yardstick_ms, milliseconds(Clock::now() - start));
  }
}

// A host with the plug-in loaded and the model added: what each build runs in.
struct PluginHost {
  std::unique_ptr<standin::Host> host = std::make_unique<standin::Host>();
  std::unique_ptr<standin::LoadedPlugin> plugin;

  bool load(const std::string& path, const Model& model) {
    standin::ActiveHost active(*host);
    std::string error;
    plugin = standin::load_plugin(path, &error);
    if (!plugin) {
      std::fprintf(stderr, "benchmark: %s\n", error.c_str());
      return false;
    }
    build_scene(*host, model);
    return true;
  }
};

}  // namespace

bool measure_command(const Model& model, const std::string& plugin_path, int repeat,
                     CommandFigures& figures) {
  PluginHost loaded;
  if (!loaded.load(plugin_path, model)) return false;
  standin::ActiveHost active(*loaded.host);
  for (const auto& seeds : model.seeds) figures.seeds += seeds.size();
  for (const auto& mesh : model.meshes) figures.surfaces += mesh.surface_count();
  if (!measure_first_run(model, *loaded.host, figures) ||
      !measure_repeated_runs(*loaded.host, model, repeat, figures)) {
    return false;
  }
  measure_yardstick(model, repeat, figures);
  return true;
}

bool compare_builds(const Model& model, const std::vector<std::string>& plugin_paths, int repeat,
                    std::vector<BuildRuns>& runs) {
  const std::size_t builds = plugin_paths.size();
  std::vector<PluginHost> hosts(builds);
  for (std::size_t b = 0; b < builds; ++b) {
    if (!hosts[b].load(plugin_paths[b], model)) return false;
    standin::ActiveHost active(*hosts[b].host);
    if (!run_command(*hosts[b].host, model)) return false;
  }
  runs.assign(builds, BuildRuns{});
  for (int round = 0; round < repeat; ++round) {
    for (std::size_t turn = 0; turn < builds; ++turn) {
      const std::size_t b = (turn + static_cast<std::size_t>(round)) % builds;
      standin::ActiveHost active(*hosts[b].host);
      SampledRun run;
      if (!sampled_run(*hosts[b].host, model, run)) return false;
      if (run.command_ms < runs[b].best.command_ms) runs[b].best = run;
      runs[b].samples += run.total_samples;
      runs[b].samples_in_host += run.total_samples - run.samples[0];
    }
  }
  return true;
}
