// The models table: the command on single models of set sizes, its own part against the model's
// yardstick flood and against CGAL's connected_component where CGAL is built in.
#ifndef BENCHMARKS_MODELS_TABLE_H
#define BENCHMARKS_MODELS_TABLE_H

#include "benchmarks/benchmark_options.h"

// Prints the table and its notes. Returns false when the command failed on a model (the table
// stops there) or a selection differs from the yardstick's.
bool print_models_table(const BenchmarkOptions& options);

#endif  // BENCHMARKS_MODELS_TABLE_H
