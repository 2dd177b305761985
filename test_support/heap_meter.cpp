// Replaces the global allocation functions of this program (and of the plug-in it loads, whose
// imports bind here) with ones that keep a running total. Each block carries its size and the
// size of its header just before the address handed out, so that every form of delete can
// subtract it and free the block.
#include "test_support/heap_meter.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t g_in_use = 0;
std::size_t g_peak = 0;
std::size_t g_at_reset = 0;
constexpr std::size_t kMinimumHeader = alignof(std::max_align_t);

void* take(std::size_t size, std::size_t alignment = kMinimumHeader) {
  const std::size_t header = alignment > kMinimumHeader ? alignment : kMinimumHeader;
  const std::size_t rounded = (size + header - 1) / header * header;
  auto* start = static_cast<unsigned char*>(std::aligned_alloc(header, header + rounded));
  if (start == nullptr) return nullptr;
  auto* fields = reinterpret_cast<std::size_t*>(start + header) - 2;
  fields[0] = header;
  fields[1] = size;
  g_in_use += size;
  if (g_in_use > g_peak) g_peak = g_in_use;
  return start + header;
}

void give_back(void* memory) {
  if (memory == nullptr) return;
  auto* fields = static_cast<std::size_t*>(memory) - 2;
  g_in_use -= fields[1];
  std::free(static_cast<unsigned char*>(memory) - fields[0]);
}

void* take_or_throw(std::size_t size, std::size_t alignment = kMinimumHeader) {
  void* memory = take(size, alignment);
  if (memory == nullptr) throw std::bad_alloc();
  return memory;
}

}  // namespace

void* operator new(std::size_t size) {
  return take_or_throw(size);
}
void* operator new[](std::size_t size) {
  return take_or_throw(size);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return take_or_throw(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return take_or_throw(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return take(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return take(size);
}
void operator delete(void* memory) noexcept {
  give_back(memory);
}
void operator delete[](void* memory) noexcept {
  give_back(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  give_back(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
  give_back(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
  give_back(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
  give_back(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
  give_back(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
  give_back(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept {
  give_back(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept {
  give_back(memory);
}

namespace heap_meter {

std::size_t bytes_in_use() {
  return g_in_use;
}

void reset_peak() {
  g_peak = g_in_use;
  g_at_reset = g_in_use;
}

std::size_t peak_above_reset() {
  return g_peak - g_at_reset;
}

}  // namespace heap_meter
