// Small pieces the OBJ and OFF readers share.
#ifndef MODEL_FILES_READER_HELPERS_H
#define MODEL_FILES_READER_HELPERS_H

#include <cstddef>
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

// Reads words[first], words[first + 1] and words[first + 2] as a vertex's coordinates.
// Output:  position  the coordinates, when they are valid
//          bad_word  when given, the index of the word at fault (the last there is when a
//                    coordinate is missing)
// Returns: empty, or the reason they are not coordinates.
std::string read_vertex(const std::vector<std::string_view>& words, std::size_t first,
                        Vec3& position, std::size_t* bad_word = nullptr);

}  // namespace standin

#endif  // MODEL_FILES_READER_HELPERS_H
