#include "benchmarks/refusing_calloc.h"

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
#define REFUSING_CALLOC_AVAILABLE 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define REFUSING_CALLOC_AVAILABLE 0
#endif
#endif
#ifndef REFUSING_CALLOC_AVAILABLE
#define REFUSING_CALLOC_AVAILABLE 1
#endif

namespace {

bool g_refusing = false;

}  // namespace

#if REFUSING_CALLOC_AVAILABLE

// glibc's own calloc, which every call not refused goes to.
extern "C" void* __libc_calloc(std::size_t count, std::size_t size);

extern "C" void* calloc(std::size_t count, std::size_t size) {
  return g_refusing ? nullptr : __libc_calloc(count, size);
}

#endif

namespace refusing_calloc {

bool available() {
  return REFUSING_CALLOC_AVAILABLE != 0;
}

Refusal::Refusal(bool engaged) : engaged_(engaged && available()) {
  if (engaged_) g_refusing = true;
}

Refusal::~Refusal() {
  if (engaged_) g_refusing = false;
}

}  // namespace refusing_calloc
