// "OBJECT:INDICES" as the user names seeds: OBJECT is an object's name or its 0-based position,
// INDICES a comma-separated list of 0-based indices and inclusive ranges, such as "0,4,10-12".
#ifndef VEXO_SIM_NAMED_INDICES_H
#define VEXO_SIM_NAMED_INDICES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "modeller/host.h"

namespace standin {

enum class IndexKind { kSurfaces, kVertices };

struct NamedIndices {
  std::size_t object = 0;
  std::vector<std::uint32_t> indices;
};

// Inputs:  text  OBJECT:INDICES; kind  whether the indices are surfaces or vertices of the object
// Output:  named  the object's position and the indices, each checked against the object
// Returns: empty, or the reason the text does not fit the host's model.
std::string parse_named_indices(const Host& host, const std::string& text, IndexKind kind,
                                NamedIndices& named);

}  // namespace standin

#endif  // VEXO_SIM_NAMED_INDICES_H
