// What list_add_item_unique knows of the list it last extended, so that adding one item after
// another to a long list costs one step each rather than a walk of the whole list each time.
//
// It remembers one list: its first node, its last node as far as it has walked, and the items on
// it. When asked about the same list again it walks on from where it stopped, so that items
// appended meanwhile by the other list functions are seen too. Another first node, or any node
// freed since (a freed node may come back in another list), makes it learn the list afresh. It
// trusts that nodes change only through the host's list functions, as the plug-in's do.
#ifndef MODELLER_UNIQUE_LIST_INDEX_H
#define MODELLER_UNIQUE_LIST_INDEX_H

#include <cstdint>
#include <unordered_set>

#include "host/vexo_host_api.h"

namespace standin {

class UniqueListIndex {
 public:
  // Brings the index up to date with the list that starts at `head` (not null).
  //
  // Inputs:  head           the list's first node
  //          frees_so_far   how many nodes the host has freed in all, to tell whether any was
  // Returns: the list's last node.
  List* catch_up(List* head, std::uint64_t frees_so_far);

  // Whether the list last caught up with holds `item`.
  bool holds(void* item) const { return items_.count(item) != 0; }

  // Links `node` behind the list's last node (the one catch_up returned) and notes its item.
  void append(List* node);

 private:
  List* head_ = nullptr;
  List* last_ = nullptr;
  std::uint64_t frees_ = 0;
  std::unordered_set<void*> items_;
};

}  // namespace standin

#endif  // MODELLER_UNIQUE_LIST_INDEX_H
