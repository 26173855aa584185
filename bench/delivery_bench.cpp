// What a sample costs on its way from writer to reader on the stand-in core,
// through the C interface only, in three shapes of use:
// - WriteTakeAll: one thread writes N samples, then takes them all in
//   batches, returning each loan;
// - OneSampleLatency: one thread writes a sample and takes it;
// - WaitSetBursts: a reader's thread waits in a wait-set while the writer
//   writes bursts.
// WriteTakeAllOnTheCore is WriteTakeAll on the core's own interface, with
// loan cells made once and kept: how much of WriteTakeAll is the core's.
// Samples are {int32 id; uint8 payload[P]}, the ids counting the writes, and
// every shape fails its run unless each sample is taken exactly once, in
// order. Built twice: bench_delivery times them; bench_delivery_counted
// counts the heap allocations and payload copies per sample (heap_counts.h).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <vector>

#include "heap_counts.h"
#include "ordered_take.h"
#include "os_counters.h"
#include "pubsub.h"
#include "zorvex/sequence_base.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr DDS_Long kBatch = 256;      // samples a take asks for
constexpr uint64_t kBurst = 2560;     // samples a WriteTakeAll round writes
constexpr uint64_t kLongBurst = 1000000;  // and a round of its _burst_1000000 variants
constexpr uint64_t kWarmUp = 20000;  // writes, each taken, before the timed part

double seconds_since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The topic of {int32 id; uint8 payload[P]}, with one writer and one reader,
// reliable and KEEP_ALL, of unlimited resource limits. Keyless for keys 0;
// otherwise keyed by the payload's first four bytes, the writes cycling
// through `keys` keys.
class IdTopic {
 public:
  IdTopic(size_t payload, int keys)
      : sample_(sizeof(int32_t) + payload),
        keys_(keys),
        pubsub_(ZORVEX_TypeDescriptor{sample_.size(), sizeof(int32_t), keys > 0 ? sizeof(int32_t) : 0}, {}) {}

  // Writes the next n samples; false if a write did not answer OK.
  bool write(uint64_t n) {
    DDS_ReturnCode_t rc = DDS_RETCODE_OK;
    for (uint64_t i = 0; i < n; ++i) {
      const int32_t id = static_cast<int32_t>(++written_);
      std::memcpy(sample_.data(), &id, sizeof id);
      if (keys_ > 0) {
        const int32_t key = id % keys_;
        std::memcpy(sample_.data() + sizeof id, &key, sizeof key);
      }
      rc |= DDS_DataWriter_write(pubsub_.writer, sample_.data(), &DDS_HANDLE_NIL);
    }
    return rc == DDS_RETCODE_OK;
  }

  // The same as write(), on the core's writer.
  bool write_on_core(uint64_t n) {
    ZORVEX::ReturnCode_t rc = ZORVEX::RETCODE_OK;
    for (uint64_t i = 0; i < n; ++i) {
      const int32_t id = static_cast<int32_t>(++written_);
      std::memcpy(sample_.data(), &id, sizeof id);
      rc |= pubsub_.core_writer()->write(sample_.data(), ZORVEX::HANDLE_NIL);
    }
    return rc == ZORVEX::RETCODE_OK;
  }

  uint64_t written() const { return written_; }
  size_t sample_size() const { return sample_.size(); }
  DDS_DataReader* reader() const { return pubsub_.reader; }
  ZORVEX::DataReader* core_reader() const { return pubsub_.core_reader(); }

 private:
  std::vector<unsigned char> sample_;
  int keys_;
  PubSub pubsub_;
  uint64_t written_ = 0;
};

// Fails the run unless every write answered OK and every sample written was
// taken, once and in order.
void check_exactly_once(benchmark::State& state, bool writes_ok, uint64_t written, uint64_t taken, bool in_order) {
  if (!writes_ok)
    state.SkipWithError("a write did not answer OK");
  else if (taken != written || !in_order)
    state.SkipWithError("a sample was lost, repeated or out of order");
}

void report_samples(benchmark::State& state, uint64_t samples, size_t payload) {
  state.SetItemsProcessed(static_cast<int64_t>(samples));
  state.SetBytesProcessed(static_cast<int64_t>(samples * payload));
}

