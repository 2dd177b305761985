// What the benchmark was asked to do (select_connected_benchmark.cpp reads it from the command
// line).
#ifndef BENCHMARKS_BENCHMARK_OPTIONS_H
#define BENCHMARKS_BENCHMARK_OPTIONS_H

#include <string>

struct BenchmarkOptions {
  std::string plugin_path;  // the plug-in build measured
  std::string vs_path;      // another build to compare with, side by side; empty: none
  bool quick = false;       // smaller models and families
  bool detail = false;      // the calls and time per host function under each model's row
  std::string only;         // only the models and families whose name holds this
  int repeat = 3;           // times are the best of this many runs or more
  double growth_limit = 0;  // fail a family whose time per surface grows more; 0: no limit
  bool models = false;      // the tables to print
  bool families = false;
  bool layers = false;
};

#endif  // BENCHMARKS_BENCHMARK_OPTIONS_H
