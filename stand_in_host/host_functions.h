// The functions the stand-in host exports to plug-ins, as numbers, for tracing and timing calls.
#ifndef STAND_IN_HOST_HOST_FUNCTIONS_H
#define STAND_IN_HOST_HOST_FUNCTIONS_H

#include <cstddef>

namespace standin {

enum class HostFunction : int {
  kVxAddCommand,
  kVxAddToolsMenuItem,
  kNothingIsSelected,
  kWindowsMessageDialog,
  kVxGetSelectMode,
  kVxSelectionGetWholeSurfacesAll,
  kObjectOfSurface,
  kListAddItemUnique,
  kVxObjectGetNumSurfaces,
  kVxObjectGetSurfacelist,
  kVxObjectGetEdges,
  kListAppendList,
  kListFree,
  kVxEdgelistGetBySurface,
  kListAddItem,
  kVxEdgelistFree,
  kListAddItemHead,
  kDisplayMessage,
  kAddUndoableChangeSelection,
  kVxSelectionSelectSurfacelist,
  kRedrawAll,
  kDisplayStatus,
};

inline constexpr std::size_t kHostFunctionCount = 22;

// The function's exported name.
const char* host_function_name(HostFunction function);

// True for the list functions that walk a caller's list (append, unique insert, join, free).
bool is_list_walk(HostFunction function);

}  // namespace standin

#endif  // STAND_IN_HOST_HOST_FUNCTIONS_H
