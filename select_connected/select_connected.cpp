// The command, step by step: check the preconditions and take the seeds; list the objects that
// own them; count their surfaces and make a table that size; fill it and join the objects' edge
// lists; sort it and index it; flood from the seeds; collect what was reached and hand it to the
// modeller as one undoable selection change. Every list the modeller hands out is given back
// before return.
#include "select_connected/select_connected.h"

#include <cstdint>
#include <limits>

#include "select_connected/flood_fill_surfaces.h"
#include "select_connected/surface_table.h"
#include "select_connected/surface_table_index.h"

namespace adjsurf {

namespace {

// The texts the command shows to the user or hands to the modeller, byte for byte.
constexpr char kNothingSelectedText[] = "adjsurfaces : Nothing selected";
constexpr char kWrongSelectModeText[] = "adjsurfaces : Must be in Surface or Vertex mode";
constexpr char kNoWholeSurfacesText[] = "adjsurf : no whole surfaces selected";
constexpr char kNotEnoughMemoryText[] = "adjsurfaces : Not enough memory";
constexpr char kSelectedCountFormat[] = "Selected %d surfaces";
constexpr char kUndoLabel[] = "select connected surfaces";

// What filling the table found.
struct TableFill {
  std::int32_t filled;  // entries written, at most the table's capacity
  std::int64_t listed;  // surfaces the objects' lists hold, written or not
};

// Checks what the command needs and returns the wholly selected surfaces, or shows the reason in
// a dialog and returns null. Nothing is called on the modeller after a dialog.
List* take_seed_surfaces() {
  if (nothing_is_selected() != 0) {
    windows_message_dialog(kNothingSelectedText);
    return nullptr;
  }
  const int mode = vx_get_select_mode();
  // Surface and vertex mode alike: the command accepts either.
  if (mode != VEXO_SURFACE_SELECT_MODE && mode != VEXO_VERTEX_SELECT_MODE) {
    windows_message_dialog(kWrongSelectModeText);
    return nullptr;
  }
  List* seeds = vx_selection_get_whole_surfaces_all();
  if (seeds == nullptr) windows_message_dialog(kNoWholeSurfacesText);
  return seeds;
}

// Lists, once each, the objects that own the seed surfaces, in order of first appearance; the
// caller frees the list with list_free. A seed the modeller reports no owner for adds nothing.
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

// Adds up the modeller's surface counts of the listed objects into `total`; a negative count
// from an inconsistent modeller counts as zero. Returns false when the total does not fit a
// signed 32-bit count: no table can be made for it.
bool count_object_surfaces(const List* objects, std::int32_t& total) {
  std::int64_t sum = 0;
  for (const List* node = objects; node != nullptr; node = node->next) {
    const int count = vx_object_get_num_surfaces(static_cast<ModelObject>(node->item));
    if (count > 0) sum += count;
    if (sum > std::numeric_limits<std::int32_t>::max()) return false;
  }
  total = static_cast<std::int32_t>(sum);
  return true;
}

// Joins `more` to the end of the edge list. The join starts at the list's last node, so the
// modeller never walks the edges joined before; the new last node is found by walking `more`
// once. A modeller that refuses the join leaves the list as it was (still empty, or ending at
// the same node); `more` is then given back to it whole, so that nothing it handed out is lost
// and the walk never starts from a null node.
void join_edges(List** edges, List** last, List* more) {
  if (more == nullptr) return;
  list_append_list(*last != nullptr ? last : edges, more);
  List* joined_from = *last != nullptr ? (*last)->next : *edges;
  if (joined_from == nullptr) {
    vx_edgelist_free(&more);
    return;
  }
  *last = last_list_node(joined_from);
}

// Writes one object's surfaces from table[fill.filled] on while there is room; counts them all,
// so that nothing is written past the table however long the modeller's lists are.
void copy_surfaces(const List* surfaces, SurfaceEntry* table, std::int32_t capacity,
                   TableFill& fill) {
  for (const List* node = surfaces; node != nullptr; node = node->next) {
    if (fill.filled < capacity) table[fill.filled++].surface = static_cast<Surface>(node->item);
    ++fill.listed;
  }
}

// Writes every surface of the listed objects into the table in list order and, when `edges` is
// given, joins the objects' edge lists into it in object order (the caller frees them with
// vx_edgelist_free).
TableFill fill_surface_table(const List* objects, SurfaceEntry* table, std::int32_t capacity,
                             List** edges) {
  TableFill fill{0, 0};
  List* last_edge = nullptr;
  for (const List* node = objects; node != nullptr; node = node->next) {
    ModelObject object = static_cast<ModelObject>(node->item);
    copy_surfaces(vx_object_get_surfacelist(object), table, capacity, fill);
    if (edges != nullptr) join_edges(edges, &last_edge, vx_object_get_edges(object));
  }
  return fill;
}

// An inconsistent modeller may list more surfaces than it counts. Moves to a table with room for
// all of them, so that every surface an object lists can be reached; keeps the full table it has
// when the larger one cannot be had.
SurfaceEntry* widen_surface_table(const List* objects, SurfaceEntry* table, std::int64_t listed,
                                  std::int32_t& filled) {
  if (listed > std::numeric_limits<std::int32_t>::max()) return table;
  const auto capacity = static_cast<std::int32_t>(listed);
  SurfaceEntry* wider = create_surface_table(capacity);
  if (wider == nullptr) return table;
  release_surface_table(table);
  filled = fill_surface_table(objects, wider, capacity, nullptr).filled;
  return wider;
}

// Lists the marked surfaces in descending handle order (each is put at the head while the table
// is read ascending) into *result, which the caller frees with list_free. Returns how many.
std::int32_t collect_marked_surfaces(const SurfaceEntry* table, std::int32_t count, List** result) {
  std::int32_t selected = 0;
  for (std::int32_t index = 0; index < count; ++index) {
    if (!table[index].marked) continue;
    list_add_item_head(result, table[index].surface);
    ++selected;
  }
  return selected;
}

// Records the undo step, selects the reached surfaces and refreshes the modeller.
void hand_over_selection(SurfaceEntry* table, std::int32_t count) {
  List* result = nullptr;
  const std::int32_t selected = collect_marked_surfaces(table, count, &result);
  display_message(kSelectedCountFormat, static_cast<int>(selected));
  add_undoable_change_selection(kUndoLabel);
  vx_selection_select_surfacelist(result);
  release_surface_table(table);
  list_free(&result);
  redraw_all();
  display_status();
}

}  // namespace

void VEXO_CDECL select_connected_go(void) {
  List* seeds = take_seed_surfaces();
  if (seeds == nullptr) return;

  List* objects = gather_seed_objects(seeds);
  std::int32_t capacity = 0;
  // A total beyond any table is refused here, as a table that cannot be had is.
  SurfaceEntry* table =
      count_object_surfaces(objects, capacity) ? create_surface_table(capacity) : nullptr;
  if (table == nullptr) {
    list_free(&objects);
    list_free(&seeds);
    windows_message_dialog(kNotEnoughMemoryText);
    return;
  }

  List* edges = nullptr;
  const TableFill fill = fill_surface_table(objects, table, capacity, &edges);
  std::int32_t filled = fill.filled;
  if (fill.listed > capacity) table = widen_surface_table(objects, table, fill.listed, filled);
  list_free(&objects);
  sort_surface_table(table, 0, filled - 1);

  // Without the memory for an index, every lookup bisects the whole table: slower, the same.
  SurfaceTableIndex index = index_surface_table(table, filled);
  flood_fill_surfaces(seeds, edges, table, filled, index);
  release_surface_table_index(index);
  vx_edgelist_free(&edges);
  list_free(&seeds);

  hand_over_selection(table, filled);
}

}  // namespace adjsurf
