// Runs "Select connected surfaces" through the stand-in modeller on generated models and prints
// where the time goes: the command's wall time, the time inside host functions, the plug-in's own
// share, the list walks, the peak memory of the run, and a linear flood over flat arrays as the
// yardstick for the plug-in's own time.
//
// usage: select_connected_benchmark [--plugin PATH] [--quick] [--detail] [--only TEXT]
//                                   [--repeat N]
//   --quick   models a tenth of the size;  --detail  time per host function;
//   --only    only the models whose name contains TEXT;
//   --repeat  times are the best of N runs (default 3)
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <numeric>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "benchmarks/heap_meter.h"
#include "benchmarks/linear_flood.h"
#include "select_connected/surface_entry.h"
#include "select_connected/surface_index_memo.h"
#include "stand_in_host/host.h"
#include "stand_in_host/mesh_generators.h"
#include "stand_in_host/plugin_loader.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Model {
  std::string name;
  std::vector<standin::Mesh> meshes;
  std::vector<std::vector<std::uint32_t>> seeds;  // per mesh
  bool shuffled_handles = false;
};

struct Figures {
  std::size_t surfaces = 0;
  std::size_t seeds = 0;
  double command_ms = 0;
  double host_ms = 0;
  double list_walk_ms = 0;
  double hops_per_append = 0;
  double peak_mb = 0;
  double reference_ms = 0;
  std::size_t selected = 0;
  std::size_t reference_selected = 0;
  std::array<standin::Host::CallTime, standin::kHostFunctionCount> calls{};
};

