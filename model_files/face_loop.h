#ifndef MODEL_FILES_FACE_LOOP_H
#define MODEL_FILES_FACE_LOOP_H

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// Keeps the first occurrence of each vertex of a face's loop, in order.
//
// Inputs:  loop  resolved 0-based vertex indices, each already checked to be in range
// Output:  kept  the loop without repeats
// Returns: empty, or the reason the face is unusable (fewer than three distinct vertices).
std::string drop_repeated_vertices(const std::vector<long long>& loop,
                                   std::vector<std::uint32_t>& kept);

}  // namespace standin

#endif  // MODEL_FILES_FACE_LOOP_H
