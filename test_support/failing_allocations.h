// Makes the command's allocations fail on purpose. A program linked with this file and with
// -Wl,--wrap=malloc,--wrap=calloc has every malloc and calloc call of its own code (the
// command's included) go through it; the C++ runtime's own allocations do not.
#ifndef TEST_SUPPORT_FAILING_ALLOCATIONS_H
#define TEST_SUPPORT_FAILING_ALLOCATIONS_H

#include <cstddef>
#include <cstdint>

namespace failing_allocations {

// How many more allocations succeed; negative: all of them.
extern int left;
// Allocations larger than this fail, as on a machine without that much memory.
extern std::size_t largest;
// Allocations asked for, and those refused, since the counts were last set to zero.
extern int asked;
extern int refused;

// Every allocation succeeds from now on; the counts stay.
void allow_all();

// Every allocation succeeds from now on, and the counts start again from zero.
void reset();

}  // namespace failing_allocations

#endif  // TEST_SUPPORT_FAILING_ALLOCATIONS_H
