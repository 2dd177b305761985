// "OBJECT:INDICES" as the user names seeds: OBJECT is an object's name or its 0-based position,
// INDICES a comma-separated list of 0-based indices and inclusive ranges, such as "0,4,10-12".
#ifndef STAND_IN_HOST_SELECTION_SPEC_H
#define STAND_IN_HOST_SELECTION_SPEC_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "stand_in_host/host.h"

namespace standin {

enum class SpecKind { kSurfaces, kVertices };

struct SelectionSpec {
  std::size_t object = 0;
  std::vector<std::uint32_t> indices;
};

// Inputs:  text  the spec; kind  whether the indices are surfaces or vertices of the object
// Output:  spec  the object's position and the indices, each checked against the object
// Returns: empty, or the reason the spec does not fit the host's model.
std::string parse_selection_spec(const Host& host, const std::string& text, SpecKind kind,
                                 SelectionSpec& spec);

}  // namespace standin

#endif  // STAND_IN_HOST_SELECTION_SPEC_H
