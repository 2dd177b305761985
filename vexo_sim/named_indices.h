// "OBJECT:SURFACES" (or "OBJECT:VERTICES") as the user names seeds: OBJECT is an object's
// 0-based index when it is a whole number, and otherwise its name (the first object of that
// name); the list after the colon holds 0-based indices and inclusive ranges, such as
// "0,4,10-12".
#ifndef VEXO_SIM_NAMED_INDICES_H
#define VEXO_SIM_NAMED_INDICES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "modeller/host_state.h"

namespace standin {

enum class IndexKind { kSurfaces, kVertices };

// A seed as written, before it is looked up in a model.
struct SeedText {
  std::string object;
  std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;  // first and last, inclusive
};

struct NamedIndices {
  std::size_t object = 0;
  std::vector<std::uint32_t> indices;
};

// Reads the text's form alone, whatever the model: what a command line can check up front.
// Inputs:  text  OBJECT:SURFACES or OBJECT:VERTICES; kind  which of the two
// Output:  seed  the object as written and the ranges
// Returns: empty, or what is wrong with the form.
std::string parse_seed_text(const std::string& text, IndexKind kind, SeedText& seed);

// Inputs:  text  OBJECT:SURFACES or OBJECT:VERTICES; kind  which of the two
// Output:  named  the object's position and the indices, each checked against the object
// Returns: empty, or the reason the text does not fit the host's model.
std::string parse_named_indices(const Host& host, const std::string& text, IndexKind kind,
                                NamedIndices& named);

// Warnings for the objects from `first` on whose names cannot name them: a name that is a whole
// number (read as an index instead), and a name an earlier object has already.
std::vector<std::string> object_name_warnings(const Host& host, std::size_t first);

}  // namespace standin

#endif  // VEXO_SIM_NAMED_INDICES_H
