#include "benchmarks/models_table.h"

#include <cstdio>
#include <string>
#include <vector>

#include "benchmarks/benchmark_models.h"
#include "benchmarks/cgal_peer.h"
#include "benchmarks/command_runs.h"
#include "benchmarks/report_table.h"

namespace {

const std::vector<Column> kColumns = {
    {"model", 33},    {"surfaces", 8}, {"seeds", 7}, {"first", 7},   {"command", 7},
    {"in host", 7},   {"plug-in", 7},  {"walks", 5}, {"hops", 4},    {"peak MB", 7},
    {"yardstick", 9}, {"ms", 7},       {"ratio", 5}, {"CGAL ms", 7}, {"x CGAL", 6}};

const char* yardstick_name(Yardstick yardstick) {
  return yardstick == Yardstick::kThroughVertices ? "vertices" : "edges";
}

void print_row(const Model& model, const CommandFigures& f, const PeerFigures& peer) {
  const SampledRun& run = f.best;
  const bool split = run.split_measured;
  const double own_ms = run.own_ms();
  const double walk_ms = run.host_ms(standin::is_list_walk);
  print_table_row(
      kColumns,
      {model.name, std::to_string(f.surfaces), std::to_string(f.seeds), figure(f.first_ms, 1),
       figure(run.command_ms, 1), figure(run.in_host_ms(), 1, "", split),
       figure(own_ms, 1, "", split), figure(100.0 * walk_ms / run.command_ms, 1, "%", split),
       figure(f.hops_per_append, 2), figure(f.peak_mb, 1), yardstick_name(model.yardstick),
       figure(f.yardstick_ms, 1), figure(own_ms / f.yardstick_ms, 2, "x", split),
       figure(peer.best_ms, 1, "", peer.measured),
       figure(own_ms / peer.best_ms, 2, "x", split && peer.measured)});
  if (!f.selection_matches) std::printf("  the selection differs from the yardstick's\n");
  if (peer.measured && peer.selected != f.selected) {
    std::printf("  CGAL selected %zu surfaces, the command %zu\n", peer.selected, f.selected);
  }
}

void print_detail(const CommandFigures& f) {
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

void print_notes(int repeat) {
  std::printf(
      "\nfirst: milliseconds, the first run, whose memory (the modeller's edge records and list\n"
      "nodes, the plug-in's table) is new to the process: as vexo-sim --time measures a command.\n"
      "command, in host, plug-in (command minus in host): milliseconds, all from the best of\n"
      "%d later runs (of up to 100 where they are short), the split sampled within that run; n/a\n"
      "where it had too few samples. walks: share of the command spent in the host's list\n"
      "walks. hops: nodes list_add_item stepped over per append.\n"
      "yardstick, ms: the linear flood over flat arrays the row is measured against, finding\n"
      "neighbours around each vertex (vertices) or through loop steps grouped into edges (edges),\n"
      "and its best time; ratio: plug-in / ms. CGAL ms: CGAL's connected_component on a\n"
      "Surface_mesh of the same model, best of as many runs (n/a where CGAL is not built in);\n"
      "x CGAL: plug-in / CGAL ms.\n",
      repeat);
}

}  // namespace

bool print_models_table(const BenchmarkOptions& options) {
  print_table_header(kColumns);
  bool passed = true;
  for (const ModelRecipe& recipe : model_recipes(options.quick)) {
    if (recipe.name.find(options.only) == std::string::npos) continue;
    const Model model = recipe.make();
    CommandFigures figures;
    if (!measure_command(model, options.plugin_path, options.repeat, figures)) return false;
    print_row(model, figures, time_cgal_connected_component(model, options.repeat));
    if (options.detail) print_detail(figures);
    passed = passed && figures.selection_matches;
  }
  print_notes(options.repeat);
  return passed;
}
