#include "vexo_sim/named_indices.h"

#include <cctype>
#include <sstream>

namespace standin {
namespace {

bool parse_index(const std::string& text, std::uint64_t& value) {
  if (text.empty() || text.size() > 10) return false;
  value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return true;
}

std::string find_object(const Host& host, const std::string& name, std::size_t& object) {
  for (std::size_t o = 0; o < host.model().object_count(); ++o) {
    if (host.model().object(o).name() == name) {
      object = o;
      return "";
    }
  }
  std::uint64_t position = 0;
  if (parse_index(name, position) && position < host.model().object_count()) {
    object = static_cast<std::size_t>(position);
    return "";
  }
  return "unknown object '" + name + "' (the model has " +
         std::to_string(host.model().object_count()) + " objects)";
}

}  // namespace

std::string parse_named_indices(const Host& host, const std::string& text, IndexKind kind,
                                NamedIndices& named) {
  const auto colon = text.rfind(':');
  if (colon == std::string::npos) return "'" + text + "' is not OBJECT:INDICES";
  std::string error = find_object(host, text.substr(0, colon), named.object);
  if (!error.empty()) return error;
  const VexoModelObject& object = host.model().object(named.object);
  const std::uint64_t limit =
      kind == IndexKind::kSurfaces ? object.surface_count() : object.mesh.vertices.size();
  const char* what = kind == IndexKind::kSurfaces ? "surface" : "vertex";
  std::istringstream items(text.substr(colon + 1));
  std::string item;
  named.indices.clear();
  while (std::getline(items, item, ',')) {
    const auto dash = item.find('-');
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    const bool ok = dash == std::string::npos
                        ? parse_index(item, first) && (last = first, true)
                        : parse_index(item.substr(0, dash), first) &&
                              parse_index(item.substr(dash + 1), last) && first <= last;
    if (!ok) return "'" + item + "' is not an index or a range FIRST-LAST";
    if (last >= limit) {
      return std::string(what) + " " + std::to_string(last) + " is out of range (object '" +
             object.name() + "' has " + std::to_string(limit) + ")";
    }
    for (std::uint64_t i = first; i <= last; ++i)
      named.indices.push_back(static_cast<std::uint32_t>(i));
  }
  if (named.indices.empty()) return "'" + text + "' names no " + what;
  return "";
}

}  // namespace standin
