// Global allocation operators: every block is 64-byte aligned.
#include "common/memory.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
std::atomic<uint64_t> allocations{0};
constexpr size_t kAlign = 64;

void* allocate(size_t size, size_t align) {
  if (align < kAlign) align = kAlign;
  if (size > SIZE_MAX - (align - 1)) return nullptr;  // the rounding would wrap around
  size_t rounded = (size + align - 1) / align * align;
  if (rounded == 0) rounded = align;
  void* block = nullptr;
  if (posix_memalign(&block, align, rounded) != 0) return nullptr;
  allocations.fetch_add(1, std::memory_order_relaxed);
  return block;
}

void* allocate_or_throw(size_t size, size_t align) {
  void* block = allocate(size, align);
  if (!block) throw std::bad_alloc();
  return block;
}
}  // namespace

uint64_t Allocation_Count() { return allocations.load(std::memory_order_relaxed); }

void* operator new(size_t size) { return allocate_or_throw(size, kAlign); }
void* operator new[](size_t size) { return allocate_or_throw(size, kAlign); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return allocate(size, kAlign); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return allocate(size, kAlign); }
void* operator new(size_t size, std::align_val_t a) { return allocate_or_throw(size, static_cast<size_t>(a)); }
void* operator new[](size_t size, std::align_val_t a) { return allocate_or_throw(size, static_cast<size_t>(a)); }

void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t, std::align_val_t) noexcept { std::free(p); }
