// Runs "Select connected surfaces" through the stand-in modeller on generated models and prints
// where the time goes (models_table.h), how the time per surface grows on shapes that would make
// a loop run k^2 times (families_table.h), what each speed layer buys, or how two builds compare
// (build_comparison.h).
//
// Exit status 1 when the command fails, a selection differs from the yardstick flood's, or a
// family grows beyond the limit; 2 for unusable arguments.
#include <CLI/CLI.hpp>

#include <cstdio>

#include "benchmarks/benchmark_options.h"
#include "benchmarks/build_comparison.h"
#include "benchmarks/command_runs.h"
#include "benchmarks/families_table.h"
#include "benchmarks/models_table.h"
#include "benchmarks/report_table.h"

namespace {

constexpr char kUsage[] =
    "usage: select_connected_benchmark [--plugin PATH] [--quick] [--detail] [--only TEXT]\n"
    "                                  [--repeat N] [--models] [--families] [--layers]\n"
    "                                  [--growth-limit X] [--vs PATH]\n"
    "  --plugin    the plug-in build to measure (default: the one built beside this program)\n"
    "  --quick     smaller models and families;  --detail  time per host function\n"
    "  --only      only the models and families whose name contains TEXT\n"
    "  --repeat    times are the best of N runs (default 3)\n"
    "  --models, --families, --layers  the tables to print (default: models and families);\n"
    "              --layers: the plug-in as it ships beside copies without one speed layer each\n"
    "  --growth-limit  fail when a family's time per surface grows more than X times\n"
    "  --vs PATH   only compare the command of --plugin and of PATH on the models, side by side\n";

// Reads the arguments into `options`. Returns empty, or what is wrong with them; "help" when
// the usage was asked for.
std::string parse_options(int argc, char** argv, BenchmarkOptions& options) {
  CLI::App app("select_connected_benchmark", "select_connected_benchmark");
  app.set_help_flag();
  app.allow_windows_style_options(false);
  bool help = false;
  options.plugin_path = ADJSURF_PATH;
  app.add_flag("-h,--help", help);
  app.add_option("--plugin", options.plugin_path)->check(CLI::ExistingFile);
  app.add_option("--vs", options.vs_path)->check(CLI::ExistingFile);
  app.add_flag("--quick", options.quick);
  app.add_flag("--detail", options.detail);
  app.add_option("--only", options.only);
  app.add_option("--repeat", options.repeat)->check(CLI::Range(1, 1000));
  app.add_option("--growth-limit", options.growth_limit)->check(CLI::PositiveNumber);
  app.add_flag("--models", options.models);
  app.add_flag("--families", options.families);
  app.add_flag("--layers", options.layers);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return error.what();
  }
  if (help) return "help";
  if (!options.models && !options.families && !options.layers) {
    options.models = true;
    options.families = true;
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  BenchmarkOptions options;
  const std::string problem = parse_options(argc, argv, options);
  if (problem == "help") {
    std::printf("%s", kUsage);
    return 0;
  }
  if (!problem.empty()) {
    std::fprintf(stderr, "select_connected_benchmark: %s\n%s", problem.c_str(), kUsage);
    return 2;
  }
  std::printf("Select connected surfaces: %s\nplug-in %s; host time sampled %d times a second\n",
              machine_description().c_str(), options.plugin_path.c_str(), kSampleRate);
  if (!options.vs_path.empty()) return print_build_comparison(options) ? 0 : 1;
  bool passed = true;
  if (options.models) {
    std::printf("\n");
    passed = print_models_table(options) && passed;
  }
  if (options.families) {
    std::printf("\n");
    passed = print_families_table(options) && passed;
  }
  if (options.layers) {
    std::printf("\n");
    passed = print_speed_layers_table(options) && passed;
  }
  return passed ? 0 : 1;
}
