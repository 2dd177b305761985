// What vexo-sim prints for a person: the plug-in, the Tools menu, the selection per object and
// what the modeller showed.
#ifndef VEXO_SIM_TRANSCRIPT_H
#define VEXO_SIM_TRANSCRIPT_H

#include <cstddef>
#include <ostream>

#include "modeller/host_state.h"
#include "plugin_loader/plugin_loader.h"

namespace standin {

void print_plugin(std::ostream& out, const LoadedPlugin& plugin);
void print_tools_menu(std::ostream& out, const Host& host);
void print_selection(std::ostream& out, const Host& host);
// The events logged from index `first` on.
void print_events(std::ostream& out, const Host& host, std::size_t first);

}  // namespace standin

#endif  // VEXO_SIM_TRANSCRIPT_H
