// Runs "Select connected surfaces" through the stand-in modeller on generated models and prints
// where the time goes: the command's wall time, the time inside host functions, the plug-in's own
// share, the list walks, the peak memory of the run, and a linear flood over flat arrays as the
// yardstick for the plug-in's own time.
//
// The command's time and the host's share come from the same run: while it runs, a timer
// samples which host function is running (host_time_sampler.h), and the shares of the samples
// split the run's wall time. Where a run is too short for enough samples, the split is printed
// as "n/a" rather than as a number.
//
// Then it runs families of shapes, each at two sizes ten times apart, and prints how the time per
// surface grew between them: a loop that runs k^2 times on some shape (a crowded edge, repeated
// faces, many objects, a huge polygon, a handle order that defeats the sort) shows as a tenfold
// growth. With --growth-limit, a family that grows more than the limit fails the run.
//
// Exit status 1 when the command fails, a selection differs from the linear flood's, or a family
// grows beyond the limit; 2 for unusable arguments.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "benchmarks/benchmark_models.h"
#include "benchmarks/host_time_sampler.h"
#include "benchmarks/linear_flood.h"
#include "modeller/host_state.h"
#include "modeller/plugin_loader.h"
#include "select_connected/surface_table.h"
#include "test_support/heap_meter.h"

namespace {

constexpr char kUsage[] =
    "usage: select_connected_benchmark [--plugin PATH] [--quick] [--detail] [--only TEXT]\n"
    "                                  [--repeat N] [--models | --families] [--growth-limit X]\n"
    "                                  [--vs PATH]\n"
    "  --quick     smaller models and families;  --detail  time per host function\n"
    "  --only      only the models and families whose name contains TEXT\n"
    "  --repeat    times are the best of N runs (default 3)\n"
    "  --models, --families  only that table\n"
    "  --growth-limit  fail when a family's time per surface grows more than X times\n"
    "  --vs PATH   only compare the command of --plugin and of PATH on the models, side by side\n";

using Clock = std::chrono::steady_clock;

// Samples a second of wall time, and the fewest samples a split is printed from: the host's share
// is then good to about 3.5 points of the command's time in the worst case. Each sample costs the
// run an interrupt (about 17 microseconds on the virtual machine measured here), so the rate is
// kept to where that adds under 2%; runs shorter than a fifth of a second print "n/a".
constexpr int kSampleRate = 1000;
constexpr std::uint32_t kFewestSamples = 200;

// One run of the command: its wall time and the host's share, both from that run.
struct SampledRun {
  double command_ms = 0;
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
};

struct Figures {
  std::size_t surfaces = 0;
  std::size_t seeds = 0;
  SampledRun best;      // the run with the least command time
  double first_ms = 0;  // the first run, on memory neither the modeller nor the plug-in used yet
  double best_processor_ms = 1e300;  // the least processor time of a run
  double hops_per_append = 0;
  double peak_mb = 0;
  double reference_ms = 0;
  std::size_t selected = 0;
  std::uint64_t appends = 0;       // list_add_item calls of the first run
  bool selection_matches = false;  // the selection is the linear flood's, surface by surface
};

double milliseconds(Clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

// Compares the host's selection with the linear flood's, object by object and surface by
// surface; counts the selected surfaces.
bool selection_is_linear_floods(const standin::Host& host, const Model& model,
                                std::size_t& selected) {
  bool same = true;
  selected = 0;
  for (std::size_t o = 0; o < model.meshes.size(); ++o) {
    const std::vector<std::uint8_t> expected = linear_flood(model.meshes[o], model.seeds[o]);
    const std::vector<std::uint8_t>& actual = host.selection().current().whole_surfaces[o];
    selected += static_cast<std::size_t>(std::count(actual.begin(), actual.end(), 1));
    same = same && std::equal(expected.begin(), expected.end(), actual.begin(), actual.end());
  }
  return same;
}

bool run_command(standin::Host& host) {
  const std::string error = host.run_command_text("vexo kwtadjsurf_go");
  if (!error.empty()) std::fprintf(stderr, "benchmark: %s\n", error.c_str());
  return error.empty();
}

// What the plug-in takes from the C allocator for one run, which the heap meter does not see:
// a table entry per surface of the seeded objects, the lookup memo, and at most a set of every
// crowded edge (four users or more) of those objects, at most half full.
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
  std::size_t edge_slots = crowded_edges == 0 ? 0 : 64;
  while (2 * crowded_edges > edge_slots) edge_slots *= 2;
  return entries * sizeof(adjsurf::SurfaceEntry) + sizeof(adjsurf::SurfaceIndexMemo) +
         edge_slots * sizeof(void*);
}

// The first run: peak memory (the host's node store grows to what the run needs, and the
// plug-in's table and memo live through most of it), appends, and the selection to compare with
// the reference.
bool measure_first_run(const Model& model, standin::Host& host, Figures& figures) {
  host.statistics().reset();
  heap_meter::reset_peak();
  const auto start = Clock::now();
  if (!run_command(host)) return false;
  figures.first_ms = milliseconds(Clock::now() - start);
  figures.peak_mb = (heap_meter::peak_above_reset() + plugin_heap_bytes(host, model)) / 1048576.0;
  const standin::CallStatistics& statistics = host.statistics();
  figures.hops_per_append = statistics.appends() != 0
                                ? static_cast<double>(statistics.append_hops()) /
                                      static_cast<double>(statistics.appends())
                                : 0;
  figures.appends = statistics.appends();
  figures.selection_matches = selection_is_linear_floods(host, model, figures.selected);
  return true;
}

// The processor time this thread has used, user and system: unlike the wall time, it does not
// grow while the thread waits for a processor that other programs hold.
double thread_processor_ms() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return 1e3 * static_cast<double>(now.tv_sec) + 1e-6 * static_cast<double>(now.tv_nsec);
}

