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
  std::vector<std::uint32_t> indices;
  const auto& flags = current_.whole_surfaces.at(object_index);
  for (std::uint32_t s = 0; s < flags.size(); ++s) {
    if (flags[s]) indices.push_back(s);
  }
  return indices;
}

void SelectionHistory::record_undo_step(const std::string& label) {
  undo_steps_.push_back({label, current_});
  redo_steps_.clear();
}

bool SelectionHistory::undo() {
  if (undo_steps_.empty()) return false;
  UndoStep step = std::move(undo_steps_.back());
  undo_steps_.pop_back();
  redo_steps_.push_back({step.label, std::move(current_)});
  current_ = std::move(step.selection);
  return true;
}

bool SelectionHistory::redo() {
  if (redo_steps_.empty()) return false;
  UndoStep step = std::move(redo_steps_.back());
  redo_steps_.pop_back();
  undo_steps_.push_back({step.label, std::move(current_)});
  current_ = std::move(step.selection);
  return true;
}

}  // namespace standin