// A loan sequence whose cells, once made, stay for the next loan.
template <class T>
class KeptCells : public SequenceBase {
 public:
  ~KeptCells() override {
    for (void* cell : cells) delete static_cast<T*>(cell);
  }
  int length() const override { return current_length; }
  bool length(int n) override {
    if (n < 0) return false;
    for (; owned_count < n; ++owned_count) cells.push_back(new T());
    cell_buffer = cells.data();
    current_length = n;
    return true;
  }
  void unloan() override { current_length = 0; }
};

// Takes from the core's reader as OrderedTaker does through the C interface.
class CoreTaker {
 public:
  explicit CoreTaker(ZORVEX::DataReader* reader) : reader_(reader) {}
  bool take(int32_t max) {
    if (reader_->take(data_, infos_, max, ZORVEX::ANY_SAMPLE_STATE, ZORVEX::ANY_VIEW_STATE,
                      ZORVEX::ANY_INSTANCE_STATE) != ZORVEX::RETCODE_OK)
      return false;
    for (int i = 0; i < data_.length(); ++i) {
      int32_t id;
      std::memcpy(&id, *static_cast<void**>(data_.cells[static_cast<size_t>(i)]), sizeof id);
      in_order_ = in_order_ && static_cast<uint64_t>(id) == taken_ + 1;
      ++taken_;
    }
    return true;
  }
  void return_loan() { reader_->return_loan(data_, infos_); }
  uint64_t taken() const { return taken_; }
  bool in_order() const { return in_order_; }

 private:
  ZORVEX::DataReader* reader_;
  KeptCells<void*> data_;
  KeptCells<ZORVEX::SampleInfo> infos_;
  uint64_t taken_ = 0;
  bool in_order_ = true;
};

// The two ways a WriteTakeAll round writes and takes.
struct ThroughTheBinding {
  explicit ThroughTheBinding(IdTopic& topic) : taker(topic.reader(), 0) {}
  static bool write(IdTopic& topic, uint64_t n) { return topic.write(n); }
  OrderedTaker taker;
};
struct OnTheCore {
  explicit OnTheCore(IdTopic& topic) : taker(topic.core_reader()) {}
  static bool write(IdTopic& topic, uint64_t n) { return topic.write_on_core(n); }
  CoreTaker taker;
};

// Each iteration writes a burst of n samples, then takes them all in batches
// of 256 and returns each loan. Reported besides samples per second:
// take_per_second, the rate of the take phase alone. The warm-up writes at
// least one burst and, with keys, each key at least once, so that the timed
// part finds all the instances made.
template <class Path>
void WriteTakeAllBy(benchmark::State& state, size_t payload, int keys, uint64_t n) {
  IdTopic topic(payload, keys);
  Path path(topic);
  auto& taker = path.taker;
  bool writes_ok = true;
  double take_seconds = 0;
  const auto round = [&] {
    writes_ok = Path::write(topic, n) && writes_ok;
    const Clock::time_point start = Clock::now();
    while (taker.take(kBatch)) taker.return_loan();
    take_seconds += seconds_since(start);
  };
  while (topic.written() < std::max<uint64_t>(kWarmUp, static_cast<uint64_t>(keys))) round();
  take_seconds = 0;
  const uint64_t before = topic.written();
  HeapWindow heap(topic.sample_size());
  for (auto _ : state) round();
  const uint64_t samples = topic.written() - before;
  heap.report(state, samples);
  check_exactly_once(state, writes_ok, topic.written(), taker.taken(), taker.in_order());
  report_samples(state, samples, payload);
  state.counters["take_per_second"] = static_cast<double>(samples) / take_seconds;
}

void WriteTakeAll(benchmark::State& state, size_t payload, int keys, uint64_t burst) {
  WriteTakeAllBy<ThroughTheBinding>(state, payload, keys, burst);
}
void WriteTakeAllOnTheCore(benchmark::State& state, size_t payload, uint64_t burst) {
  WriteTakeAllBy<OnTheCore>(state, payload, 0, burst);
}

double quantile(std::vector<double> values, double q) {
  if (values.empty()) return 0;
  const auto at = values.begin() + static_cast<std::ptrdiff_t>(q * static_cast<double>(values.size() - 1));
  std::nth_element(values.begin(), at, values.end());
  return *at;
}

