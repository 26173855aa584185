// What the whole process allocates, frees and copies while a benchmark runs.
// Counted only in the programs linked with heap_counting.cpp, which puts a
// counting operator new and delete, memcpy and memmove in front of the
// standard ones; in the others (heap_not_counted.cpp) heap_counting() is
// false and every count stays 0, so the timed programs pay nothing.
#ifndef QUILLMARC_BENCH_HEAP_COUNTS_H
#define QUILLMARC_BENCH_HEAP_COUNTS_H

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>

struct HeapCounts {
  uint64_t allocations = 0;  // operator new, in all its forms
  uint64_t frees = 0;        // operator delete of an allocation
  uint64_t copies = 0;       // memcpy and memmove of exactly the bytes given to count_copies_of
};

bool heap_counting();
HeapCounts heap_counts();
// From now on, copies of exactly `bytes` bytes (a sample's size) are counted.
void count_copies_of(size_t bytes);

// The counts from its making to report(), per sample, as counters of the
// benchmark: allocations_per_sample, frees_per_sample, copies_per_sample.
class HeapWindow {
 public:
  explicit HeapWindow(size_t sample_size) {
    count_copies_of(sample_size);
    start_ = heap_counts();
  }
  void report(benchmark::State& state, uint64_t samples) const {
    if (!heap_counting() || samples == 0) return;
    const HeapCounts end = heap_counts();
    const auto per_sample = [&](uint64_t from, uint64_t to) { return static_cast<double>(to - from) / samples; };
    state.counters["allocations_per_sample"] = per_sample(start_.allocations, end.allocations);
    state.counters["frees_per_sample"] = per_sample(start_.frees, end.frees);
    state.counters["copies_per_sample"] = per_sample(start_.copies, end.copies);
  }

 private:
  HeapCounts start_;
};

#endif
