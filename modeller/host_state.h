// The stand-in modeller, assembled: its model, the user's selection with undo, its commands and
// Tools menu, the log of what the user would see, and, in checked mode, the ledger of every list
// node it hands out. The host functions a plug-in imports (exported_host_functions.cpp) act on
// these pieces of the active Host.
#ifndef MODELLER_HOST_STATE_H
#define MODELLER_HOST_STATE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/vexo_host_api.h"
#include "mesh/mesh.h"
#include "modeller/call_statistics.h"
#include "modeller/command_table.h"
#include "modeller/event_log.h"
#include "modeller/host_function_ids.h"
#include "modeller/lent_edge_lists.h"
#include "modeller/list_node_store.h"
#include "modeller/model.h"
#include "modeller/selection_history.h"
#include "modeller/unique_list_index.h"

namespace standin {

// Ways to make the host's answers inconsistent on purpose, for tests of how a plug-in copes.
struct HostFaults {
  // Handles appended to every whole-surface selection list: null, foreign or repeated ones.
  std::vector<Surface> extra_whole_surfaces;
  // How many more list_append_list calls join; the ones after leave the destination as it was,
  // as a modeller short of memory might, and the source stays the caller's. Negative: all join.
  int list_appends_left = -1;
  // How many list_append_list calls were refused so far.
  int list_appends_refused = 0;
  // Which list_add_item call (counted from 0) leaves the list as it was, as a modeller out of
  // list nodes might; negative: none. list_add_items_seen counts the calls.
  int refused_list_add_item = -1;
  int list_add_items_seen = 0;
  // How many answers the faults above, or an object's inconsistencies, have changed so far: a
  // test can tell from it that the fault it set up was in effect.
  int inconsistent_answers = 0;
};

class Host {
 public:
  // In checked mode every list node and handle the plug-in gives back is checked, and every host
  // call is traced by name.
  explicit Host(bool checked = false);
  ~Host();
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  // Adds an object to the model, with nothing of it selected (see Model::add_object).
  ModelObject add_object(Mesh mesh, const std::vector<std::uint32_t>* record_slots = nullptr);

  Model& model() { return model_; }
  const Model& model() const { return model_; }
  SelectionHistory& selection() { return selection_; }
  const SelectionHistory& selection() const { return selection_; }
  CommandTable& commands() { return commands_; }
  const CommandTable& commands() const { return commands_; }
  EventLog& events() { return events_; }
  const EventLog& events() const { return events_; }
  ListNodeStore& nodes() { return nodes_; }
  CallStatistics& statistics() { return statistics_; }
  HostFaults& faults() { return faults_; }
  UniqueListIndex& unique_lists() { return unique_lists_; }
  LentEdgeLists& lent_edge_lists() { return lent_edge_lists_; }

  // Runs "vexo NAME" with this host active. Returns an empty string or the error to show.
  std::string run_command_text(const std::string& text);
  std::string pick_menu_item(const std::string& label);

  bool checked() const { return nodes_.checked(); }
  // Traces a call by name in checked mode.
  void trace(HostFunction function);
  // Lists and edge records handed out and not given back, and every other fault seen.
  std::vector<std::string> problems() const;

 private:
  ListNodeStore nodes_;  // first: the model's lists come from it and go back to it
  Model model_;
  SelectionHistory selection_;
  CommandTable commands_;
  EventLog events_;
  CallStatistics statistics_;
  HostFaults faults_;
  UniqueListIndex unique_lists_;
  LentEdgeLists lent_edge_lists_;
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

#endif  // MODELLER_HOST_STATE_H
