#include "modeller/selection_history.h"

#include <algorithm>
#include <utility>

namespace standin {
namespace {

bool any_set(const std::vector<std::vector<std::uint8_t>>& flags) {
  for (const auto& per_object : flags) {
    if (std::find(per_object.begin(), per_object.end(), 1) != per_object.end()) return true;
  }
  return false;
}

// The positions of the set flags, in order.
std::vector<std::uint32_t> set_indices(const std::vector<std::uint8_t>& flags) {
  std::vector<std::uint32_t> indices;
  for (std::uint32_t i = 0; i < flags.size(); ++i) {
    if (flags[i]) indices.push_back(i);
  }
  return indices;
}

// Gives `selection`, recorded before the objects past its end were added, those objects with
// nothing selected, sized as `every_object` holds them.
void add_later_objects(Selection& selection, const Selection& every_object) {
  for (std::size_t o = selection.whole_surfaces.size(); o < every_object.whole_surfaces.size();
       ++o) {
    selection.whole_surfaces.emplace_back(every_object.whole_surfaces[o].size(), 0);
    selection.vertices.emplace_back(every_object.vertices[o].size(), 0);
  }
}

// Restores the newest step of `from` and puts the selection it replaces, under the same label, on
// `to`: undo moves steps from the undo stack to the redo stack, and redo back. Undo and redo give
// back a selection, never take an object away: objects added since the step was recorded come
// back unselected. They are added here, when a step is restored, rather than to every stored
// step when an object is loaded, so that a load after many steps costs no more memory.
bool step_across(std::vector<UndoStep>& from, std::vector<UndoStep>& to, Selection& current) {
  if (from.empty()) return false;
  UndoStep step = std::move(from.back());
  from.pop_back();
  add_later_objects(step.selection, current);
  to.push_back({step.label, std::move(current)});
  current = std::move(step.selection);
  return true;
}

}  // namespace

bool Selection::empty() const {
  return !any_set(whole_surfaces) && !any_set(vertices);
}

void SelectionHistory::add_object(std::uint32_t surface_count, std::size_t vertex_count) {
  current_.whole_surfaces.emplace_back(surface_count, 0);
  current_.vertices.emplace_back(vertex_count, 0);
}

void SelectionHistory::select_surface(std::size_t object_index, std::uint32_t surface_index) {
  current_.whole_surfaces.at(object_index).at(surface_index) = 1;
}

void SelectionHistory::select_vertex(std::size_t object_index, std::uint32_t vertex_index) {
  current_.vertices.at(object_index).at(vertex_index) = 1;
}

void SelectionHistory::clear() {
  for (auto& flags : current_.whole_surfaces) std::fill(flags.begin(), flags.end(), 0);
  for (auto& flags : current_.vertices) std::fill(flags.begin(), flags.end(), 0);
}

std::vector<std::uint32_t> SelectionHistory::selected_surfaces(std::size_t object_index) const {
  return set_indices(current_.whole_surfaces.at(object_index));
}

std::vector<std::uint32_t> SelectionHistory::selected_vertices(std::size_t object_index) const {
  return set_indices(current_.vertices.at(object_index));
}

void SelectionHistory::record_undo_step(const std::string& label) {
  undo_steps_.push_back({label, current_});
  redo_steps_.clear();
}

bool SelectionHistory::undo() {
  return step_across(undo_steps_, redo_steps_, current_);
}

bool SelectionHistory::redo() {
  return step_across(redo_steps_, undo_steps_, current_);
}

}  // namespace standin
