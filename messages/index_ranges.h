// Sorted surface indices as a person reads them, for transcripts and test failures alike.
#ifndef MESSAGES_INDEX_RANGES_H
#define MESSAGES_INDEX_RANGES_H

#include <cstdint>
#include <string>
#include <vector>

namespace standin {

// Input:   sorted_indices  ascending, without repeats
// Returns: "0-5, 8, 10-11" for {0,1,2,3,4,5,8,10,11}; "none" when empty.
std::string format_index_ranges(const std::vector<std::uint32_t>& sorted_indices);

}  // namespace standin

#endif  // MESSAGES_INDEX_RANGES_H
