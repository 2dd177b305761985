#include "benchmarks/build_comparison.h"

#include <cstdio>
#include <string>
#include <vector>

#include "benchmarks/benchmark_models.h"
#include "benchmarks/command_runs.h"
#include "benchmarks/report_table.h"

namespace {

// A copy of the plug-in without one speed layer.
struct LayerBuild {
  const char* layer;
  const char* path;
};

// The copies the build made beside the plug-in, one SPEED_LAYER_BUILD(layer, path) each.
constexpr LayerBuild kLayerBuilds[] = {
#define SPEED_LAYER_BUILD(layer, path) {layer, path},
#include "speed_layer_builds.inc"
#undef SPEED_LAYER_BUILD
};

// How much slower the command ran without a layer, as a share of the plug-in's own part with it:
// the builds make the same host calls, so the difference is the plug-in's alone.
std::string gain_cell(const BuildRuns& with, const BuildRuns& without) {
  const double gain = 100.0 * (without.best.command_ms - with.best.command_ms) / with.own_ms();
  return figure(without.best.command_ms, 1) + " " + figure(gain, 0, "%", with.split_measured());
}

}  // namespace

bool print_build_comparison(const BenchmarkOptions& options) {
  const std::vector<Column> columns = {{"model", 33}, {"--plugin", 10}, {"--vs", 10}, {"ratio", 6}};
  print_table_header(columns);
  for (const ModelRecipe& recipe : model_recipes(options.quick)) {
    if (recipe.name.find(options.only) == std::string::npos) continue;
    const Model model = recipe.make();
    std::vector<BuildRuns> runs;
    if (!compare_builds(model, {options.plugin_path, options.vs_path}, options.repeat, runs)) {
      return false;
    }
    const double first_ms = runs[0].best.command_ms;
    const double second_ms = runs[1].best.command_ms;
    print_table_row(columns, {model.name, figure(first_ms, 1), figure(second_ms, 1),
                              figure(second_ms / first_ms, 2, "x")});
  }
  std::printf(
      "\nmilliseconds, the command's best of %d runs of each build, their runs alternating in one\n"
      "process; ratio: --vs over --plugin.\n",
      options.repeat);
  return true;
}

bool print_speed_layers_table(const BenchmarkOptions& options) {
  std::vector<Column> columns = {{"model", 33}, {"command", 7}, {"plug-in", 7}};
  std::vector<std::string> paths = {options.plugin_path};
  for (const LayerBuild& build : kLayerBuilds) {
    columns.push_back({std::string("without ") + build.layer, 14});
    paths.push_back(build.path);
  }
  print_table_header(columns);
  for (const ModelRecipe& recipe : model_recipes(options.quick)) {
    if (!recipe.measures_speed_layers || recipe.name.find(options.only) == std::string::npos) {
      continue;
    }
    const Model model = recipe.make();
    std::vector<BuildRuns> runs;
    if (!compare_builds(model, paths, options.repeat, runs)) return false;
    std::vector<std::string> cells = {model.name, figure(runs[0].best.command_ms, 1),
                                      figure(runs[0].own_ms(), 1, "", runs[0].split_measured())};
    for (std::size_t b = 1; b < runs.size(); ++b) cells.push_back(gain_cell(runs[0], runs[b]));
    print_table_row(columns, cells);
  }
  std::printf(
      "\ncommand, plug-in: milliseconds, the plug-in as it ships: the command's best of %d runs,\n"
      "and its own part (the command less the time inside the host's functions, by the host's\n"
      "share of the samples over all its runs). without LAYER: the command's best time of a copy\n"
      "built without that layer, and how much that adds to the plug-in's own part. The builds'\n"
      "runs alternate in one process.\n",
      options.repeat);
  return true;
}
