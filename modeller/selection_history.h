// The user's selection in the stand-in modeller: which surfaces are selected as a whole and which
// lone vertices, the select mode, and the undo/redo stacks of selection snapshots.
#ifndef MODELLER_SELECTION_HISTORY_H
#define MODELLER_SELECTION_HISTORY_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "host/vexo_host_api.h"

namespace standin {

// The modeller's select-mode codes: surface and vertex mode as the boundary declares them, in
// which a plug-in's command works, and the stand-in's own codes for the other two.
enum : int {
  kObjectMode = 1,
  kSurfaceMode = VEXO_SURFACE_SELECT_MODE,
  kVertexMode = VEXO_VERTEX_SELECT_MODE,
  kEdgeMode = 4
};

struct Selection {
  std::vector<std::vector<std::uint8_t>> whole_surfaces;  // [object][surface]
  std::vector<std::vector<std::uint8_t>> vertices;        // [object][vertex], lone vertices
  bool empty() const;
};

struct UndoStep {
  std::string label;
  Selection selection;  // the selection to go back to
};

class SelectionHistory {
 public:
  // Makes room for a new object's surfaces and vertices, none selected. Undo and redo keep it,
  // unselected in the steps recorded before it was added.
  void add_object(std::uint32_t surface_count, std::size_t vertex_count);

  // The selection and select mode, as the user sets them.
  void select_surface(std::size_t object_index, std::uint32_t surface_index);
  void select_vertex(std::size_t object_index, std::uint32_t vertex_index);
  void clear();
  const Selection& current() const { return current_; }
  Selection& current() { return current_; }
  int mode() const { return mode_; }
  void set_mode(int mode) { mode_ = mode; }

  // The indices, in file order, of the object's wholly selected surfaces, and of its selected
  // lone vertices.
  std::vector<std::uint32_t> selected_surfaces(std::size_t object_index) const;
  std::vector<std::uint32_t> selected_vertices(std::size_t object_index) const;

  // Undo and redo of selection changes. Each returns false when there is nothing to undo/redo.
  void record_undo_step(const std::string& label);
  bool undo();
  bool redo();
  const std::vector<UndoStep>& undo_steps() const { return undo_steps_; }
  std::size_t redo_step_count() const { return redo_steps_.size(); }

  // The order of the surfaces in the last list handed to vx_selection_select_surfacelist.
  std::vector<Surface>& last_selected_list() { return last_selected_list_; }

 private:
  Selection current_;
  int mode_ = kSurfaceMode;
  std::vector<UndoStep> undo_steps_;
  std::vector<UndoStep> redo_steps_;
  std::vector<Surface> last_selected_list_;
};

}  // namespace standin

#endif  // MODELLER_SELECTION_HISTORY_H
