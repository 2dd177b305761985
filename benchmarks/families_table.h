// The families table: shapes that would make a loop run k^2 times, each at two sizes ten times
// apart, with the growth of the time per surface between them.
#ifndef BENCHMARKS_FAMILIES_TABLE_H
#define BENCHMARKS_FAMILIES_TABLE_H

#include "benchmarks/benchmark_options.h"

// Prints the table and its notes. Returns false when the command failed on a model (the table
// stops there), a selection differs from the yardstick's, or a family grew more than
// options.growth_limit.
bool print_families_table(const BenchmarkOptions& options);

#endif  // BENCHMARKS_FAMILIES_TABLE_H
