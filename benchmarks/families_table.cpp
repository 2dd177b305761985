#include "benchmarks/families_table.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "benchmarks/benchmark_models.h"
#include "benchmarks/command_runs.h"
#include "benchmarks/refusing_calloc.h"
#include "benchmarks/report_table.h"

namespace {

const std::vector<Column> kColumns = {
    {"family", 47}, {"sizes", 14},  {"surfaces", 8}, {"small ms", 8}, {"large ms", 8},
    {"growth", 6},  {"appends", 7}, {"x grid", 6},   {"peak MB", 7},  {"x grid", 6}};

// One family at its two sizes, and a plain grid as large as its large size.
struct FamilyFigures {
  CommandFigures small;
  CommandFigures large;
  CommandFigures grid;
  // How much the time per surface grew from the small size to the large one: about 1 for a
  // linear walk, about 10 for a quadratic one.
  double growth() const {
    const double small_per_surface = small.best_processor_ms / static_cast<double>(small.surfaces);
    const double large_per_surface = large.best_processor_ms / static_cast<double>(large.surfaces);
    return large_per_surface / small_per_surface;
  }
  bool selections_match() const {
    return small.selection_matches && large.selection_matches && grid.selection_matches;
  }
};

// Each size at least five times, as the growth check judges one ratio of two best runs.
bool measure_family(const Family& family, const std::string& plugin_path, int repeat,
                    FamilyFigures& figures) {
  repeat = std::max(repeat, 5);
  return measure_command(family.make(family.small_size), plugin_path, repeat, figures.small) &&
         measure_command(family.make(10 * family.small_size), plugin_path, repeat, figures.large) &&
         measure_command(grid_of(static_cast<std::uint32_t>(figures.large.surfaces)), plugin_path,
                         repeat, figures.grid);
}

void print_row(const Family& family, const FamilyFigures& f) {
  const double appends_per_reached =
      f.large.selected != 0 ? static_cast<double>(f.large.appends) / f.large.selected : 0;
  print_table_row(kColumns,
                  {family.name + ", " + family.unit,
                   std::to_string(family.small_size) + "/" + std::to_string(10 * family.small_size),
                   std::to_string(f.large.surfaces), figure(f.small.best_processor_ms, 2),
                   figure(f.large.best_processor_ms, 2), figure(f.growth(), 2, "x"),
                   figure(appends_per_reached, 3),
                   figure(f.large.best_processor_ms / f.grid.best_processor_ms, 2, "x"),
                   figure(f.large.peak_mb, 1), figure(f.large.peak_mb / f.grid.peak_mb, 2, "x")});
  if (!f.selections_match()) std::printf("  the selection differs from the yardstick's\n");
}

void print_notes(int repeat) {
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

bool print_families_table(const BenchmarkOptions& options) {
  print_table_header(kColumns);
  bool passed = true;
  for (const Family& family : make_families(options.quick)) {
    if (family.name.find(options.only) == std::string::npos) continue;
    if (family.refusal == Refusal::kCallocOfTheWalk && !refusing_calloc::available()) {
      print_table_row(kColumns, {family.name + ", " + family.unit,
                                 "n/a: this build cannot "
                                 "refuse calloc"});
      continue;
    }
    FamilyFigures figures;
    if (!measure_family(family, options.plugin_path, options.repeat, figures)) return false;
    print_row(family, figures);
    passed = passed && figures.selections_match();
    if (options.growth_limit > 0 && figures.growth() > options.growth_limit) {
      std::printf("  the time per surface grew %.2fx, more than the limit of %.2fx\n",
                  figures.growth(), options.growth_limit);
      passed = false;
    }
  }
  print_notes(options.repeat);
  return passed;
}
