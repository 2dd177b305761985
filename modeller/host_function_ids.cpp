#include "modeller/host_function_ids.h"

namespace standin {

const char* host_function_name(HostFunction function) {
  static constexpr const char* kNames[kHostFunctionCount] = {
#define VEXO_HOST_FUNCTION(name) #name,
#include "vexo_host_functions.inc"
#undef VEXO_HOST_FUNCTION
  };
  return kNames[static_cast<std::size_t>(function)];
}

bool is_list_walk(HostFunction function) {
  switch (function) {
    case HostFunction::list_add_item:
    case HostFunction::list_add_item_unique:
    case HostFunction::list_append_list:
    case HostFunction::list_free:
    case HostFunction::vx_edgelist_free:
      return true;
    default:
      return false;
  }
}

}  // namespace standin
