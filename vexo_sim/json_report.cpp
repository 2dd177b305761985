#include "vexo_sim/json_report.h"

#include <cstdio>
#include <string>
#include <vector>

#include "vexo_sim/transcript.h"

namespace standin {
namespace {

std::string quoted(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out += escaped;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

template <typename Items, typename Write>
void write_array(std::ostream& out, const Items& items, Write write_item) {
  out << "[";
  bool first = true;
  for (const auto& item : items) {
    if (!first) out << ", ";
    first = false;
    write_item(item);
  }
  out << "]";
}

void write_texts(std::ostream& out, const std::vector<std::string>& texts) {
  write_array(out, texts, [&](const std::string& text) { out << quoted(text); });
}

}  // namespace

void write_json_report(std::ostream& out, const Host& host) {
  out << "{\"objects\": ";
  std::vector<std::size_t> objects(host.model().object_count());
  for (std::size_t o = 0; o < objects.size(); ++o) objects[o] = o;
  write_array(out, objects, [&](std::size_t o) {
    std::vector<std::uint32_t> vertices;
    const auto& flags = host.selection().current().vertices[o];
    for (std::uint32_t v = 0; v < flags.size(); ++v) {
      if (flags[v]) vertices.push_back(v);
    }
    out << "{\"name\": " << quoted(host.model().object(o).name())
        << ", \"surfaces\": " << host.model().object(o).surface_count() << ", \"selected\": ";
    write_array(out, host.selection().selected_surfaces(o), [&](std::uint32_t s) { out << s; });
    out << ", \"selected_vertices\": ";
    write_array(out, vertices, [&](std::uint32_t v) { out << v; });
    out << "}";
  });
  out << ", \"messages\": ";
  write_texts(out, host.events().texts(EventKind::kMessage));
  out << ", \"dialogs\": ";
  write_texts(out, host.events().texts(EventKind::kDialog));
  std::vector<std::string> undo;
  for (const UndoStep& step : host.selection().undo_steps()) undo.push_back(step.label);
  out << ", \"undo\": ";
  write_texts(out, undo);
  out << ", \"select_mode\": " << host.selection().mode() << "}\n";
}

}  // namespace standin
