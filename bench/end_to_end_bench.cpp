// What a sample costs end to end on the stand-in core, through the C
// interface only: write-to-take throughput of one writer and one reader
// (reliable, KEEP_ALL) and the latency from write to on_data_available.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstddef>

#include "ordered_take.h"
#include "pubsub.h"

namespace {

using Clock = std::chrono::steady_clock;

// Each iteration writes a burst and waits until the reader's thread has
// taken all of it, every sample exactly once. The reader holds at most 256
// samples, so a fast writer waits for room as a reliable writer does.
template <size_t Size>
void Throughput(benchmark::State& state) {
  constexpr int burst = 1000;
  PubSub pubsub(Size, {0, 256});
  Payload<Size> sample;
  uint64_t written = 0;
  ReaderThread reader(pubsub.reader, offsetof(Payload<Size>, sequence));
  int rc = DDS_RETCODE_OK;
  for (auto _ : state) {
    for (int i = 0; i < burst; ++i) {
      sample.sequence = static_cast<uint32_t>(++written);
      rc |= DDS_DataWriter_write(pubsub.writer, &sample, &DDS_HANDLE_NIL);
    }
    reader.wait_for(written);
  }
  if (rc != DDS_RETCODE_OK) state.SkipWithError("a write did not answer OK");
  if (reader.out_of_order()) state.SkipWithError("a sample was lost, repeated or out of order");
  state.SetItemsProcessed(static_cast<int64_t>(written));
  state.SetBytesProcessed(static_cast<int64_t>(written * Size));
}

// Latency: the time from the call of write to the start of the reader's
// on_data_available, which takes the sample so that the reader stays empty.
// Callbacks receive no user pointer, hence the file-wide stamp.
Clock::time_point data_available_at;

void on_data_available(DDS_DataReader* reader) {
  data_available_at = Clock::now();
  DDS_SampleSequence* data = DDS_SampleSequence_create();
  DDS_SampleInfoSequence* infos = DDS_SampleInfoSequence_create();
  if (DDS_DataReader_take(reader, data, infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                          DDS_ANY_INSTANCE_STATE) == DDS_RETCODE_OK)
    DDS_DataReader_return_loan(reader, data, infos);
  DDS_SampleInfoSequence_destroy(infos);
  DDS_SampleSequence_destroy(data);
}

template <size_t Size>
void Latency(benchmark::State& state) {
  DDS_DataReaderListener listener = {};
  listener.on_data_available = on_data_available;
  PubSub pubsub(Size, {}, &listener, DDS_DATA_AVAILABLE_STATUS);
  Payload<Size> sample;
  int rc = DDS_RETCODE_OK;
  for (auto _ : state) {
    ++sample.sequence;
    data_available_at = {};
    const Clock::time_point start = Clock::now();
    rc |= DDS_DataWriter_write(pubsub.writer, &sample, &DDS_HANDLE_NIL);
    if (data_available_at < start) {
      state.SkipWithError("on_data_available was not called");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(data_available_at - start).count());
  }
  if (rc != DDS_RETCODE_OK) state.SkipWithError("a write did not answer OK");
}

}  // namespace

BENCHMARK(Throughput<64>)->Name("Throughput/64B")->UseRealTime();
BENCHMARK(Throughput<4096>)->Name("Throughput/4KiB")->UseRealTime();
BENCHMARK(Latency<64>)->Name("Latency/64B")->UseManualTime();
BENCHMARK(Latency<4096>)->Name("Latency/4KiB")->UseManualTime();

BENCHMARK_MAIN();