// One run from the same selection, sampled.
bool sampled_run(standin::Host& host, SampledRun& run) {
  host.selection().undo();
  host.statistics().reset();
  HostTimeSampler sampler(host.statistics(), kSampleRate);
  const double processor_start = thread_processor_ms();
  const auto start = Clock::now();
  const bool ran = run_command(host);
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
bool measure_command(standin::Host& host, int repeat, Figures& figures) {
  constexpr double kShortRunsMs = 250;
  constexpr int kMostRuns = 100;
  figures.best.command_ms = 1e300;
  double spent_ms = 0;
  for (int round = 0; round < repeat || (spent_ms < kShortRunsMs && round < kMostRuns); ++round) {
    SampledRun run;
    if (!sampled_run(host, run)) return false;
    spent_ms += run.command_ms;
    if (run.command_ms < figures.best.command_ms) figures.best = run;
    figures.best_processor_ms = std::min(figures.best_processor_ms, run.processor_ms);
  }
  return true;
}

// The linear flood over the same models and seeds, best of `repeat` runs.
void measure_reference(const Model& model, int repeat, Figures& figures) {
  figures.reference_ms = 1e300;
  for (int round = 0; round < repeat; ++round) {
    const auto start = Clock::now();
    for (std::size_t o = 0; o < model.meshes.size(); ++o) {
      linear_flood(model.meshes[o], model.seeds[o]);
    }
    figures.reference_ms = std::min(figures.reference_ms, milliseconds(Clock::now() - start));
  }
}

bool measure(const Model& model, const std::string& plugin_path, int repeat, Figures& figures) {
  standin::Host host;
  standin::ActiveHost active(host);
  std::string error;
  auto plugin = standin::load_plugin(plugin_path, &error);
  if (!plugin) {
    std::fprintf(stderr, "benchmark: %s\n", error.c_str());
    return false;
  }
  build_scene(host, model);
  for (const auto& seeds : model.seeds) figures.seeds += seeds.size();
  for (const auto& mesh : model.meshes) figures.surfaces += mesh.surface_count();
  if (!measure_first_run(model, host, figures) || !measure_command(host, repeat, figures)) {
    return false;
  }
  measure_reference(model, repeat, figures);
  return true;
}

// One plug-in build in a host of its own, for comparing builds side by side.
struct Contender {
  std::unique_ptr<standin::Host> host = std::make_unique<standin::Host>();
  std::unique_ptr<standin::LoadedPlugin> plugin;
  double best_ms = 1e300;
};

// Times the command of two plug-in builds on the same model, each in a host of its own, their
// runs alternating (which goes first alternates too), so that a change in the machine's speed
// falls on both alike. Each figure is the best of `repeat` runs.
bool compare_builds(const Model& model, const std::string& first, const std::string& second,
                    int repeat, double& first_ms, double& second_ms) {
  Contender contenders[2];
  const std::string* paths[2] = {&first, &second};
  for (int c = 0; c < 2; ++c) {
    standin::Host& host = *contenders[c].host;
    standin::ActiveHost active(host);
    std::string error;
    contenders[c].plugin = standin::load_plugin(*paths[c], &error);
    if (!contenders[c].plugin) {
      std::fprintf(stderr, "benchmark: %s\n", error.c_str());
      return false;
    }
    build_scene(host, model);
    if (!run_command(host)) return false;
  }
  for (int round = 0; round < 2 * repeat; ++round) {
    Contender& contender = contenders[(round + round / 2) % 2];
    standin::ActiveHost active(*contender.host);
    contender.host->selection().undo();
    const auto start = Clock::now();
    if (!run_command(*contender.host)) return false;
    contender.best_ms = std::min(contender.best_ms, milliseconds(Clock::now() - start));
  }
  first_ms = contenders[0].best_ms;
  second_ms = contenders[1].best_ms;
  return true;
}

int compare_on_models(const std::string& first, const std::string& second, bool quick,
                      const std::string& only, int repeat) {
  std::printf("\n| %-32s | %10s | %10s | %6s |\n", "model", "--plugin", "--vs", "ratio");
  std::printf("|%s|%s|%s|%s|\n", std::string(34, '-').c_str(), std::string(12, '-').c_str(),
              std::string(12, '-').c_str(), std::string(8, '-').c_str());
  for (const Model& model : make_models(quick)) {
    if (model.name.find(only) == std::string::npos) continue;
    double first_ms = 0;
    double second_ms = 0;
    if (!compare_builds(model, first, second, repeat, first_ms, second_ms)) return 1;
    std::printf("| %-32s | %10.1f | %10.1f | %5.2fx |\n", model.name.c_str(), first_ms, second_ms,
                second_ms / first_ms);
    std::fflush(stdout);
  }
  std::printf(
      "\nmilliseconds, the command's best of %d runs of each build, their runs alternating in one\n"
      "process; ratio: --vs over --plugin.\n",
      repeat);
  return 0;
}

std::string machine_description() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  std::string cpu = "unknown processor";
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("model name", 0) == 0) {
      cpu = line.substr(line.find(':') + 2);
      break;
    }
  }
  char date[32];
  const std::time_t now = std::time(nullptr);
  std::strftime(date, sizeof date, "%Y-%m-%d", std::gmtime(&now));
  return cpu + ", " + std::to_string(std::thread::hardware_concurrency()) + " cores, " + date;
}

