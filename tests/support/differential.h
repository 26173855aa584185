// A seeded random walk for differential tests: each step picks an operation,
// applies it to the library object and to the standard container it wraps,
// and the test compares the two. A divergence names the seed and the step.
//
// QUILLMARC_DIFF_SEED fixes the seed, QUILLMARC_DIFF_STEPS the walk length
// (default a few thousand steps, enough for CI; raise it for long runs).
#ifndef QUILLMARC_TESTS_SUPPORT_DIFFERENTIAL_H
#define QUILLMARC_TESTS_SUPPORT_DIFFERENTIAL_H

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <exception>
#include <random>
#include <string>
#include <typeinfo>

class RandomWalk {
 public:
  explicit RandomWalk(uint64_t default_seed, long default_steps = 3000)
      : seed_(env_or("QUILLMARC_DIFF_SEED", default_seed)),
        steps_(static_cast<long>(env_or("QUILLMARC_DIFF_STEPS", default_steps))),
        rng_(seed_) {}

  long steps() const { return steps_; }
  uint64_t seed() const { return seed_; }
  // Uniform in [0, n).
  size_t below(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
  bool chance(int percent) { return below(100) < static_cast<size_t>(percent); }
  uint64_t bits() { return rng_(); }

  // What to print when a step diverges.
  std::string where(long step, const std::string& op) const {
    return "seed " + std::to_string(seed_) + ", step " + std::to_string(step) + ": " + op;
  }

 private:
  static uint64_t env_or(const char* name, uint64_t fallback) {
    const char* v = std::getenv(name);
    return v != nullptr ? std::strtoull(v, nullptr, 0) : fallback;
  }
  uint64_t seed_;
  long steps_;
  std::mt19937_64 rng_;
};

// The outcome of one operation: nothing thrown, or the exception's type and
// message, so that the library and the standard container can be compared.
struct Outcome {
  std::string thrown;  // empty: returned normally
  bool operator==(Outcome const& o) const { return thrown == o.thrown; }
};

template <class F>
Outcome outcome_of(F&& f) {
  try {
    f();
    return {};
  } catch (std::exception const& e) {
    return {std::string(typeid(e).name()) + ": " + e.what()};
  }
}

#endif
