#include "model_files/reader_helpers.h"

#include <cmath>

#include "messages/counts.h"
#include "messages/excerpt.h"
#include "model_files/text_lines.h"

namespace standin {

std::string at_line(const std::string& name, std::size_t line, const std::string& reason) {
  return name + ":" + std::to_string(line) + ": " + reason;
}

std::string reading_stopped(const std::string& name, const TextLines& lines) {
  return at_line(name, lines.line_number(), lines.problem());
}

std::string stem_of(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  const auto dot = file.find_last_of('.');
  return dot == std::string::npos || dot == 0 ? file : file.substr(0, dot);
}

bool usable_coordinate(double value) {
  return std::isfinite(value) && std::fabs(value) <= kLargestCoordinate;
}

void RepeatedVertexFaces::warn(std::vector<std::string>& warnings) const {
  if (faces_ == 0) return;
  warnings.push_back(first_place_ + ": face repeats a vertex; repeat dropped" +
                     (faces_ > 1
                          ? " (and " + counted(faces_ - 1, "more face", "more faces") + " like it)"
                          : std::string()));
}

std::string read_vertex(const std::vector<std::string_view>& words, std::size_t first,
                        Vec3& position, std::size_t* bad_word) {
  if (words.size() < first + 3) {
    if (bad_word != nullptr) *bad_word = words.size() - 1;
    return "a vertex needs three coordinates";
  }
  double* coordinates[] = {&position.x, &position.y, &position.z};
  for (std::size_t i = first; i < first + 3; ++i) {
    double& value = *coordinates[i - first];
    if (bad_word != nullptr) *bad_word = i;
    if (!parse_finite(words[i], value)) {
      return "vertex coordinate '" + excerpt(words[i]) + "' is not a finite number";
    }
    if (std::fabs(value) > kLargestCoordinate) {
      return "vertex coordinate '" + excerpt(words[i]) + "' is out of range";
    }
  }
  return "";
}

}  // namespace standin
