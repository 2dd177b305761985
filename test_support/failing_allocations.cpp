#include "test_support/failing_allocations.h"

namespace failing_allocations {

int left = -1;
std::size_t largest = SIZE_MAX;
int asked = 0;
int refused = 0;

void allow_all() {
  left = -1;
  largest = SIZE_MAX;
}

void reset() {
  allow_all();
  asked = 0;
  refused = 0;
}

namespace {

bool allowed(std::size_t count, std::size_t size) {
  ++asked;
  const bool fits = size == 0 || count <= largest / size;
  if (!fits || left == 0) {
    ++refused;
    return false;
  }
  if (left > 0) --left;
  return true;
}

}  // namespace
}  // namespace failing_allocations

extern "C" void* __real_malloc(std::size_t size);
extern "C" void* __real_calloc(std::size_t count, std::size_t size);

extern "C" void* __wrap_malloc(std::size_t size) {
  return failing_allocations::allowed(1, size) ? __real_malloc(size) : nullptr;
}

extern "C" void* __wrap_calloc(std::size_t count, std::size_t size) {
  return failing_allocations::allowed(count, size) ? __real_calloc(count, size) : nullptr;
}
