// Kept apart from the tests, so that the compiler never sees a block from
// the replaced operator new reach this file's free().
#include "failing_allocations.h"

#include <cstdlib>
#include <new>

namespace {
long allocations_before_failure = -1;
long blocks = 0;
}  // namespace

namespace failing_allocations {
void fail_after(long count) { allocations_before_failure = count; }
bool failure_pending() { return allocations_before_failure >= 0; }
long live_blocks() { return blocks; }
}  // namespace failing_allocations

void* operator new(std::size_t size) {
  if (allocations_before_failure == 0) {
    allocations_before_failure = -1;
    throw std::bad_alloc();
  }
  if (allocations_before_failure > 0) --allocations_before_failure;
  void* p = std::malloc(size == 0 ? 1 : size);
  if (p == nullptr) throw std::bad_alloc();
  ++blocks;
  return p;
}
void operator delete(void* p) noexcept {
  if (p == nullptr) return;
  --blocks;
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete[](void* p, std::size_t) noexcept { operator delete(p); }
