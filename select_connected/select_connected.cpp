#include "select_connected/select_connected.h"

#include <cstdint>
#include <limits>

#include "select_connected/collect_marked_surfaces.h"
#include "select_connected/command_texts.h"
#include "select_connected/count_object_surfaces.h"
#include "select_connected/fill_surface_table.h"
#include "select_connected/flood_fill_surfaces.h"
#include "select_connected/gather_seed_objects.h"
#include "select_connected/surface_table.h"

namespace {

// Checks what the command needs and returns the wholly selected surfaces, or shows the reason in
// a dialog and returns null. Nothing is called on the modeller after a dialog.
List* take_seed_surfaces() {
  if (nothing_is_selected() != 0) {
    windows_message_dialog(kNothingSelectedText);
    return nullptr;
  }
  const int mode = vx_get_select_mode();
  if (mode != kSurfaceSelectMode && mode != kVertexSelectMode) {
    windows_message_dialog(kWrongSelectModeText);
    return nullptr;
  }
  List* seeds = vx_selection_get_whole_surfaces_all();
  if (seeds == nullptr) windows_message_dialog(kNoWholeSurfacesText);
  return seeds;
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
  filled = refill_surface_table(objects, wider, capacity);
  return wider;
}

}  // namespace

void VEXO_CDECL select_connected_go(void) {
  List* seeds = take_seed_surfaces();
  if (seeds == nullptr) return;

  List* objects = gather_seed_objects(seeds);
  const std::int32_t capacity = count_object_surfaces(objects);
  SurfaceEntry* table = create_surface_table(capacity);
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

  flood_fill_surfaces(seeds, edges, table, filled);
  vx_edgelist_free(&edges);
  list_free(&seeds);

  hand_over_selection(table, filled);
}