double milliseconds(Clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

Model single(const std::string& name, standin::Mesh mesh, std::vector<std::uint32_t> seeds,
             bool shuffled = false) {
  Model model;
  model.name = name;
  model.meshes.push_back(std::move(mesh));
  model.seeds.push_back(std::move(seeds));
  model.shuffled_handles = shuffled;
  return model;
}

Model many_objects(std::uint32_t objects, std::uint32_t side) {
  Model model;
  model.name =
      "objects " + std::to_string(objects) + " x " + std::to_string(side * side) + ", all selected";
  for (std::uint32_t o = 0; o < objects; ++o) {
    model.meshes.push_back(standin::quad_grid("object" + std::to_string(o), side, side));
    std::vector<std::uint32_t> all(side * side);
    std::iota(all.begin(), all.end(), 0);
    model.seeds.push_back(std::move(all));
  }
  return model;
}

// "10k", "1M", "2M" for round surface counts.
std::string short_count(std::uint64_t count) {
  if (count % 1000000 == 0) return std::to_string(count / 1000000) + "M";
  if (count % 1000 == 0) return std::to_string(count / 1000) + "k";
  return std::to_string(count);
}

Model grid(const std::string& kind, std::uint32_t columns, std::uint32_t rows,
           bool shuffled = false) {
  return single(kind + " " + short_count(std::uint64_t{columns} * rows) +
                    (shuffled ? ", shuffled handles" : ""),
                standin::quad_grid(kind, columns, rows), {0}, shuffled);
}

std::vector<Model> make_models(bool quick) {
  std::vector<Model> models;
  const std::uint32_t scale = quick ? 10 : 1;
  models.push_back(grid("grid", 100, 100));
  models.push_back(grid("grid", 400, 250));
  models.push_back(grid("grid", 1000, 1000 / scale));
  if (!quick) models.push_back(grid("grid", 2000, 1000));
  models.push_back(grid("grid", 1000, 1000 / scale, true));
  models.push_back(single("rings 1000 x " + std::to_string(1000 / scale),
                          standin::ringed_polygon("rings", 1000, 1000 / scale), {0}));
  models.push_back(grid("strip", 1000000 / scale, 1));
  models.push_back(many_objects(10000 / scale, 10));
  return models;
}

std::vector<std::uint32_t> shuffled_slots(std::uint32_t count) {
  std::vector<std::uint32_t> slots(count);
  std::iota(slots.begin(), slots.end(), 0);
  std::shuffle(slots.begin(), slots.end(), std::mt19937(42));
  return slots;
}

// What one empty timed interval costs, to take off the host's measured time per call.
std::chrono::nanoseconds timer_cost_per_call() {
  constexpr int kRounds = 1000000;
  Clock::duration total{0};
  for (int i = 0; i < kRounds; ++i) {
    const auto start = Clock::now();
    total += Clock::now() - start;
  }
  return std::chrono::duration_cast<std::chrono::nanoseconds>(total / kRounds);
}

void build_scene(standin::Host& host, const Model& model) {
  for (std::size_t o = 0; o < model.meshes.size(); ++o) {
    const standin::Mesh& mesh = model.meshes[o];
    if (model.shuffled_handles) {
      const auto slots = shuffled_slots(mesh.surface_count());
      host.add_object(mesh, &slots);
    } else {
      host.add_object(mesh);
    }
    // A modeller keeps its edge structure with the model; build ours before timing.
    host.object(o).edge_topology();
    for (std::uint32_t s : model.seeds[o]) host.select_surface(o, s);
  }
}

std::size_t count_selected(const standin::Host& host) {
  std::size_t count = 0;
  for (const auto& flags : host.selection().whole_surfaces) {
    count += static_cast<std::size_t>(std::count(flags.begin(), flags.end(), 1));
  }
  return count;
}

bool run_command(standin::Host& host) {
  const std::string error = host.run_command_text("vexo kwtadjsurf_go");
  if (!error.empty()) std::fprintf(stderr, "benchmark: %s\n", error.c_str());
  return error.empty();
}

// The time spent in one host function, less what timing its calls cost.
double corrected_ms(const standin::Host::CallTime& time, std::chrono::nanoseconds timer_cost) {
  return std::max(0.0, milliseconds(time.spent - time.calls * timer_cost));
}

// What the plug-in takes from the C allocator for one run, which the heap meter does not see:
// a table entry per surface of the seeded objects, and the lookup memo.
std::size_t plugin_heap_bytes(const Model& model) {
  std::size_t entries = 0;
  for (std::size_t m = 0; m < model.meshes.size(); ++m) {
    if (!model.seeds[m].empty()) entries += model.meshes[m].surface_count();
  }
  return entries * sizeof(SurfaceEntry) + sizeof(SurfaceIndexMemo);
}

// The first run: peak memory (the host's node store grows to what the run needs, and the
// plug-in's table and memo live through most of it), appends, and the selection to compare with
// the reference.
bool measure_first_run(const Model& model, standin::Host& host, Figures& figures) {
  host.reset_call_statistics();
  heap_meter::reset_peak();
  if (!run_command(host)) return false;
  figures.peak_mb = (heap_meter::peak_above_reset() + plugin_heap_bytes(model)) / 1048576.0;
  figures.hops_per_append =
      host.appends != 0 ? static_cast<double>(host.append_hops) / host.appends : 0;
  figures.selected = count_selected(host);
  return true;
}

// The command's wall time from the same selection, with nothing timed inside the host: the best
// of `repeat` runs, as the machine is shared and the best run is the least disturbed.
bool measure_command(standin::Host& host, int repeat, Figures& figures) {
  figures.command_ms = 1e300;
  for (int round = 0; round < repeat; ++round) {
    host.undo();
    const auto start = Clock::now();
    if (!run_command(host)) return false;
    figures.command_ms = std::min(figures.command_ms, milliseconds(Clock::now() - start));
  }
  return true;
}

// The time inside each host function, from the run with the least of it.
bool measure_host(standin::Host& host, int repeat, std::chrono::nanoseconds timer_cost,
                  Figures& figures) {
  figures.host_ms = 1e300;
  for (int round = 0; round < repeat; ++round) {
    host.undo();
    host.reset_call_statistics();
    host.time_calls = true;
    const bool ran = run_command(host);
    host.time_calls = false;
    if (!ran) return false;
    double host_ms = 0;
    double list_walk_ms = 0;
    for (std::size_t f = 0; f < standin::kHostFunctionCount; ++f) {
      const double ms = corrected_ms(host.call_times()[f], timer_cost);
      host_ms += ms;
      if (standin::is_list_walk(static_cast<standin::HostFunction>(f))) list_walk_ms += ms;
    }
    if (host_ms < figures.host_ms) {
      figures.host_ms = host_ms;
      figures.list_walk_ms = list_walk_ms;
      figures.calls = host.call_times();
    }
  }
  return true;
}

// The linear flood over the same models and seeds, best of `repeat` runs.
void measure_reference(const Model& model, int repeat, Figures& figures) {
  figures.reference_ms = 1e300;
  for (int round = 0; round < repeat; ++round) {
    std::size_t reached_count = 0;
    const auto start = Clock::now();
    for (std::size_t o = 0; o < model.meshes.size(); ++o) {
      const auto reached = linear_flood(model.meshes[o], model.seeds[o]);
      reached_count += static_cast<std::size_t>(std::count(reached.begin(), reached.end(), 1));
    }
    figures.reference_ms = std::min(figures.reference_ms, milliseconds(Clock::now() - start));
    figures.reference_selected = reached_count;
  }
}

bool measure(const Model& model, const std::string& plugin_path, int repeat,
             std::chrono::nanoseconds timer_cost, Figures& figures) {
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
  if (!measure_first_run(model, host, figures) || !measure_command(host, repeat, figures) ||
      !measure_host(host, repeat, timer_cost, figures)) {
    return false;
  }
  measure_reference(model, repeat, figures);
  return true;
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

void print_row(const std::string& name, const Figures& f) {
  const double own_ms = std::max(0.0, f.command_ms - f.host_ms);
  std::printf(
      "| %-32s | %9zu | %9zu | %8.1f | %8.1f | %8.1f | %5.1f%% | %5.2f | %7.1f | %8.1f | %6.1fx "
      "|%s\n",
      name.c_str(), f.surfaces, f.seeds, f.command_ms, f.host_ms, own_ms,
      f.command_ms > 0 ? 100.0 * f.list_walk_ms / f.command_ms : 0.0, f.hops_per_append, f.peak_mb,
      f.reference_ms, f.reference_ms > 0 ? own_ms / f.reference_ms : 0.0,
      f.selected == f.reference_selected ? "" : "  SELECTION DIFFERS FROM REFERENCE");
}

void print_detail(const Figures& f, std::chrono::nanoseconds timer_cost) {
  for (std::size_t i = 0; i < standin::kHostFunctionCount; ++i) {
    const auto& time = f.calls[i];
    if (time.calls == 0) continue;
    std::printf("      %-38s %10llu calls %9.1f ms\n",
                standin::host_function_name(static_cast<standin::HostFunction>(i)),
                static_cast<unsigned long long>(time.calls), corrected_ms(time, timer_cost));
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string plugin_path = ADJSURF_PATH;
  bool quick = false;
  bool detail = false;
  std::string only;
  int repeat = 3;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--plugin") == 0 && i + 1 < argc) {
      plugin_path = argv[++i];
    } else if (std::strcmp(argv[i], "--quick") == 0) {
      quick = true;
    } else if (std::strcmp(argv[i], "--detail") == 0) {
      detail = true;
    } else if (std::strcmp(argv[i], "--repeat") == 0 && i + 1 < argc) {
      repeat = std::max(1, std::atoi(argv[++i]));
    } else if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
      only = argv[++i];
    } else {
      std::fprintf(stderr,
                   "usage: select_connected_benchmark [--plugin PATH] [--quick] [--detail] "
                   "[--only TEXT] [--repeat N]\n");
      return 2;
    }
  }
  const auto timer_cost = timer_cost_per_call();
  std::printf(
      "Select connected surfaces: %s\nplug-in %s; host call timing costs %lld ns a call, taken "
      "off\n\n",
      machine_description().c_str(), plugin_path.c_str(),
      static_cast<long long>(timer_cost.count()));
  std::printf("| %-32s | %9s | %9s | %8s | %8s | %8s | %6s | %5s | %7s | %8s | %7s |\n", "model",
              "surfaces", "seeds", "command", "in host", "plug-in", "walks", "hops", "peak MB",
              "linear", "ratio");
  std::printf("|%s|%s|%s|%s|%s|%s|%s|%s|%s|%s|%s|\n", std::string(34, '-').c_str(),
              std::string(11, '-').c_str(), std::string(11, '-').c_str(),
              std::string(10, '-').c_str(), std::string(10, '-').c_str(),
              std::string(10, '-').c_str(), std::string(8, '-').c_str(),
              std::string(7, '-').c_str(), std::string(9, '-').c_str(),
              std::string(10, '-').c_str(), std::string(9, '-').c_str());
  for (const Model& model : make_models(quick)) {
    if (model.name.find(only) == std::string::npos) continue;
    Figures figures;
    if (!measure(model, plugin_path, repeat, timer_cost, figures)) return 1;
    print_row(model.name, figures);
    if (detail) print_detail(figures, timer_cost);
    std::fflush(stdout);
  }
  std::printf(
      "\ncommand, in host, plug-in (command minus in host), linear: milliseconds, each the best\n"
      "of %d runs. walks: share of the command spent in the host's list walks. hops: nodes\n"
      "list_add_item stepped over per append. ratio: plug-in / linear, the plug-in's own time\n"
      "against a linear flood over flat arrays.\n",
      repeat);
  return 0;
}
