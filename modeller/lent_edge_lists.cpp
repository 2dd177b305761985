#include "modeller/lent_edge_lists.h"

#include <utility>

namespace standin {

List* LentEdgeLists::lend(const List* list, ListNodeStore& nodes) {
  forget(previous_, nodes);
  previous_ = std::move(current_);
  if (previous_.size > 0) previous_.nodes[0] = List{nullptr, nullptr};
  std::size_t size = 0;
  for (const List* node = list; node != nullptr; node = node->next) ++size;
  current_ = Copy{};
  if (size == 0) return nullptr;
  current_.nodes = std::make_unique<List[]>(size);
  current_.size = size;
  std::size_t k = 0;
  for (const List* node = list; node != nullptr; node = node->next, ++k) {
    current_.nodes[k] = List{node->item, k + 1 < size ? &current_.nodes[k + 1] : nullptr};
    nodes.register_host_node(&current_.nodes[k]);
  }
  return &current_.nodes[0];
}

void LentEdgeLists::clear(ListNodeStore& nodes) {
  forget(current_, nodes);
  forget(previous_, nodes);
}

void LentEdgeLists::forget(Copy& copy, ListNodeStore& nodes) {
  for (std::size_t k = 0; k < copy.size; ++k) nodes.forget_host_node(&copy.nodes[k]);
  copy = Copy{};
}

}  // namespace standin
