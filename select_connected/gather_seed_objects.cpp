#include "select_connected/gather_seed_objects.h"

List* gather_seed_objects(const List* seeds) {
  List* objects = nullptr;
  for (const List* node = seeds; node != nullptr; node = node->next) {
    ModelObject owner = object_of_surface(static_cast<Surface>(node->item));
    if (owner != nullptr) list_add_item_unique(&objects, owner);
  }
  return objects;
}
