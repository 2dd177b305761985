#include "stand_in_host/host_functions.h"

namespace standin {

const char* host_function_name(HostFunction function) {
  static constexpr const char* kNames[kHostFunctionCount] = {
      "vx_add_command",
      "vx_add_tools_menu_item",
      "nothing_is_selected",
      "windows_message_dialog",
      "vx_get_select_mode",
      "vx_selection_get_whole_surfaces_all",
      "object_of_surface",
      "list_add_item_unique",
      "vx_object_get_num_surfaces",
      "vx_object_get_surfacelist",
      "vx_object_get_edges",
      "list_append_list",
      "list_free",
      "vx_edgelist_get_by_surface",
      "list_add_item",
      "vx_edgelist_free",
      "list_add_item_head",
      "display_message",
      "add_undoable_change_selection",
      "vx_selection_select_surfacelist",
      "redraw_all",
      "display_status",
  };
  return kNames[static_cast<std::size_t>(function)];
}

bool is_list_walk(HostFunction function) {
  switch (function) {
    case HostFunction::kListAddItem:
    case HostFunction::kListAddItemUnique:
    case HostFunction::kListAppendList:
    case HostFunction::kListFree:
    case HostFunction::kVxEdgelistFree:
      return true;
    default:
      return false;
  }
}

}  // namespace standin
