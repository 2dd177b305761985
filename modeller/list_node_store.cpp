#include "modeller/list_node_store.h"

#include <sstream>

namespace standin {
namespace {

// The first block is small, so that a model of a few dozen surfaces (a test's, a fuzz input's)
// does not cost a mebibyte per host; every later block is large, as a big model needs.
constexpr std::size_t kNodesInFirstBlock = std::size_t{1} << 12;
constexpr std::size_t kNodesInLaterBlocks = std::size_t{1} << 16;

std::size_t nodes_in_block(std::size_t index) {
  return index == 0 ? kNodesInFirstBlock : kNodesInLaterBlocks;
}

std::string describe(const char* what, const List* node) {
  std::ostringstream text;
  text << what << " (node " << static_cast<const void*>(node) << ")";
  return text.str();
}

}  // namespace

List* ListNodeStore::take_free_node() {
  if (free_nodes_ != nullptr) {
    List* node = free_nodes_;
    free_nodes_ = node->next;
    return node;
  }
  if (blocks_.empty() || used_in_last_block_ == nodes_in_block(blocks_.size() - 1)) {
    blocks_.emplace_back(new List[nodes_in_block(blocks_.size())]);
    used_in_last_block_ = 0;
  }
  return &blocks_.back()[used_in_last_block_++];
}

void ListNodeStore::recycle(List* node) {
  node->item = nullptr;
  node->next = free_nodes_;
  free_nodes_ = node;
}

List* ListNodeStore::make(void* item, List* next, NodeOwner owner) {
  List* node = take_free_node();
  node->item = item;
  node->next = next;
  if (owner == NodeOwner::kCaller) ++live_caller_nodes_;
  if (checked_) {
    ledger_[node] = owner == NodeOwner::kCaller ? NodeState::kCallerLive : NodeState::kHostLive;
  }
  return node;
}

bool ListNodeStore::release_for_caller(List* node) {
  if (checked_) {
    auto found = ledger_.find(node);
    if (found == ledger_.end()) {
      report_fault(describe("freed a list node the host never handed out", node));
      return false;
    }
    if (found->second == NodeState::kFreed) {
      report_fault(describe("freed a list node twice", node));
      return false;
    }
    if (found->second == NodeState::kHostLive) {
      report_fault(describe("freed a node of a list the host only lent", node));
      return false;
    }
    found->second = NodeState::kFreed;
    --live_caller_nodes_;
    ++frees_;
    return true;  // quarantined: never reused in checked mode
  }
  --live_caller_nodes_;
  ++frees_;
  recycle(node);
  return true;
}

void ListNodeStore::release_host_node(List* node) {
  ++frees_;
  if (checked_) {
    ledger_[node] = NodeState::kFreed;
    return;
  }
  recycle(node);
}

void ListNodeStore::release_host_list(List* head) {
  while (head != nullptr) {
    List* next = head->next;
    release_host_node(head);
    head = next;
  }
}

}  // namespace standin
