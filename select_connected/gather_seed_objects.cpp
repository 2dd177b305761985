#include "select_connected/gather_seed_objects.h"

List* gather_seed_objects(const List* seeds) {
  List* objects = nullptr;
  ModelObject previous_owner = nullptr;
  for (const List* node = seeds; node != nullptr; node = node->next) {
    ModelObject owner = object_of_surface(static_cast<Surface>(node->item));
    // The modeller lists a selection object by object, so most seeds share the owner of the one
    // before; that owner is in the list already, and asking again would walk the whole list.
    if (owner == nullptr || owner == previous_owner) continue;
    list_add_item_unique(&objects, owner);
    previous_owner = owner;
  }
  return objects;
}
