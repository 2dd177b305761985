// Small pieces the model readers share.
#ifndef MODEL_FILES_READER_HELPERS_H
#define MODEL_FILES_READER_HELPERS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mesh/mesh.h"
#include "model_files/text_lines.h"

namespace standin {

// The largest coordinate a model may have; beyond it a picture's arithmetic would overflow.
inline constexpr double kLargestCoordinate = 1e15;

// "NAME:LINE: reason".
std::string at_line(const std::string& name, std::size_t line, const std::string& reason);

// "NAME:LINE: reason" for where and why `lines` stopped reading before the end.
std::string reading_stopped(const std::string& name, const TextLines& lines);

// The file name without folders and extension, as an object's name.
std::string stem_of(const std::string& path);

// Whether a coordinate read from a file can be used: finite, and within kLargestCoordinate.
bool usable_coordinate(double value);

// The faces of a file that repeat a vertex, which are read with the repeat dropped: one warning
// for all of them, naming the first and how many more there are, so that a file of many such
// faces does not flood the user with a line for each.
class RepeatedVertexFaces {
 public:
  // One more such face; `place` makes its place ("NAME:LINE"), asked only for the first.
  template <typename Place>
  void add(Place place) {
    if (faces_++ == 0) first_place_ = place();
  }
  // Adds the warning, when there is a face to warn of.
  void warn(std::vector<std::string>& warnings) const;

 private:
  std::size_t faces_ = 0;
  std::string first_place_;
};

// Reads words[first], words[first + 1] and words[first + 2] as a vertex's coordinates.
// Output:  position  the coordinates, when they are valid
//          bad_word  when given, the index of the word at fault (the last there is when a
//                    coordinate is missing)
// Returns: empty, or the reason they are not coordinates.
std::string read_vertex(const std::vector<std::string_view>& words, std::size_t first,
                        Vec3& position, std::size_t* bad_word = nullptr);

}  // namespace standin

#endif  // MODEL_FILES_READER_HELPERS_H
