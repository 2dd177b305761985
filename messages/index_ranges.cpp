#include "messages/index_ranges.h"

namespace standin {

std::string format_index_ranges(const std::vector<std::uint32_t>& sorted_indices) {
  if (sorted_indices.empty()) return "none";
  std::string text;
  for (std::size_t i = 0; i < sorted_indices.size();) {
    std::size_t last = i;
    while (last + 1 < sorted_indices.size() &&
           sorted_indices[last + 1] == sorted_indices[last] + 1) {
      ++last;
    }
    if (!text.empty()) text += ", ";
    text += std::to_string(sorted_indices[i]);
    if (last > i) text += "-" + std::to_string(sorted_indices[last]);
    i = last + 1;
  }
  return text;
}

}  // namespace standin
