#pragma once
// For the tests of windows that cannot be made: this test program's
// allocator refuses, once, the next allocation of exactly the size given.
#include <cstddef>

namespace tvz::testing {

void RefuseNextAllocationOf(std::size_t size);
// True once the refusal has happened (the size was asked for).
bool AllocationRefused();

}  // namespace tvz::testing
