#include "benchmarks/report_table.h"

#include <cstdio>
#include <ctime>
#include <fstream>
#include <thread>

namespace {

// A column is never narrower than its title, so that header, rule and cells line up.
int shown_width(const Column& column) {
  const int title = static_cast<int>(column.title.size());
  return column.width > title ? column.width : title;
}

}  // namespace

void print_table_header(const std::vector<Column>& columns) {
  std::vector<std::string> titles;
  for (const Column& column : columns) titles.push_back(column.title);
  print_table_row(columns, titles);
  for (const Column& column : columns)
    std::printf("|%s", std::string(shown_width(column) + 2, '-').c_str());
  std::printf("|\n");
}

void print_table_row(const std::vector<Column>& columns, const std::vector<std::string>& cells) {
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const std::string& cell = c < cells.size() ? cells[c] : std::string();
    std::printf(c == 0 ? "| %-*s " : "| %*s ", shown_width(columns[c]), cell.c_str());
  }
  std::printf("|\n");
  std::fflush(stdout);
}

std::string figure(double value, int decimals, const char* suffix, bool measured) {
  if (!measured) return "n/a";
  char text[64];
  std::snprintf(text, sizeof text, "%.*f%s", decimals, value, suffix);
  return text;
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
