#ifndef VEXO_SIM_JSON_REPORT_H
#define VEXO_SIM_JSON_REPORT_H

#include <ostream>

#include "modeller/host_state.h"

namespace standin {

// Writes the host's state as one JSON object, for scripts and tests:
//   {"objects": [{"name": ..., "surfaces": N, "selected": [surface indices in file order],
//                 "selected_vertices": [lone vertex indices]}],
//    "messages": [...], "dialogs": [...], "undo": [labels, oldest first], "select_mode": N}
void write_json_report(std::ostream& out, const Host& host);

}  // namespace standin

#endif  // VEXO_SIM_JSON_REPORT_H
