// Pairs measured side by side. The members of a pair (the binding's call,
// the direct call it stands for and, for the value types, the standard
// operation behind a call the compiler cannot inline) run in alternating
// batches, taking turns at going first, so that a change in the machine's
// load falls on all of them alike. Each benchmark iteration is one round of
// one batch per member.
//
// Reported counters, medians over the rounds, which a stray disturbance
// does not move: <member>_ns, the time of one call; binding_over_<member>,
// the ratio of the binding's time per call to that member's in one round.
#ifndef QUILLMARC_BENCH_INTERLEAVE_H
#define QUILLMARC_BENCH_INTERLEAVE_H

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <string>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline const char* const kMembers[] = {"binding", "direct", "call"};

template <class Call>
double time_batch(Call& call, int batch) {
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < batch; ++i) call();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

inline double median(std::vector<double> values) {
  if (values.empty()) return 0;
  auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

// `prepare` runs, untimed, before each batch of any member (for instance to
// write the samples that a batch of takes will find). batches[m] is the
// number of calls in a batch of member m: members of very different costs
// get batches of about the same duration, so that a disturbance of the
// machine is as likely to fall on either.
template <class Prepare, class... Calls>
void interleave(benchmark::State& state, const std::array<int, sizeof...(Calls)>& batches, Prepare prepare,
                Calls... calls) {
  constexpr size_t n = sizeof...(Calls);
  static_assert(n >= 2 && n <= 3, "the binding and one or two others");
  std::vector<std::array<double, n>> rounds;  // seconds per call
  size_t first = 0;
  for (auto _ : state) {
    std::array<double, n> round{};
    for (size_t turn = 0; turn < n; ++turn) {
      const size_t member = (first + turn) % n;
      size_t index = 0;
      auto run_if_its_turn = [&](auto& call) {
        if (index == member) {
          prepare();
          round[index] = time_batch(call, batches[index]) / batches[index];
        }
        ++index;
      };
      (run_if_its_turn(calls), ...);
    }
    first = (first + 1) % n;
    rounds.push_back(round);
  }
  for (size_t m = 0; m < n; ++m) {
    std::vector<double> times, ratios;
    for (const auto& round : rounds) {
      times.push_back(round[m]);
      ratios.push_back(round[0] / round[m]);
    }
    state.counters[std::string(kMembers[m]) + "_ns"] = median(std::move(times)) * 1e9;
    if (m > 0) state.counters[std::string("binding_over_") + kMembers[m]] = median(std::move(ratios));
  }
}

// The same batch size for every member.
template <class Prepare, class... Calls>
void interleave(benchmark::State& state, int batch, Prepare prepare, Calls... calls) {
  std::array<int, sizeof...(Calls)> batches;
  batches.fill(batch);
  interleave(state, batches, prepare, calls...);
}

inline void nothing() {}

}  // namespace bench

#endif
