// The floors that the delivery figures read against, measured in the same
// run: a copy of a payload, an allocation and its release, and an
// uncontended mutex. The copy's size is not known to the compiler, so it
// calls the C library's memcpy as the core does.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

void FloorMemcpy(benchmark::State& state, size_t bytes) {
  std::vector<unsigned char> from(bytes, 1), to(bytes);
  for (auto _ : state) {
    size_t n = bytes;
    benchmark::DoNotOptimize(n);
    std::memcpy(to.data(), from.data(), n);
    benchmark::ClobberMemory();
  }
}

void FloorMallocFree(benchmark::State& state, size_t bytes) {
  for (auto _ : state) {
    void* p = std::malloc(bytes);
    benchmark::DoNotOptimize(p);
    std::free(p);
  }
}

void FloorMutexLockUnlock(benchmark::State& state) {
  std::mutex mutex;
  for (auto _ : state) {
    mutex.lock();
    mutex.unlock();
  }
}

}  // namespace

BENCHMARK_CAPTURE(FloorMemcpy, 64B, 64);
BENCHMARK_CAPTURE(FloorMemcpy, 4KiB, 4096);
BENCHMARK_CAPTURE(FloorMallocFree, 64B, 64);
BENCHMARK(FloorMutexLockUnlock);