// A figure of `width` characters with one decimal and `suffix`, or "n/a" when not measured.
std::string figure(bool measured, double value, int width, const char* suffix) {
  char text[32];
  if (measured) {
    std::snprintf(text, sizeof text, "%*.1f%s", width, value, suffix);
  } else {
    std::snprintf(text, sizeof text, "%*s%s", width, "n/a", *suffix != '\0' ? " " : "");
  }
  return text;
}

void print_row(const std::string& name, const Figures& f) {
  const SampledRun& run = f.best;
  const bool split = run.split_measured;
  const double host_ms = run.host_ms([](standin::HostFunction) { return true; });
  const double walk_ms = run.host_ms(standin::is_list_walk);
  const double own_ms = run.command_ms - host_ms;
  std::printf(
      "| %-32s | %9zu | %9zu | %8.1f | %8.1f | %s | %s | %s | %5.2f | %7.1f | %8.1f | %s |%s\n",
      name.c_str(), f.surfaces, f.seeds, f.first_ms, run.command_ms,
      figure(split, host_ms, 8, "").c_str(), figure(split, own_ms, 8, "").c_str(),
      figure(split, 100.0 * walk_ms / run.command_ms, 5, "%").c_str(), f.hops_per_append, f.peak_mb,
      f.reference_ms, figure(split && f.reference_ms > 0, own_ms / f.reference_ms, 6, "x").c_str(),
      f.selection_matches ? "" : "  SELECTION DIFFERS FROM REFERENCE");
}

