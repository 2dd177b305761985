// Replaces the global allocation functions of this program (and of the plug-in it loads, whose
// imports bind here) with ones that keep a running total. Each block carries its size in a
// header so that every form of delete can subtract it.
#include "benchmarks/heap_meter.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t g_in_use = 0;
std::size_t g_peak = 0;
std::size_t g_at_reset = 0;
constexpr std::size_t kHeader = alignof(std::max_align_t);

void* take(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (block == nullptr) return nullptr;
  *reinterpret_cast<std::size_t*>(block) = size;
  g_in_use += size;
  if (g_in_use > g_peak) g_peak = g_in_use;
  return block + kHeader;
}

void give_back(void* memory) {
  if (memory == nullptr) return;
  auto* block = static_cast<unsigned char*>(memory) - kHeader;
  g_in_use -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}

void* take_or_throw(std::size_t size) {
  void* memory = take(size);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

}  // namespace

void* operator new(std::size_t size) { return take_or_throw(size); }
void* operator new[](std::size_t size) { return take_or_throw(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return take(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return take(size); }
void operator delete(void* memory) noexcept { give_back(memory); }
void operator delete[](void* memory) noexcept { give_back(memory); }
void operator delete(void* memory, std::size_t) noexcept { give_back(memory); }
void operator delete[](void* memory, std::size_t) noexcept { give_back(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { give_back(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { give_back(memory); }

namespace heap_meter {

std::size_t bytes_in_use() { return g_in_use; }

void reset_peak() {
  g_peak = g_in_use;
  g_at_reset = g_in_use;
}

std::size_t peak_above_reset() { return g_peak - g_at_reset; }

}  // namespace heap_meter
