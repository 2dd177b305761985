#include "select_connected/last_list_node.h"

List* last_list_node(List* node) {
  while (node->next != nullptr) node = node->next;
  return node;
}
