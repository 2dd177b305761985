#ifndef STAND_IN_HOST_JSON_REPORT_H
#define STAND_IN_HOST_JSON_REPORT_H

#include <ostream>

#include "stand_in_host/host.h"

namespace standin {

// Writes the host's state as one JSON object, for scripts and tests:
//   {"objects": [{"name": ..., "surfaces": N, "selected": [surface indices in file order],
//                 "selected_vertices": [lone vertex indices]}],
//    "messages": [...], "dialogs": [...], "undo": [labels, oldest first], "select_mode": N}
void write_json_report(std::ostream& out, const Host& host);

}  // namespace standin

#endif  // STAND_IN_HOST_JSON_REPORT_H
