// Counting operator new and delete, memcpy and memmove (see heap_counts.h).
// They must be seen by the shared libraries too: the executable exports them
// (default visibility), and the dynamic linker then binds the libraries'
// calls to these rather than to libstdc++'s and the C library's. The other
// forms of operator new and delete (arrays, nothrow) are libstdc++'s, which
// forward to the ones below.
#include <dlfcn.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "heap_counts.h"

namespace {

std::atomic<uint64_t> allocations{0};
std::atomic<uint64_t> frees{0};
std::atomic<uint64_t> copies{0};
std::atomic<size_t> copy_size{0};

void* counted(void* p) {
  if (p == nullptr) throw std::bad_alloc();
  allocations.fetch_add(1, std::memory_order_relaxed);
  return p;
}

void release(void* p) {
  if (p == nullptr) return;
  frees.fetch_add(1, std::memory_order_relaxed);
  std::free(p);
}

using CopyFunction = void* (*)(void*, const void*, size_t);

// The C library's function of that name, found once: the resolver of the
// dynamic linker does not copy through the exported memcpy.
void* copy(const char* name, std::atomic<CopyFunction>& next, void* to, const void* from, size_t n) {
  CopyFunction f = next.load(std::memory_order_relaxed);
  if (f == nullptr) {
    f = reinterpret_cast<CopyFunction>(dlsym(RTLD_NEXT, name));
    next.store(f, std::memory_order_relaxed);
  }
  if (n == copy_size.load(std::memory_order_relaxed)) copies.fetch_add(1, std::memory_order_relaxed);
  return f(to, from, n);
}

std::atomic<CopyFunction> next_memcpy{nullptr};
std::atomic<CopyFunction> next_memmove{nullptr};

}  // namespace

#define QUILLMARC_BENCH_EXPORTED __attribute__((visibility("default")))

QUILLMARC_BENCH_EXPORTED void* operator new(size_t n) { return counted(std::malloc(n == 0 ? 1 : n)); }
QUILLMARC_BENCH_EXPORTED void* operator new(size_t n, std::align_val_t alignment) {
  const size_t a = static_cast<size_t>(alignment);
  return counted(std::aligned_alloc(a, (n + a - 1) / a * a));
}
QUILLMARC_BENCH_EXPORTED void operator delete(void* p) noexcept { release(p); }
QUILLMARC_BENCH_EXPORTED void operator delete(void* p, size_t) noexcept { release(p); }
QUILLMARC_BENCH_EXPORTED void operator delete(void* p, std::align_val_t) noexcept { release(p); }
QUILLMARC_BENCH_EXPORTED void operator delete(void* p, size_t, std::align_val_t) noexcept { release(p); }

extern "C" QUILLMARC_BENCH_EXPORTED void* memcpy(void* __restrict to, const void* __restrict from,
                                                 size_t n) noexcept {
  return copy("memcpy", next_memcpy, to, from, n);
}
extern "C" QUILLMARC_BENCH_EXPORTED void* memmove(void* to, const void* from, size_t n) noexcept {
  return copy("memmove", next_memmove, to, from, n);
}

bool heap_counting() { return true; }
HeapCounts heap_counts() {
  return {allocations.load(std::memory_order_relaxed), frees.load(std::memory_order_relaxed),
          copies.load(std::memory_order_relaxed)};
}
void count_copies_of(size_t bytes) { copy_size.store(bytes, std::memory_order_relaxed); }