void print_detail(const Figures& f) {
  const SampledRun& run = f.best;
  std::printf("      %u samples, %u of them outside the host\n", run.total_samples, run.samples[0]);
  for (std::size_t i = 0; i < standin::kHostFunctionCount; ++i) {
    if (run.calls[i] == 0) continue;
    const auto function = static_cast<standin::HostFunction>(i);
    std::printf("      %-38s %10llu calls %9.1f ms\n", standin::host_function_name(function),
                static_cast<unsigned long long>(run.calls[i]),
                run.host_ms([&](standin::HostFunction f) { return f == function; }));
  }
}

void print_model_notes(int repeat) {
  std::printf(
      "\nfirst: milliseconds, the first run, whose memory (the modeller's edge records and list\n"
      "nodes, the plug-in's table) is new to the process: as vexo-sim --time measures a command.\n"
      "command, in host, plug-in (command minus in host): milliseconds, all from the best of\n"
      "%d later runs (of up to 100 where they are short), the split sampled within that run; n/a\n"
      "where it had too few samples.\n"
      "linear: milliseconds, best of as many runs. walks: share of the command spent in the\n"
      "host's list walks. hops: nodes list_add_item stepped over per append. ratio: plug-in /\n"
      "linear, the plug-in's own time against a linear flood over flat arrays.\n",
      repeat);
}

// One family at its two sizes, and a plain grid as large as its large size.
struct FamilyFigures {
  Figures small;
  Figures large;
  Figures grid;
  // How much the time per surface grew from the small size to the large one: about 1 for a
  // linear walk, about 10 for a quadratic one.
  double growth() const {
    const double small_per_surface = small.best_processor_ms / static_cast<double>(small.surfaces);
    const double large_per_surface = large.best_processor_ms / static_cast<double>(large.surfaces);
    return large_per_surface / small_per_surface;
  }
};

// Each size at least five times, as the growth check judges one ratio of two best runs.
bool measure_family(const Family& family, const std::string& plugin_path, int repeat,
                    FamilyFigures& figures) {
  repeat = std::max(repeat, 5);
  return measure(family.make(family.small_size), plugin_path, repeat, figures.small) &&
         measure(family.make(10 * family.small_size), plugin_path, repeat, figures.large) &&
         measure(grid_of(static_cast<std::uint32_t>(figures.large.surfaces)), plugin_path, repeat,
                 figures.grid);
}

void print_family_header() {
  std::printf("\n| %-34s | %9s | %9s | %9s | %9s | %6s | %7s | %6s | %8s | %6s |\n", "family",
              "sizes", "surfaces", "small ms", "large ms", "growth", "appends", "x grid", "peak MB",
              "x grid");
  std::printf("|%s|%s|%s|%s|%s|%s|%s|%s|%s|%s|\n", std::string(36, '-').c_str(),
              std::string(11, '-').c_str(), std::string(11, '-').c_str(),
              std::string(11, '-').c_str(), std::string(11, '-').c_str(),
              std::string(8, '-').c_str(), std::string(9, '-').c_str(), std::string(8, '-').c_str(),
              std::string(10, '-').c_str(), std::string(8, '-').c_str());
}

void print_family_row(const Family& family, const FamilyFigures& f) {
  const std::string sizes =
      std::to_string(family.small_size) + "/" + std::to_string(10 * family.small_size);
  const double appends_per_reached =
      f.large.selected != 0 ? static_cast<double>(f.large.appends) / f.large.selected : 0;
  const bool matches =
      f.small.selection_matches && f.large.selection_matches && f.grid.selection_matches;
  std::printf(
      "| %-34s | %9s | %9zu | %9.2f | %9.2f | %5.2fx | %7.3f | %5.2fx | %8.1f | %5.2fx |%s\n",
      (family.name + ", " + family.unit).c_str(), sizes.c_str(), f.large.surfaces,
      f.small.best_processor_ms, f.large.best_processor_ms, f.growth(), appends_per_reached,
      f.large.best_processor_ms / f.grid.best_processor_ms, f.large.peak_mb,
      f.large.peak_mb / f.grid.peak_mb, matches ? "" : "  SELECTION DIFFERS FROM REFERENCE");
}

