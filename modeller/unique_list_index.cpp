#include "modeller/unique_list_index.h"

namespace standin {

List* UniqueListIndex::catch_up(List* head, std::uint64_t frees_so_far) {
  if (head != head_ || frees_so_far != frees_ || last_ == nullptr) {
    head_ = head;
    frees_ = frees_so_far;
    items_.clear();
    items_.insert(head->item);
    last_ = head;
  }
  while (last_->next != nullptr) {
    last_ = last_->next;
    items_.insert(last_->item);
  }
  return last_;
}

void UniqueListIndex::append(List* node) {
  last_->next = node;
  last_ = node;
  items_.insert(node->item);
}

}  // namespace standin
