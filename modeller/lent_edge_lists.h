// Checked mode: the list of a surface's edges that vx_edgelist_get_by_surface hands out is a
// copy, readable only until the next call; then its first node is made to say "no more edges".
// A modeller may build that list in a buffer it reuses, and a plug-in may rely on no more than
// that: one that read a list after asking for the next would find it empty here, and miss edges
// where tests see it.
#ifndef MODELLER_LENT_EDGE_LISTS_H
#define MODELLER_LENT_EDGE_LISTS_H

#include <cstddef>
#include <memory>

#include "host/vexo_host_api.h"
#include "modeller/list_node_store.h"

namespace standin {

class LentEdgeLists {
 public:
  // Empties the list lent before, and lends a copy of `list` (which stays the host's). The
  // copy's nodes are registered with `nodes` as lent, so that freeing one is reported.
  List* lend(const List* list, ListNodeStore& nodes);
  // Forgets both copies' nodes and frees them.
  void clear(ListNodeStore& nodes);

 private:
  struct Copy {
    std::unique_ptr<List[]> nodes;
    std::size_t size = 0;
  };
  void forget(Copy& copy, ListNodeStore& nodes);

  Copy current_;
  Copy previous_;  // emptied, kept so that reading it is no fault of memory, only of answer
};

}  // namespace standin

#endif  // MODELLER_LENT_EDGE_LISTS_H
