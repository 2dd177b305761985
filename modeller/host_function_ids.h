// The functions the stand-in modeller exports to plug-ins, as numbers, for tracing and timing
// calls. The list is made from the boundary header when the build is configured.
#ifndef MODELLER_HOST_FUNCTION_IDS_H
#define MODELLER_HOST_FUNCTION_IDS_H

#include <cstddef>

namespace standin {

// One enumerator per host function, named as the function is.
enum class HostFunction : int {
#define VEXO_HOST_FUNCTION(name) name,
#include "vexo_host_functions.inc"
#undef VEXO_HOST_FUNCTION
};

inline constexpr std::size_t kHostFunctionCount = 0
#define VEXO_HOST_FUNCTION(name) +1
#include "vexo_host_functions.inc"
#undef VEXO_HOST_FUNCTION
    ;

// The function's exported name.
const char* host_function_name(HostFunction function);

// True for the list functions that walk a caller's list (append, unique insert, join, free).
bool is_list_walk(HostFunction function);

}  // namespace standin

#endif  // MODELLER_HOST_FUNCTION_IDS_H
