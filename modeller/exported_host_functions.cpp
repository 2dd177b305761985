// The functions the modeller exports to plug-ins, acting on the active stand-in Host.
//
// Lists are plain singly linked lists: list_add_item walks from the node it is given to the tail,
// as a modeller's list code does. With no active host every function does nothing and returns -1
// (or null). In checked mode, handles and nodes the caller gives back are checked and faults are
// recorded instead of acted on.
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "host/vexo_host_api.h"
#include "modeller/edge_batch.h"
#include "modeller/host_state.h"

using standin::Host;
using standin::HostFunction;
using standin::NodeOwner;
using standin::UniqueListIndex;

namespace {

// Traces one call on the active host and marks it as running while it lasts.
class HostCall {
 public:
  explicit HostCall(HostFunction function) : host(standin::active_host()) {
    if (host == nullptr) return;
    host->trace(function);
    host->statistics().enter(function);
  }
  ~HostCall() {
    if (host != nullptr) host->statistics().leave();
  }
  HostCall(const HostCall&) = delete;
  HostCall& operator=(const HostCall&) = delete;

  Host* const host;
};

bool object_is_usable(Host& host, ModelObject object, const char* function) {
  if (host.model().owns_object(object)) return true;
  host.nodes().report_fault(std::string(function) + ": unknown or null object handle");
  return false;
}

// Appends a node at the tail of the list that starts at *list, walking there from *list.
// Returns the number of nodes stepped over.
std::uint64_t append_node(List** list, List* node) {
  if (*list == nullptr) {
    *list = node;
    return 0;
  }
  List* tail = *list;
  std::uint64_t hops = 0;
  while (tail->next != nullptr) {
    tail = tail->next;
    ++hops;
  }
  tail->next = node;
  return hops;
}

// Frees the caller's nodes from head on; stops at the first node checked mode refuses.
void free_caller_list(Host& host, List* head) {
  while (head != nullptr) {
    List* next = head->next;
    if (!host.nodes().release_for_caller(head)) return;
    head = next;
  }
}

// The whole of a host function that only shows the user something: one event in the log.
int log_call(HostFunction function, standin::EventKind kind, std::string text) {
  HostCall call(function);
  if (call.host == nullptr) return -1;
  call.host->events().log(kind, std::move(text));
  return 0;
}

}  // namespace

