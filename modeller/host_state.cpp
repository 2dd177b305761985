#include "modeller/host_state.h"
#include "messages/excerpt.h"

#include <sstream>
#include <utility>

namespace standin {
namespace {

Host* g_active_host = nullptr;

}  // namespace

Host::Host(bool checked) : nodes_(checked), model_(nodes_) {}

Host::~Host() {
  if (g_active_host == this) g_active_host = nullptr;
  lent_edge_lists_.clear(nodes_);
}

ModelObject Host::add_object(Mesh mesh, const std::vector<std::uint32_t>* record_slots) {
  const std::uint32_t surface_count = mesh.surface_count();
  const std::size_t vertex_count = mesh.vertices.size();
  ModelObject object = model_.add_object(std::move(mesh), record_slots);
  selection_.add_object(surface_count, vertex_count);
  return object;
}

std::string Host::run_command_text(const std::string& text) {
  std::istringstream words(text);
  std::string word;
  std::string name;
  std::string extra;
  words >> word >> name >> extra;
  if (word != "vexo" || name.empty() || !extra.empty()) {
    return "not a host command text: '" + excerpt(text) + "' (expected 'vexo COMMAND')";
  }
  CommandHandler handler = commands_.find(name);
  if (handler == nullptr) return "unknown command '" + excerpt(name) + "'";
  ActiveHost active(*this);
  handler();
  return "";
}

std::string Host::pick_menu_item(const std::string& label) {
  const MenuItem* item = commands_.menu_item(label);
  if (item == nullptr) return "the Tools menu has no item '" + excerpt(label) + "'";
  return run_command_text(item->command);
}

void Host::trace(HostFunction function) {
  if (checked()) events_.record_call(host_function_name(function));
}

std::vector<std::string> Host::problems() const {
  std::vector<std::string> found = nodes_.faults();
  if (nodes_.live_caller_nodes() != 0) {
    found.push_back(std::to_string(nodes_.live_caller_nodes()) +
                    " list nodes handed to the caller were never freed");
  }
  for (std::string& unreturned : model_.unreturned_edge_lists()) {
    found.push_back(std::move(unreturned));
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
