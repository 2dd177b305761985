// Running code on a thread with a small stack, as a modeller's own thread may give a plug-in:
// how tests show that deep work (a sort's worst case, a long flood) stays within it.
#ifndef TEST_SUPPORT_SMALL_STACK_H
#define TEST_SUPPORT_SMALL_STACK_H

#include <cstddef>
#include <functional>

namespace test_support {

// Inputs:  stack_bytes  the size of the thread's stack
//          work         what to run on it; the call waits until it returns
// Returns: false when the thread could not be started (nothing ran).
bool run_on_small_stack(std::size_t stack_bytes, const std::function<void()>& work);

}  // namespace test_support

#endif  // TEST_SUPPORT_SMALL_STACK_H
