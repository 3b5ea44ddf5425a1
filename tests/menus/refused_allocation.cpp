// The program-wide allocation functions of this test program: malloc and
// free, with one refusal on request.
#include "menus/refused_allocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> refusedSize{0};
}  // namespace

namespace tvz::testing {
void RefuseNextAllocationOf(std::size_t size) { refusedSize = size; }
bool AllocationRefused() { return refusedSize == 0; }
}  // namespace tvz::testing

// Every plain form is replaced, so that whatever allocates frees through the
// same pair.
void* operator new(std::size_t size) {
  std::size_t armed = size;
  if (size != 0 && refusedSize.compare_exchange_strong(armed, 0)) throw std::bad_alloc();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return operator new(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
