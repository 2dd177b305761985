#include "vexo_sim/transcript.h"

#include <cstdint>
#include <vector>

#include "messages/counts.h"
#include "messages/excerpt.h"
#include "messages/index_ranges.h"

namespace standin {

void print_plugin(std::ostream& out, const LoadedPlugin& plugin) {
  out << "Plug-in " << plugin.path() << "\n"
      << "  About: " << plugin.entry_points().VexoPluginAbout() << "\n"
      << "  Info:  " << plugin.entry_points().VexoPluginInfo() << "\n";
}

void print_tools_menu(std::ostream& out, const Host& host) {
  out << "Tools menu:\n";
  for (const MenuItem& item : host.commands().tools_menu()) {
    out << "  " << item.label << "    [" << item.command << "]\n"
        << "      " << item.description << "\n";
  }
}

void print_selection(std::ostream& out, const Host& host) {
  for (std::size_t o = 0; o < host.model().object_count(); ++o) {
    const std::vector<std::uint32_t> surfaces = host.selection().selected_surfaces(o);
    const std::size_t lone_vertices = host.selection().selected_vertices(o).size();
    const VexoModelObject& object = host.model().object(o);
    // A name is shown as messages quote one: cut short, and nothing in it that a terminal acts on.
    out << "  " << excerpt(object.name()) << ": " << grouped_digits(surfaces.size()) << " of "
        << counted(object.surface_count(), "surface", "surfaces") << " selected ("
        << format_index_ranges(surfaces) << ")";
    if (lone_vertices > 0) out << ", " << counted(lone_vertices, "lone vertex", "lone vertices");
    out << "\n";
  }
}

void print_events(std::ostream& out, const Host& host, std::size_t first) {
  const std::vector<HostEvent>& events = host.events().entries();
  for (std::size_t i = first; i < events.size(); ++i) {
    const HostEvent& event = events[i];
    switch (event.kind) {
      case EventKind::kDialog:
        out << "  dialog:    " << event.text << "\n";
        break;
      case EventKind::kMessage:
        out << "  message:   " << event.text << "\n";
        break;
      case EventKind::kUndoStep:
        out << "  undo step: " << event.text << "\n";
        break;
      case EventKind::kSelect:
        out << "  selected:  " << event.text << "\n";
        break;
      case EventKind::kRedraw:
        out << "  views redrawn\n";
        break;
      case EventKind::kStatus:
        out << "  status refreshed\n";
        break;
    }
  }
}

}  // namespace standin