void print_family_notes(int repeat) {
  std::printf(
      "\nsizes: the family's small and large size, in its unit; surfaces: at the large size.\n"
      "small ms, large ms: the command's processor time on its thread (which waiting for a busy\n"
      "processor does not add to), best of %d runs or more. growth: time per surface at the large\n"
      "size over that at the small one (1x linear, 10x quadratic). appends: list_add_item calls\n"
      "per surface selected, at the large size. x grid: the large size against a grid of as many\n"
      "quads seeded at one corner, measured in the same run: processor time, then peak memory.\n",
      std::max(repeat, 5));
}

}  // namespace

int main(int argc, char** argv) {
  std::string plugin_path = ADJSURF_PATH;
  bool quick = false;
  bool detail = false;
  bool models = true;
  bool families = true;
  double growth_limit = 0;
  std::string only;
  std::string other_plugin;
  int repeat = 3;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plugin") == 0 && i + 1 < argc) {
      plugin_path = argv[++i];
    } else if (std::strcmp(argv[i], "--quick") == 0) {
      quick = true;
    } else if (std::strcmp(argv[i], "--detail") == 0) {
      detail = true;
    } else if (std::strcmp(argv[i], "--models") == 0) {
      families = false;
    } else if (std::strcmp(argv[i], "--families") == 0) {
      models = false;
    } else if (std::strcmp(argv[i], "--growth-limit") == 0 && i + 1 < argc) {
      growth_limit = std::atof(argv[++i]);
    } else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
      only = argv[++i];
    } else if (std::strcmp(argv[i], "--vs") == 0 && i + 1 < argc) {
      other_plugin = argv[++i];
    } else {
      std::fprintf(stderr, "%s", kUsage);
      return 2;
    }
  }
  std::printf("Select connected surfaces: %s\nplug-in %s; host time sampled %d times a second\n",
              machine_description().c_str(), plugin_path.c_str(), kSampleRate);
  if (!other_plugin.empty())
    return compare_on_models(plugin_path, other_plugin, quick, only, repeat);
  bool failed = false;
  if (models) {
    std::printf("\n| %-32s | %9s | %9s | %8s | %8s | %8s | %8s | %6s | %5s | %7s | %8s | %7s |\n",
                "model", "surfaces", "seeds", "first", "command", "in host", "plug-in", "walks",
                "hops", "peak MB", "linear", "ratio");
    std::printf(
        "|%s|%s|%s|%s|%s|%s|%s|%s|%s|%s|%s|%s|\n", std::string(34, '-').c_str(),
        std::string(11, '-').c_str(), std::string(11, '-').c_str(), std::string(10, '-').c_str(),
        std::string(10, '-').c_str(), std::string(10, '-').c_str(), std::string(10, '-').c_str(),
        std::string(8, '-').c_str(), std::string(7, '-').c_str(), std::string(9, '-').c_str(),
        std::string(10, '-').c_str(), std::string(9, '-').c_str());
    for (const Model& model : make_models(quick)) {
      if (model.name.find(only) == std::string::npos) continue;
      Figures figures;
      if (!measure(model, plugin_path, repeat, figures)) return 1;
      print_row(model.name, figures);
      if (detail) print_detail(figures);
      failed = failed || !figures.selection_matches;
      std::fflush(stdout);
    }
    print_model_notes(repeat);
  }
  if (families) {
    print_family_header();
    for (const Family& family : make_families(quick)) {
      if (family.name.find(only) == std::string::npos) continue;
      FamilyFigures figures;
      if (!measure_family(family, plugin_path, repeat, figures)) return 1;
      print_family_row(family, figures);
      failed = failed || !figures.small.selection_matches || !figures.large.selection_matches;
      if (growth_limit > 0 && figures.growth() > growth_limit) {
        std::printf("  the time per surface grew %.2fx, more than the limit of %.2fx\n",
                    figures.growth(), growth_limit);
        failed = true;
      }
      std::fflush(stdout);
    }
    print_family_notes(repeat);
  }
  return failed ? 1 : 0;
}
