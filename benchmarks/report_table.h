// The benchmark's tables, printed as Markdown so that they can be pasted into the docs as they
// are: a header, a rule, and one row a call.
#ifndef BENCHMARKS_REPORT_TABLE_H
#define BENCHMARKS_REPORT_TABLE_H

#include <string>
#include <vector>

struct Column {
  std::string title;
  int width;  // the cells' width (at least the title's); the first column is left-aligned, the
              // others right-aligned
};

void print_table_header(const std::vector<Column>& columns);

// One row; a cell wider than its column widens it.
void print_table_row(const std::vector<Column>& columns, const std::vector<std::string>& cells);

// `value` with `decimals` decimals and `suffix`, or "n/a" when not measured.
std::string figure(double value, int decimals, const char* suffix = "", bool measured = true);

// The processor, its cores and today's date, for the line above the tables.
std::string machine_description();

#endif  // BENCHMARKS_REPORT_TABLE_H
