#include "stand_in_host/json_report.h"

#include <cstdio>
#include <string>
#include <vector>

#include "stand_in_host/transcript.h"

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
  std::vector<std::size_t> objects(host.object_count());
  for (std::size_t o = 0; o < objects.size(); ++o) objects[o] = o;
  write_array(out, objects, [&](std::size_t o) {
    std::vector<std::uint32_t> vertices;
    const auto& flags = host.selection().vertices[o];
    for (std::uint32_t v = 0; v < flags.size(); ++v) {
      if (flags[v]) vertices.push_back(v);
    }
    out << "{\"name\": " << quoted(host.object(o).name())
        << ", \"surfaces\": " << host.object(o).surface_count() << ", \"selected\": ";
    write_array(out, selected_surfaces(host, o), [&](std::uint32_t s) { out << s; });
    out << ", \"selected_vertices\": ";
    write_array(out, vertices, [&](std::uint32_t v) { out << v; });
    out << "}";
  });
  out << ", \"messages\": ";
  write_texts(out, host.event_texts(EventKind::kMessage));
  out << ", \"dialogs\": ";
  write_texts(out, host.event_texts(EventKind::kDialog));
  std::vector<std::string> undo;
  for (const UndoStep& step : host.undo_steps()) undo.push_back(step.label);
  out << ", \"undo\": ";
  write_texts(out, undo);
  out << ", \"select_mode\": " << host.select_mode() << "}\n";
}

}  // namespace standin
