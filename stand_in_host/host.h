// The stand-in modeller: a model of objects, a selection with a select mode, an undo/redo stack of
// selection snapshots, a command table, a Tools menu and a log of what the user would see. The
// host functions a plug-in imports (host_api.cpp) act on the active Host.
#ifndef STAND_IN_HOST_HOST_H
#define STAND_IN_HOST_HOST_H

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "host/vexo_host_api.h"
#include "stand_in_host/host_functions.h"
#include "stand_in_host/list_node_store.h"
#include "stand_in_host/mesh.h"
#include "stand_in_host/model_records.h"

namespace standin {

// The host's select-mode codes. A plug-in's command works in surface and vertex mode.
enum SelectMode : int { kObjectMode = 1, kSurfaceMode = 2, kVertexMode = 3, kEdgeMode = 4 };

struct Selection {
  std::vector<std::vector<std::uint8_t>> whole_surfaces;  // [object][surface]
  std::vector<std::vector<std::uint8_t>> vertices;        // [object][vertex], lone vertices
  bool empty() const;
};

struct UndoStep {
  std::string label;
  Selection selection;  // the selection to go back to
};

enum class EventKind { kDialog, kMessage, kUndoStep, kSelect, kRedraw, kStatus };
struct HostEvent {
  EventKind kind;
  std::string text;
};

struct MenuItem {
  std::string label;
  std::string command;
  std::string description;
};

class Host {
 public:
  // In checked mode every list node and handle the plug-in gives back is checked, and every host
  // call is traced by name.
  explicit Host(bool checked = false);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // The model. add_object throws std::invalid_argument for a loop vertex out of range.
  // record_slots, when given, places surface i's record at slot record_slots[i] (a permutation),
  // so that handle order differs from file order.
  ModelObject add_object(Mesh mesh, const std::vector<std::uint32_t>* record_slots = nullptr);
  std::size_t object_count() const { return objects_.size(); }
  VexoModelObject& object(std::size_t index) { return *objects_.at(index); }
  const VexoModelObject& object(std::size_t index) const { return *objects_.at(index); }
  Surface surface(std::size_t object_index, std::uint32_t surface_index);
  bool owns_object(ModelObject object) const { return object_set_.count(object) != 0; }
  // False for null, and in checked mode for a handle the host never gave out, which is then not
  // dereferenced. Only a selection that names one is the caller's fault; a query may pass on
  // what the host itself said. Outside checked mode every non-null handle is trusted.
  bool owns_surface(Surface surface) const;

  // The selection and select mode, as the user sets them.
  void select_surface(std::size_t object_index, std::uint32_t surface_index);
  void select_vertex(std::size_t object_index, std::uint32_t vertex_index);
  void clear_selection();
  const Selection& selection() const { return selection_; }
  Selection& selection() { return selection_; }
  int select_mode() const { return select_mode_; }
  void set_select_mode(int mode) { select_mode_ = mode; }

  // Undo and redo of selection changes. Each returns false when there is nothing to undo/redo.
  void record_undo_step(const std::string& label);
  bool undo();
  bool redo();
  const std::vector<UndoStep>& undo_steps() const { return undo_steps_; }

  // Commands and the Tools menu. Running returns an empty string or the error to show.
  bool add_command(const std::string& name, CommandHandler handler);
  void add_menu_item(MenuItem item) { menu_.push_back(std::move(item)); }
  const std::vector<MenuItem>& tools_menu() const { return menu_; }
  std::size_t command_count() const { return commands_.size(); }
  std::string run_command_text(const std::string& text);
  std::string pick_menu_item(const std::string& label);

  // What the user saw, and (checked mode) which host functions were called.
  void log(EventKind kind, std::string text) { events_.push_back({kind, std::move(text)}); }
  const std::vector<HostEvent>& events() const { return events_; }
  // The texts of the events of one kind, in order.
  std::vector<std::string> event_texts(EventKind kind) const;
  void trace(HostFunction function);
  const std::vector<std::string>& calls() const { return calls_; }
  void clear_log();

  // Appends a handle (null, foreign or repeated, for tests) to an object's own surface list.
  void list_extra_surface(std::size_t object_index, Surface surface);

  // Handles appended to every whole-surface selection list: null, foreign or repeated ones make
  // the host inconsistent on purpose, for tests.
  std::vector<Surface> extra_whole_surfaces;

  // How many more list_append_list calls join; the ones after leave the destination as it was,
  // as a modeller short of memory might, and the source stays the caller's. Negative: all join.
  int list_appends_left = -1;

  // The order of the surfaces in the last list handed to vx_selection_select_surfacelist.
  std::vector<Surface>& last_selected_list() { return last_selected_list_; }

  ListNodeStore& nodes() { return nodes_; }
  bool checked() const { return nodes_.checked(); }
  // Lists and edge records handed out and not given back, and every other fault seen.
  std::vector<std::string> problems() const;

  // Time spent inside each host function, when time_calls is set (benchmarks; off by default).
  struct CallTime {
    std::uint64_t calls = 0;
    std::chrono::nanoseconds spent{0};
  };
  bool time_calls = false;
  void add_call_time(HostFunction function, std::chrono::nanoseconds spent) {
    CallTime& time = call_times_[static_cast<std::size_t>(function)];
    ++time.calls;
    time.spent += spent;
  }
  const std::array<CallTime, kHostFunctionCount>& call_times() const { return call_times_; }
  void reset_call_statistics();

  // list_add_item statistics: calls, and nodes stepped over to reach the tail.
  std::uint64_t appends = 0;
  std::uint64_t append_hops = 0;

 private:
  std::vector<std::unique_ptr<VexoModelObject>> objects_;
  std::unordered_set<ModelObject> object_set_;
  std::unordered_set<Surface> surface_set_;  // filled in checked mode only
  Selection selection_;
  int select_mode_ = kSurfaceMode;
  std::vector<UndoStep> undo_steps_;
  std::vector<UndoStep> redo_steps_;
  std::map<std::string, CommandHandler> commands_;
  std::vector<MenuItem> menu_;
  std::vector<HostEvent> events_;
  std::vector<std::string> calls_;
  std::vector<Surface> last_selected_list_;
  std::array<CallTime, kHostFunctionCount> call_times_{};
  ListNodeStore nodes_;
};

// The host the imported functions act on. Null when none is active; the functions then do
// nothing and return failure.
Host* active_host();

// Makes a host the active one for its lifetime.
class ActiveHost {
 public:
  explicit ActiveHost(Host& host);
  ~ActiveHost();
  ActiveHost(const ActiveHost&) = delete;
  ActiveHost& operator=(const ActiveHost&) = delete;

 private:
  Host* previous_;
};

}  // namespace standin

#endif  // STAND_IN_HOST_HOST_H
