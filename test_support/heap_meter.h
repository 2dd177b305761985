// Counts the bytes the program holds through operator new, and the most it held since a reset.
#ifndef TEST_SUPPORT_HEAP_METER_H
#define TEST_SUPPORT_HEAP_METER_H

#include <cstddef>

namespace heap_meter {

std::size_t bytes_in_use();
// Starts a new peak from what is in use now.
void reset_peak();
// The most held since the last reset, above what was held at that reset.
std::size_t peak_above_reset();

}  // namespace heap_meter

#endif  // TEST_SUPPORT_HEAP_METER_H
