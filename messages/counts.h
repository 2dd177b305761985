// Counts in the stand-in side's messages, as a person reads them.
#ifndef MESSAGES_COUNTS_H
#define MESSAGES_COUNTS_H

#include <cstdint>
#include <string>

namespace standin {

// "1,234,567".
std::string grouped_digits(std::uint64_t count);

// The count, grouped, and its noun, in the singular for one: "1 step", "0 steps", "1,024 steps".
std::string counted(std::uint64_t count, const char* one, const char* many);

}  // namespace standin

#endif  // MESSAGES_COUNTS_H
