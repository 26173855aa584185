// What the entity functions cost over the core calls they forward to. Each
// pair runs the C function and the core's own call on the same writer or
// reader; the names end in /binding and /direct.
#include <benchmark/benchmark.h>

#include <chrono>

#include "binding/loan_sequence.h"
#include "pubsub.h"

namespace {

using Sample = Payload<64>;
using Clock = std::chrono::steady_clock;

void fail_unless_ok(benchmark::State& state, int rc) {
  if (rc != DDS_RETCODE_OK) state.SkipWithError("a call did not answer OK");
}

// The writer has one reader that keeps only the latest sample, so every
// write is delivered and the reader's history stays at one sample.
void Write_binding(benchmark::State& state) {
  PubSub pubsub(sizeof(Sample), {1});
  Sample sample;
  int rc = DDS_RETCODE_OK;
  for (auto _ : state) {
    ++sample.sequence;
    rc |= DDS_DataWriter_write(pubsub.writer, &sample, &DDS_HANDLE_NIL);
  }
  fail_unless_ok(state, rc);
}
void Write_direct(benchmark::State& state) {
  PubSub pubsub(sizeof(Sample), {1});
  ZORVEX::DataWriter* writer = pubsub.core_writer();
  Sample sample;
  int rc = DDS_RETCODE_OK;
  for (auto _ : state) {
    ++sample.sequence;
    rc |= writer->write(&sample, ZORVEX::HANDLE_NIL);
  }
  fail_unless_ok(state, rc);
}

// take of every sample the reader holds and return_loan, timed alone: the
// state.range(0) samples are written before the clock starts.
void write_untimed(ZORVEX::DataWriter* writer, Sample& sample, int count) {
  for (int i = 0; i < count; ++i) {
    ++sample.sequence;
    writer->write(&sample, ZORVEX::HANDLE_NIL);
  }
}

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void TakeReturnLoan_binding(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  PubSub pubsub(sizeof(Sample), {});
  Sample sample;
  DDS_SampleSequence* data = DDS_SampleSequence_create();
  DDS_SampleInfoSequence* infos = DDS_SampleInfoSequence_create();
  int rc = DDS_RETCODE_OK;
  for (auto _ : state) {
    write_untimed(pubsub.core_writer(), sample, count);
    const Clock::time_point start = Clock::now();
    rc |= DDS_DataReader_take(pubsub.reader, data, infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                              DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE);
    rc |= DDS_DataReader_return_loan(pubsub.reader, data, infos);
    state.SetIterationTime(seconds_since(start));
  }
  fail_unless_ok(state, rc);
  DDS_SampleInfoSequence_destroy(infos);
  DDS_SampleSequence_destroy(data);
}
// The core's own loan sequences, made for the take as the binding makes its.
void TakeReturnLoan_direct(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  PubSub pubsub(sizeof(Sample), {});
  Sample sample;
  ZORVEX::DataReader* reader = pubsub.core_reader();
  int rc = DDS_RETCODE_OK;
  for (auto _ : state) {
    write_untimed(pubsub.core_writer(), sample, count);
    const Clock::time_point start = Clock::now();
    {
      SequenceData<void*> data;
      SequenceData<ZORVEX::SampleInfo> infos;
      rc |= reader->take(data, infos, ZORVEX::LENGTH_UNLIMITED, ZORVEX::ANY_SAMPLE_STATE, ZORVEX::ANY_VIEW_STATE,
                         ZORVEX::ANY_INSTANCE_STATE);
      rc |= reader->return_loan(data, infos);
    }
    state.SetIterationTime(seconds_since(start));
  }
  fail_unless_ok(state, rc);
}

void WriterGetQos_binding(benchmark::State& state) {
  PubSub pubsub(sizeof(Sample), {});
  CWriterQos qos;
  int rc = DDS_RETCODE_OK;
  for (auto _ : state) {
    rc |= DDS_DataWriter_get_qos(pubsub.writer, qos.get());
    benchmark::DoNotOptimize(*qos);
  }
  fail_unless_ok(state, rc);
}
void WriterGetQos_direct(benchmark::State& state) {
  PubSub pubsub(sizeof(Sample), {});
  ZORVEX::DataWriter* writer = pubsub.core_writer();
  ZORVEX::DataWriterQos qos;
  int rc = DDS_RETCODE_OK;
  for (auto _ : state) {
    rc |= writer->get_qos(qos);
    benchmark::DoNotOptimize(qos);
  }
  fail_unless_ok(state, rc);
}

// Setting the QoS the writer already has: the core checks and applies it.
void WriterSetQos_binding(benchmark::State& state) {
  PubSub pubsub(sizeof(Sample), {});
  CWriterQos qos;
  int rc = DDS_DataWriter_get_qos(pubsub.writer, qos.get());
  for (auto _ : state) rc |= DDS_DataWriter_set_qos(pubsub.writer, qos.get());
  fail_unless_ok(state, rc);
}
void WriterSetQos_direct(benchmark::State& state) {
  PubSub pubsub(sizeof(Sample), {});
  ZORVEX::DataWriter* writer = pubsub.core_writer();
  ZORVEX::DataWriterQos qos;
  int rc = writer->get_qos(qos);
  for (auto _ : state) rc |= writer->set_qos(qos);
  fail_unless_ok(state, rc);
}

}  // namespace

BENCHMARK(Write_binding)->Name("DataWriterWrite64B/binding");
BENCHMARK(Write_direct)->Name("DataWriterWrite64B/direct");
BENCHMARK(TakeReturnLoan_binding)->Name("DataReaderTakeReturnLoan/binding")->Arg(1)->Arg(32)->UseManualTime();
BENCHMARK(TakeReturnLoan_direct)->Name("DataReaderTakeReturnLoan/direct")->Arg(1)->Arg(32)->UseManualTime();
BENCHMARK(WriterGetQos_binding)->Name("DataWriterGetQos/binding");
BENCHMARK(WriterGetQos_direct)->Name("DataWriterGetQos/direct");
BENCHMARK(WriterSetQos_binding)->Name("DataWriterSetQos/binding");
BENCHMARK(WriterSetQos_direct)->Name("DataWriterSetQos/direct");

BENCHMARK_MAIN();
