#include "vexo_sim/json_report.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace standin {
namespace {

// Keys in the order they are written, not sorted.
using Json = nlohmann::ordered_json;

Json object_report(const Host& host, std::size_t o) {
  Json object;
  object["name"] = host.model().object(o).name();
  object["surfaces"] = host.model().object(o).surface_count();
  object["selected"] = host.selection().selected_surfaces(o);
  object["selected_vertices"] = host.selection().selected_vertices(o);
  return object;
}

}  // namespace

void write_json_report(std::ostream& out, const Host& host) {
  Json report;
  report["objects"] = Json::array();
  for (std::size_t o = 0; o < host.model().object_count(); ++o) {
    report["objects"].push_back(object_report(host, o));
  }
  report["messages"] = host.events().texts(EventKind::kMessage);
  report["dialogs"] = host.events().texts(EventKind::kDialog);
  report["undo"] = Json::array();
  for (const UndoStep& step : host.selection().undo_steps()) report["undo"].push_back(step.label);
  report["select_mode"] = host.selection().mode();
  // Names come from model files and may hold bytes that are not UTF-8; each such byte becomes
  // U+FFFD, so that the report is always valid JSON (and dumping never throws).
  out << report.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
}

}  // namespace standin