// Each iteration writes one sample and takes at most one until it is there;
// its time runs from the call of write to the return of the take that found
// the sample (the loan is returned after). Reported: median_ns, p99_ns.
void OneSampleLatency(benchmark::State& state, size_t payload) {
  constexpr int give_up = 1000000;  // takes that find nothing before a sample counts as lost
  IdTopic topic(payload, 0);
  OrderedTaker taker(topic.reader(), 0);
  bool writes_ok = true;
  bool arrived = true;
  const auto round = [&] {
    const Clock::time_point start = Clock::now();
    writes_ok = topic.write(1) && writes_ok;
    int tries = 0;
    while (!taker.take(1))
      if (++tries == give_up) {
        arrived = false;
        return 0.0;
      }
    const double seconds = seconds_since(start);
    taker.return_loan();
    return seconds;
  };
  for (uint64_t i = 0; i < kWarmUp && arrived; ++i) round();
  std::vector<double> times;
  times.reserve(static_cast<size_t>(state.max_iterations));
  HeapWindow heap(topic.sample_size());
  for (auto _ : state) {
    if (!arrived) break;
    times.push_back(round());
    state.SetIterationTime(times.back());
  }
  heap.report(state, times.size());
  check_exactly_once(state, writes_ok && arrived, topic.written(), taker.taken(), taker.in_order());
  report_samples(state, times.size(), payload);
  state.counters["median_ns"] = quantile(times, 0.5) * 1e9;
  state.counters["p99_ns"] = quantile(times, 0.99) * 1e9;
}

// The writer's wait for the reader's thread: spinning, so that the system
// calls counted are the library's.
void cpu_relax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#endif
}

// Each iteration writes a burst of 256 samples, once the reader's thread has
// taken all but the previous burst: the reader takes one burst while the
// writer writes the next. The reader's thread waits in a wait-set on a read
// condition and takes all there is. Reported besides samples per second:
// context_switches_per_sample (getrusage, voluntary and involuntary, of the
// whole process) and, where the machine lets a process count them,
// syscalls_per_sample (os_counters.h).
void WaitSetBursts(benchmark::State& state, size_t payload) {
  constexpr uint64_t burst = 256;
  IdTopic topic(payload, 0);
  SystemCalls calls;  // made first, so that it counts the reader's thread too
  ReaderThread reader(topic.reader(), 0);
  bool writes_ok = true;
  const auto write_burst = [&] {
    if (topic.written() >= burst) reader.wait_for(topic.written() - burst, cpu_relax);
    writes_ok = topic.write(burst) && writes_ok;
  };
  while (topic.written() < kWarmUp) write_burst();
  reader.wait_for(topic.written(), cpu_relax);
  const uint64_t before = topic.written();
  HeapWindow heap(topic.sample_size());
  const uint64_t switches_before = context_switches();
  const uint64_t calls_before = calls.count();
  for (auto _ : state) write_burst();
  reader.wait_for(topic.written(), cpu_relax);
  const uint64_t samples = topic.written() - before;
  const uint64_t calls_made = calls.count() - calls_before;
  state.counters["context_switches_per_sample"] =
      static_cast<double>(context_switches() - switches_before) / static_cast<double>(samples);
  if (calls.available()) state.counters["syscalls_per_sample"] = static_cast<double>(calls_made) / samples;
  heap.report(state, samples);
  check_exactly_once(state, writes_ok, topic.written(), reader.taken(), !reader.out_of_order());
  report_samples(state, samples, payload);
}

}  // namespace

BENCHMARK_CAPTURE(WriteTakeAll, 64B, 64, 0, kBurst)->UseRealTime();
BENCHMARK_CAPTURE(WriteTakeAll, 64B_burst_1000000, 64, 0, kLongBurst)->UseRealTime();
BENCHMARK_CAPTURE(WriteTakeAll, 4KiB, 4096, 0, kBurst)->UseRealTime();
BENCHMARK_CAPTURE(WriteTakeAll, 64B_keyed_1, 64, 1, kBurst)->UseRealTime();
BENCHMARK_CAPTURE(WriteTakeAll, 64B_keyed_100000, 64, 100000, kBurst)->UseRealTime();
BENCHMARK_CAPTURE(WriteTakeAllOnTheCore, 64B, 64, kBurst)->UseRealTime();
BENCHMARK_CAPTURE(WriteTakeAllOnTheCore, 64B_burst_1000000, 64, kLongBurst)->UseRealTime();
BENCHMARK_CAPTURE(OneSampleLatency, 64B, 64)->UseManualTime();
BENCHMARK_CAPTURE(OneSampleLatency, 4KiB, 4096)->UseManualTime();
BENCHMARK_CAPTURE(WaitSetBursts, 64B, 64)->UseRealTime();
BENCHMARK_CAPTURE(WaitSetBursts, 4KiB, 4096)->UseRealTime();

BENCHMARK_MAIN();
