// Plug-in builds side by side on the models, each in a host of its own, their runs alternating
// in one process: another build against this one (--vs), and the copies of this one built with
// one speed layer left out (select_connected/speed_layers.h), which show what each layer buys.
#ifndef BENCHMARKS_BUILD_COMPARISON_H
#define BENCHMARKS_BUILD_COMPARISON_H

#include "benchmarks/benchmark_options.h"

// The command of options.plugin_path and of options.vs_path on every model. Returns false when
// a build failed.
bool print_build_comparison(const BenchmarkOptions& options);

// The shipping build and its copies without one layer each, on the models the layers are judged
// on. Returns false when a build failed.
bool print_speed_layers_table(const BenchmarkOptions& options);

#endif  // BENCHMARKS_BUILD_COMPARISON_H
