// Kept apart from the tests, so that the compiler never sees a block from
// the replaced operator new reach this file's free().
#include "counted_allocations.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> live{0};
}  // namespace

long counted_allocations::live_bytes() { return live.load(); }

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    live += static_cast<long>(malloc_usable_size(p));
    return p;
}
void operator delete(void* p) noexcept {
    if (p == nullptr) return;
    live -= static_cast<long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
