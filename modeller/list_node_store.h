// Where the stand-in host's list nodes come from, and, in checked mode, a ledger of every node it
// has handed out so that a plug-in's leaks, double frees and frees of lent lists are reported.
//
// Nodes come from large blocks with a free list, as a modeller's allocator would give them: one
// node per call, no per-node system allocation. In checked mode freed nodes are never reused,
// so a second free of the same node is still recognised.
#ifndef MODELLER_LIST_NODE_STORE_H
#define MODELLER_LIST_NODE_STORE_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/vexo_host_api.h"

namespace standin {

// Who frees a node: the caller (through list_free or vx_edgelist_free) or the host itself.
enum class NodeOwner { kCaller, kHost };

class ListNodeStore {
 public:
  explicit ListNodeStore(bool checked) : checked_(checked) {}
  ListNodeStore(const ListNodeStore&) = delete;
  ListNodeStore& operator=(const ListNodeStore&) = delete;

  List* make(void* item, List* next, NodeOwner owner);

  // Frees a node on the caller's behalf. In checked mode a node that was lent, freed already or
  // never handed out is reported and left alone; returns false then.
  bool release_for_caller(List* node);

  // Frees a node of a list the host owns.
  void release_host_node(List* node);
  void release_host_list(List* head);

  // Checked mode: nodes the host keeps in storage of its own, lent to callers like the nodes
  // from make(..., kHost), so that a caller freeing one is reported. The host forgets them
  // before it frees that storage.
  void register_host_node(const List* node) { ledger_[node] = NodeState::kHostLive; }
  void forget_host_node(const List* node) { ledger_.erase(node); }

  bool checked() const { return checked_; }
  std::size_t live_caller_nodes() const { return live_caller_nodes_; }
  // How many nodes have been freed, by callers or by the host, since the store was made.
  std::uint64_t frees() const { return frees_; }
  // Problems found in checked mode, one line each, in the order they happened.
  const std::vector<std::string>& faults() const { return faults_; }
  void report_fault(std::string fault) { faults_.push_back(std::move(fault)); }

 private:
  enum class NodeState { kCallerLive, kHostLive, kFreed };

  List* take_free_node();
  void recycle(List* node);

  bool checked_;
  std::vector<std::unique_ptr<List[]>> blocks_;
  std::size_t used_in_last_block_ = 0;
  List* free_nodes_ = nullptr;
  std::size_t live_caller_nodes_ = 0;
  std::uint64_t frees_ = 0;
  std::unordered_map<const List*, NodeState> ledger_;
  std::vector<std::string> faults_;
};

}  // namespace standin

#endif  // MODELLER_LIST_NODE_STORE_H
