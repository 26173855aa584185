// What the entity functions cost over the core calls they forward to. Each
// pair runs the C function and the core's own call on the same writer or
// reader, in alternating batches (interleave.h).
#include "binding/loan_sequence.h"
#include "interleave.h"
#include "pubsub.h"

namespace {

using Sample = Payload<64>;

// Both members of a pair work on one writer and reader, made at their first
// use and kept until the process ends. latest_only(): the reader keeps the
// latest sample only, so every write is delivered and the history stays at
// one sample; keep_all(): reliable and KEEP_ALL.
PubSub& latest_only() {
  static PubSub* made = new PubSub(sizeof(Sample), {1});
  return *made;
}
PubSub& keep_all() {
  static PubSub* made = new PubSub(sizeof(Sample), {});
  return *made;
}

void fail_unless_ok(benchmark::State& state, int rc) {
  if (rc != DDS_RETCODE_OK) state.SkipWithError("a call did not answer OK");
}

void DataWriterWrite64B(benchmark::State& state) {
  PubSub& pubsub = latest_only();
  ZORVEX::DataWriter* writer = pubsub.core_writer();
  Sample sample;
  int rc = DDS_RETCODE_OK;
  bench::interleave(
      state, 32, bench::nothing,
      [&] {
        ++sample.sequence;
        rc |= DDS_DataWriter_write(pubsub.writer, &sample, &DDS_HANDLE_NIL);
      },
      [&] {
        ++sample.sequence;
        rc |= writer->write(&sample, ZORVEX::HANDLE_NIL);
      });
  fail_unless_ok(state, rc);
}

// take of state.range(0) samples and return_loan. Before each batch the
// writer writes what the batch will take, untimed.
void DataReaderTakeReturnLoan(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const int batch = count == 1 ? 16 : 2;
  PubSub& pubsub = keep_all();
  ZORVEX::DataWriter* writer = pubsub.core_writer();
  ZORVEX::DataReader* reader = pubsub.core_reader();
  Sample sample;
  DDS_SampleSequence* data = DDS_SampleSequence_create();
  DDS_SampleInfoSequence* infos = DDS_SampleInfoSequence_create();
  int rc = DDS_RETCODE_OK;
  bench::interleave(
      state, batch,
      [&] {
        for (int i = 0; i < batch * count; ++i) {
          ++sample.sequence;
          rc |= writer->write(&sample, ZORVEX::HANDLE_NIL);
        }
      },
      [&] {
        rc |= DDS_DataReader_take(pubsub.reader, data, infos, count, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                  DDS_ANY_INSTANCE_STATE);
        rc |= DDS_DataReader_return_loan(pubsub.reader, data, infos);
      },
      // The core's own loan sequences, made for the take as the binding makes its.
      [&] {
        SequenceData<void*> core_data;
        SequenceData<ZORVEX::SampleInfo> core_infos;
        rc |= reader->take(core_data, core_infos, count, ZORVEX::ANY_SAMPLE_STATE, ZORVEX::ANY_VIEW_STATE,
                           ZORVEX::ANY_INSTANCE_STATE);
        rc |= reader->return_loan(core_data, core_infos);
      });
  fail_unless_ok(state, rc);
  DDS_SampleInfoSequence_destroy(infos);
  DDS_SampleSequence_destroy(data);
}

void DataWriterGetQos(benchmark::State& state) {
  PubSub& pubsub = keep_all();
  ZORVEX::DataWriter* writer = pubsub.core_writer();
  CWriterQos qos;
  ZORVEX::DataWriterQos core_qos;
  int rc = DDS_RETCODE_OK;
  bench::interleave(
      state, 256, bench::nothing,
      [&] {
        rc |= DDS_DataWriter_get_qos(pubsub.writer, qos.get());
        benchmark::DoNotOptimize(*qos);
      },
      [&] {
        rc |= writer->get_qos(core_qos);
        benchmark::DoNotOptimize(core_qos);
      });
  fail_unless_ok(state, rc);
}

// Setting the QoS the writer already has: the core checks and applies it.
void DataWriterSetQos(benchmark::State& state) {
  PubSub& pubsub = keep_all();
  ZORVEX::DataWriter* writer = pubsub.core_writer();
  CWriterQos qos;
  ZORVEX::DataWriterQos core_qos;
  int rc = DDS_DataWriter_get_qos(pubsub.writer, qos.get()) | writer->get_qos(core_qos);
  bench::interleave(
      state, 64, bench::nothing, [&] { rc |= DDS_DataWriter_set_qos(pubsub.writer, qos.get()); },
      [&] { rc |= writer->set_qos(core_qos); });
  fail_unless_ok(state, rc);
}

}  // namespace

BENCHMARK(DataWriterWrite64B);
BENCHMARK(DataReaderTakeReturnLoan)->Arg(1)->Arg(32);
BENCHMARK(DataWriterGetQos);
BENCHMARK(DataWriterSetQos);

BENCHMARK_MAIN();
