#include "vexo_sim/named_indices.h"

#include <cctype>
#include <sstream>
#include <unordered_map>

#include "messages/counts.h"
#include "messages/excerpt.h"

namespace standin {
namespace {

constexpr std::uint64_t kBeyondEveryModel = UINT64_MAX;

// A whole number of any length; one too large for 64 bits reads as kBeyondEveryModel, which no
// model reaches, so that it is out of range like any other index beyond the model.
bool parse_index(const std::string& text, std::uint64_t& value) {
  if (text.empty()) return false;
  value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    value = value > (kBeyondEveryModel - digit) / 10 ? kBeyondEveryModel : value * 10 + digit;
  }
  return true;
}

std::string number_text(std::uint64_t value) {
  return value == kBeyondEveryModel ? "beyond 2^64" : std::to_string(value);
}

const char* form_of(IndexKind kind) {
  return kind == IndexKind::kSurfaces ? "OBJECT:SURFACES" : "OBJECT:VERTICES";
}

// An object named by a whole number is the object at that index, never one with that name, so
// that an index always means the same object.
std::string find_object(const Host& host, const std::string& name, std::size_t& object) {
  const std::size_t count = host.model().object_count();
  if (count == 0) return "there is no model to select in (load one first)";
  std::uint64_t position = 0;
  if (parse_index(name, position)) {
    if (position >= count) {
      return "there is no object " + excerpt(name) + " (the model has " +
             counted(count, "object", "objects") + ", 0 to " + std::to_string(count - 1) + ")";
    }
    object = static_cast<std::size_t>(position);
    return "";
  }
  for (std::size_t o = 0; o < count; ++o) {
    if (host.model().object(o).name() == name) {
      object = o;
      return "";
    }
  }
  return "unknown object '" + excerpt(name) + "' (the model has " +
         counted(count, "object", "objects") + ")";
}

}  // namespace

std::string parse_seed_text(const std::string& text, IndexKind kind, SeedText& seed) {
  const auto colon = text.rfind(':');
  if (colon == std::string::npos || colon == 0) {
    return "'" + excerpt(text) + "' is not " + form_of(kind);
  }
  seed.object = text.substr(0, colon);
  seed.ranges.clear();
  std::istringstream items(text.substr(colon + 1));
  std::string item;
  while (std::getline(items, item, ',')) {
    const auto dash = item.find('-');
    std::uint64_t first = 0;
    std::uint64_t last = 0;
    const bool ok = dash == std::string::npos
                        ? parse_index(item, first) && (last = first, true)
                        : parse_index(item.substr(0, dash), first) &&
                              parse_index(item.substr(dash + 1), last) && first <= last;
    if (!ok) return "'" + excerpt(item) + "' is not an index or a range FIRST-LAST";
    seed.ranges.emplace_back(first, last);
  }
  if (seed.ranges.empty()) {
    return "'" + excerpt(text) + "' names no " +
           (kind == IndexKind::kSurfaces ? "surface" : "vertex");
  }
  return "";
}

std::string parse_named_indices(const Host& host, const std::string& text, IndexKind kind,
                                NamedIndices& named) {
  SeedText seed;
  std::string error = parse_seed_text(text, kind, seed);
  if (!error.empty()) return error;
  error = find_object(host, seed.object, named.object);
  if (!error.empty()) return error;
  const VexoModelObject& object = host.model().object(named.object);
  const std::uint64_t limit =
      kind == IndexKind::kSurfaces ? object.surface_count() : object.mesh.vertices.size();
  const char* what = kind == IndexKind::kSurfaces ? "surface" : "vertex";
  named.indices.clear();
  for (const auto& [first, last] : seed.ranges) {
    if (last >= limit) {
      return std::string(what) + " " + number_text(last) + " is out of range (object '" +
             excerpt(object.name()) + "' has " + std::to_string(limit) + ")";
    }
    for (std::uint64_t i = first; i <= last; ++i) {
      named.indices.push_back(static_cast<std::uint32_t>(i));
    }
  }
  return "";
}

std::vector<std::string> object_name_warnings(const Host& host, std::size_t first) {
  constexpr std::size_t kMostWarnings = 8;
  std::vector<std::string> warnings;
  std::size_t unlisted = 0;
  auto warn = [&](std::string text) {
    if (warnings.size() < kMostWarnings) {
      warnings.push_back(std::move(text));
    } else {
      ++unlisted;
    }
  };
  std::unordered_map<std::string, std::size_t> first_named;
  for (std::size_t o = 0; o < host.model().object_count(); ++o) {
    const std::string& name = host.model().object(o).name();
    const auto [earlier, is_first] = first_named.emplace(name, o);
    if (o < first) continue;
    std::uint64_t position = 0;
    if (parse_index(name, position)) {
      if (position != o) {
        warn("object " + std::to_string(o) + " is named '" + excerpt(name) +
             "', which OBJECT reads as an index: select it as " + std::to_string(o));
      }
    } else if (!is_first) {
      warn("objects " + std::to_string(earlier->second) + " and " + std::to_string(o) +
           " are both named '" + excerpt(name) + "', which selects object " +
           std::to_string(earlier->second) + ": select the other as " + std::to_string(o));
    }
  }
  if (unlisted > 0) {
    warnings.push_back(counted(unlisted, "more object", "more objects") +
                       " can be selected only by index");
  }
  return warnings;
}

}  // namespace standin
