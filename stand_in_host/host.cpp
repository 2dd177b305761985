#include "stand_in_host/host.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "stand_in_host/edge_batch.h"

namespace standin {
namespace {

Host* g_active_host = nullptr;

bool any_set(const std::vector<std::vector<std::uint8_t>>& flags) {
  for (const auto& per_object : flags) {
    if (std::find(per_object.begin(), per_object.end(), 1) != per_object.end()) return true;
  }
  return false;
}

void check_loops(const Mesh& mesh) {
  const std::size_t vertex_count = mesh.vertices.size();
  if (mesh.loop_offsets.empty() || mesh.loop_offsets.front() != 0 ||
      mesh.loop_offsets.back() != mesh.loop_vertices.size()) {
    throw std::invalid_argument("object '" + mesh.name + "': surface loops are malformed");
  }
  for (std::uint32_t v : mesh.loop_vertices) {
    if (v >= vertex_count) {
      throw std::invalid_argument("object '" + mesh.name + "': vertex index " + std::to_string(v) +
                                  " is out of range");
    }
  }
}

}  // namespace

bool Selection::empty() const {
  return !any_set(whole_surfaces) && !any_set(vertices);
}

Host::Host(bool checked) : nodes_(checked) {}

Host::~Host() {
  for (auto& object : objects_) {
    // Edge lists a plug-in never gave back are reclaimed with the model.
    while (!object->live_edge_batches.empty()) {
      destroy_edge_batch(object->live_edge_batches.back(), nodes_);
    }
    nodes_.release_host_list(object->surface_list);
  }
  if (g_active_host == this) g_active_host = nullptr;
}

ModelObject Host::add_object(Mesh mesh, const std::vector<std::uint32_t>* record_slots) {
  check_loops(mesh);
  const std::uint32_t count = mesh.surface_count();
  if (record_slots != nullptr && record_slots->size() != count) {
    throw std::invalid_argument("object '" + mesh.name + "': record order has the wrong size");
  }
  auto object = std::make_unique<VexoModelObject>();
  object->index = objects_.size();
  object->mesh = std::move(mesh);
  object->records.reset(new VexoSurface[count]);
  object->handles.resize(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    VexoSurface& record = object->records[record_slots ? (*record_slots)[i] : i];
    record.owner = object.get();
    record.index = i;
    object->handles[i] = &record;
    if (checked()) surface_set_.insert(&record);
  }
  for (std::uint32_t i = count; i > 0; --i) {
    object->surface_list =
        nodes_.make(object->handles[i - 1], object->surface_list, NodeOwner::kHost);
  }
  selection_.whole_surfaces.emplace_back(count, 0);
  selection_.vertices.emplace_back(object->mesh.vertices.size(), 0);
  ModelObject handle = object.get();
  object_set_.insert(handle);
  objects_.push_back(std::move(object));
  return handle;
}

Surface Host::surface(std::size_t object_index, std::uint32_t surface_index) {
  return objects_.at(object_index)->handles.at(surface_index);
}

bool Host::owns_surface(Surface surface) const {
  if (surface == nullptr) return false;
  if (checked()) return surface_set_.count(surface) != 0;
  return true;  // outside checked mode the plug-in's handles are trusted
}

void Host::list_extra_surface(std::size_t object_index, Surface surface) {
  List** end = &objects_.at(object_index)->surface_list;
  while (*end != nullptr) end = &(*end)->next;
  *end = nodes_.make(surface, nullptr, NodeOwner::kHost);
}

void Host::select_surface(std::size_t object_index, std::uint32_t surface_index) {
  selection_.whole_surfaces.at(object_index).at(surface_index) = 1;
}

void Host::select_vertex(std::size_t object_index, std::uint32_t vertex_index) {
  selection_.vertices.at(object_index).at(vertex_index) = 1;
}

void Host::clear_selection() {
  for (auto& flags : selection_.whole_surfaces) std::fill(flags.begin(), flags.end(), 0);
  for (auto& flags : selection_.vertices) std::fill(flags.begin(), flags.end(), 0);
}

void Host::record_undo_step(const std::string& label) {
  undo_steps_.push_back({label, selection_});
  redo_steps_.clear();
}

bool Host::undo() {
  if (undo_steps_.empty()) return false;
  UndoStep step = std::move(undo_steps_.back());
  undo_steps_.pop_back();
  redo_steps_.push_back({step.label, std::move(selection_)});
  selection_ = std::move(step.selection);
  return true;
}

bool Host::redo() {
  if (redo_steps_.empty()) return false;
  UndoStep step = std::move(redo_steps_.back());
  redo_steps_.pop_back();
  undo_steps_.push_back({step.label, std::move(selection_)});
  selection_ = std::move(step.selection);
  return true;
}

bool Host::add_command(const std::string& name, CommandHandler handler) {
  if (name.empty() || handler == nullptr) return false;
  commands_[name] = handler;
  return true;
}

std::string Host::run_command_text(const std::string& text) {
  std::istringstream words(text);
  std::string word;
  std::string name;
  std::string extra;
  words >> word >> name >> extra;
  if (word != "vexo" || name.empty() || !extra.empty()) {
    return "not a host command text: '" + text + "' (expected 'vexo COMMAND')";
  }
  auto found = commands_.find(name);
  if (found == commands_.end()) return "unknown command '" + name + "'";
  ActiveHost active(*this);
  found->second();
  return "";
}

std::string Host::pick_menu_item(const std::string& label) {
  for (const MenuItem& item : menu_) {
    if (item.label == label) return run_command_text(item.command);
  }
  return "the Tools menu has no item '" + label + "'";
}

void Host::trace(HostFunction function) {
  if (checked()) calls_.emplace_back(host_function_name(function));
}

void Host::reset_call_statistics() {
  call_times_ = {};
  appends = 0;
  append_hops = 0;
}

std::vector<std::string> Host::event_texts(EventKind kind) const {
  std::vector<std::string> texts;
  for (const HostEvent& event : events_) {
    if (event.kind == kind) texts.push_back(event.text);
  }
  return texts;
}

void Host::clear_log() {
  events_.clear();
  calls_.clear();
}

std::vector<std::string> Host::problems() const {
  std::vector<std::string> found = nodes_.faults();
  if (nodes_.live_caller_nodes() != 0) {
    found.push_back(std::to_string(nodes_.live_caller_nodes()) +
                    " list nodes handed to the caller were never freed");
  }
  for (const auto& object : objects_) {
    if (!object->live_edge_batches.empty()) {
      found.push_back("object '" + object->name() +
                      "': " + std::to_string(object->live_edge_batches.size()) +
                      " edge lists were never freed");
    }
  }
  return found;
}

Host* active_host() {
  return g_active_host;
}

ActiveHost::ActiveHost(Host& host) : previous_(g_active_host) {
  g_active_host = &host;
}

ActiveHost::~ActiveHost() {
  g_active_host = previous_;
}

}  // namespace standin