extern "C" {

int VEXO_CDECL vx_add_command(const char* name, CommandHandler handler) {
  HostCall call(HostFunction::vx_add_command);
  Host* host = call.host;
  if (host == nullptr || name == nullptr) return -1;
  return host->commands().add_command(name, handler) ? 0 : -1;
}

int VEXO_CDECL vx_add_tools_menu_item(const char* label, const char* command,
                                      const char* description) {
  HostCall call(HostFunction::vx_add_tools_menu_item);
  Host* host = call.host;
  if (host == nullptr || label == nullptr || command == nullptr) return -1;
  host->commands().add_menu_item({label, command, description != nullptr ? description : ""});
  return 0;
}

int VEXO_CDECL nothing_is_selected(void) {
  HostCall call(HostFunction::nothing_is_selected);
  Host* host = call.host;
  return host == nullptr || host->selection().current().empty() ? 1 : 0;
}

int VEXO_CDECL vx_get_select_mode(void) {
  HostCall call(HostFunction::vx_get_select_mode);
  Host* host = call.host;
  return host == nullptr ? -1 : host->selection().mode();
}

List* VEXO_CDECL vx_selection_get_whole_surfaces_all(void) {
  HostCall call(HostFunction::vx_selection_get_whole_surfaces_all);
  Host* host = call.host;
  if (host == nullptr) return nullptr;
  List* head = nullptr;
  List* tail = nullptr;
  auto append = [&](Surface surface) {
    List* node = host->nodes().make(surface, nullptr, NodeOwner::kCaller);
    (tail != nullptr ? tail->next : head) = node;
    tail = node;
  };
  for (std::size_t o = 0; o < host->model().object_count(); ++o) {
    const auto& flags = host->selection().current().whole_surfaces[o];
    for (std::uint32_t s = 0; s < flags.size(); ++s) {
      if (flags[s]) append(host->model().surface(o, s));
    }
  }
  if (head != nullptr && !host->faults().extra_whole_surfaces.empty()) {
    for (Surface surface : host->faults().extra_whole_surfaces) append(surface);
    ++host->faults().inconsistent_answers;
  }
  return head;
}

ModelObject VEXO_CDECL object_of_surface(Surface surface) {
  HostCall call(HostFunction::object_of_surface);
  Host* host = call.host;
  if (host == nullptr || !host->model().owns_surface(surface)) return nullptr;
  if (surface->owner->inconsistencies.disowned) {
    ++host->faults().inconsistent_answers;
    return nullptr;
  }
  return surface->owner;
}

int VEXO_CDECL vx_object_get_num_surfaces(ModelObject object) {
  HostCall call(HostFunction::vx_object_get_num_surfaces);
  Host* host = call.host;
  if (host == nullptr || !object_is_usable(*host, object, "vx_object_get_num_surfaces")) return 0;
  if (object->inconsistencies.reported_surface_count) {
    ++host->faults().inconsistent_answers;
    return *object->inconsistencies.reported_surface_count;
  }
  return static_cast<int>(object->surface_count());
}

List* VEXO_CDECL vx_object_get_surfacelist(ModelObject object) {
  HostCall call(HostFunction::vx_object_get_surfacelist);
  Host* host = call.host;
  if (host == nullptr || !object_is_usable(*host, object, "vx_object_get_surfacelist")) {
    return nullptr;
  }
  if (object->inconsistencies.extra_listed_surfaces > 0) ++host->faults().inconsistent_answers;
  return object->surface_list;
}

List* VEXO_CDECL vx_object_get_edges(ModelObject object) {
  HostCall call(HostFunction::vx_object_get_edges);
  Host* host = call.host;
  if (host == nullptr || !object_is_usable(*host, object, "vx_object_get_edges")) return nullptr;
  const ObjectInconsistencies& inconsistencies = object->inconsistencies;
  if (inconsistencies.edges_withheld || !inconsistencies.extra_edge_surfaces.empty()) {
    ++host->faults().inconsistent_answers;
  }
  if (inconsistencies.edges_withheld) return nullptr;
  return standin::make_edge_batch(*object, host->nodes());
}

List* VEXO_CDECL vx_edgelist_get_by_surface(List* edges, Surface surface) {
  HostCall call(HostFunction::vx_edgelist_get_by_surface);
  Host* host = call.host;
  if (host == nullptr || edges == nullptr) return nullptr;
  if (!host->model().owns_surface(surface)) return nullptr;
  // Edge lists are indexed per batch: the newest batch of the surface's object answers, so no
  // call scans the whole edge list.
  const auto& batches = surface->owner->live_edge_batches;
  List* listed = batches.empty() ? nullptr : standin::edges_of_surface(*batches.back(), *surface);
  if (!host->checked()) return listed;
  return host->lent_edge_lists().lend(listed, host->nodes());
}

int VEXO_CDECL list_add_item(List** list, void* item) {
  HostCall call(HostFunction::list_add_item);
  Host* host = call.host;
  if (host == nullptr || list == nullptr) return -1;
  if (host->faults().list_add_items_seen++ == host->faults().refused_list_add_item) {
    ++host->faults().inconsistent_answers;
    return -1;
  }
  host->statistics().count_append(
      append_node(list, host->nodes().make(item, nullptr, NodeOwner::kCaller)));
  return 0;
}

int VEXO_CDECL list_add_item_head(List** list, void* item) {
  HostCall call(HostFunction::list_add_item_head);
  Host* host = call.host;
  if (host == nullptr || list == nullptr) return -1;
  *list = host->nodes().make(item, *list, NodeOwner::kCaller);
  return 0;
}

int VEXO_CDECL list_add_item_unique(List** list, void* item) {
  HostCall call(HostFunction::list_add_item_unique);
  Host* host = call.host;
  if (host == nullptr || list == nullptr) return -1;
  if (*list == nullptr) {
    *list = host->nodes().make(item, nullptr, NodeOwner::kCaller);
    return 0;
  }
  // A modeller's own code would walk the list; the index makes a long list of objects, built one
  // seed at a time, cost one step per item instead.
  UniqueListIndex& index = host->unique_lists();
  index.catch_up(*list, host->nodes().frees());
  if (index.holds(item)) return 0;
  index.append(host->nodes().make(item, nullptr, NodeOwner::kCaller));
  return 0;
}

int VEXO_CDECL list_append_list(List** destination, List* source) {
  HostCall call(HostFunction::list_append_list);
  Host* host = call.host;
  if (host == nullptr || destination == nullptr) return -1;
  if (host->faults().list_appends_left == 0) {
    ++host->faults().list_appends_refused;
    ++host->faults().inconsistent_answers;
    return -1;
  }
  if (host->faults().list_appends_left > 0) --host->faults().list_appends_left;
  if (source != nullptr) append_node(destination, source);
  return 0;
}

int VEXO_CDECL list_free(List** list) {
  HostCall call(HostFunction::list_free);
  Host* host = call.host;
  if (host == nullptr || list == nullptr) return -1;
  free_caller_list(*host, *list);
  *list = nullptr;
  return 0;
}

int VEXO_CDECL vx_edgelist_free(List** edges) {
  HostCall call(HostFunction::vx_edgelist_free);
  Host* host = call.host;
  if (host == nullptr || edges == nullptr) return -1;
  std::vector<standin::EdgeBatch*> emptied;
  for (List* node = *edges; node != nullptr;) {
    List* next = node->next;
    void* edge = node->item;
    if (!host->nodes().release_for_caller(node)) break;
    if (edge != nullptr) {
      standin::EdgeBatch* batch = standin::batch_of(edge);
      if (++batch->edges_freed == batch->edges.size()) emptied.push_back(batch);
    }
    node = next;
  }
  for (standin::EdgeBatch* batch : emptied) standin::destroy_edge_batch(batch, host->nodes());
  *edges = nullptr;
  return 0;
}

int VEXO_CDECL add_undoable_change_selection(const char* label) {
  HostCall call(HostFunction::add_undoable_change_selection);
  Host* host = call.host;
  if (host == nullptr) return -1;
  const std::string text = label != nullptr ? label : "";
  host->selection().record_undo_step(text);
  host->events().log(standin::EventKind::kUndoStep, text);
  return 0;
}

int VEXO_CDECL vx_selection_select_surfacelist(List* surfaces) {
  HostCall call(HostFunction::vx_selection_select_surfacelist);
  Host* host = call.host;
  if (host == nullptr) return -1;
  std::vector<Surface>& listed = host->selection().last_selected_list();
  listed.clear();
  for (const List* node = surfaces; node != nullptr; node = node->next) {
    Surface surface = static_cast<Surface>(node->item);
    if (!host->model().owns_surface(surface)) {
      host->nodes().report_fault("vx_selection_select_surfacelist: unknown or null surface handle");
      continue;
    }
    listed.push_back(surface);
    host->selection().current().whole_surfaces[surface->owner->index][surface->index] = 1;
  }
  host->events().log(standin::EventKind::kSelect, std::to_string(listed.size()) + " surfaces");
  return 0;
}

int VEXO_CDECL windows_message_dialog(const char* text) {
  return log_call(HostFunction::windows_message_dialog, standin::EventKind::kDialog,
                  text != nullptr ? text : "");
}

int VEXO_CDECL display_message(const char* format, ...) {
  HostCall call(HostFunction::display_message);
  Host* host = call.host;
  if (host == nullptr || format == nullptr) return -1;
  std::va_list args;
  va_start(args, format);
  std::va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);
  host->events().log(standin::EventKind::kMessage, text);
  return 0;
}

int VEXO_CDECL redraw_all(void) {
  return log_call(HostFunction::redraw_all, standin::EventKind::kRedraw, "");
}

int VEXO_CDECL display_status(void) {
  return log_call(HostFunction::display_status, standin::EventKind::kStatus, "");
}

}  // extern "C"
