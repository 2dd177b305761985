#include "model_files/face_loop.h"

#include <algorithm>
#include <unordered_set>

namespace standin {

std::string drop_repeated_vertices(const std::vector<long long>& loop,
                                   std::vector<std::uint32_t>& kept) {
  kept.clear();
  kept.reserve(loop.size());
  if (loop.size() <= 32) {
    // Faces are short: a look back over the few kept so far is cheapest.
    for (long long v : loop) {
      const auto vertex = static_cast<std::uint32_t>(v);
      if (std::find(kept.begin(), kept.end(), vertex) == kept.end()) kept.push_back(vertex);
    }
  } else {
    std::unordered_set<std::uint32_t> seen;
    for (long long v : loop) {
      const auto vertex = static_cast<std::uint32_t>(v);
      if (seen.insert(vertex).second) kept.push_back(vertex);
    }
  }
  if (kept.size() < 3) return "a face needs three different vertices";
  return "";
}

}  // namespace standin
