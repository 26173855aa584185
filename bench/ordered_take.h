// Taking through the C interface while checking that every sample arrives
// exactly once and in order. The samples carry a 32-bit id at a fixed offset
// that counts the writes from 1, so the n-th sample taken must carry id n.
#ifndef QUILLMARC_BENCH_ORDERED_TAKE_H
#define QUILLMARC_BENCH_ORDERED_TAKE_H

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <thread>

#include "quillmarc/dds_c.h"

class OrderedTaker {
 public:
  OrderedTaker(DDS_DataReader* reader, size_t id_offset)
      : reader_(reader),
        id_offset_(id_offset),
        data_(DDS_SampleSequence_create()),
        infos_(DDS_SampleInfoSequence_create()) {}
  ~OrderedTaker() {
    DDS_SampleInfoSequence_destroy(infos_);
    DDS_SampleSequence_destroy(data_);
  }
  OrderedTaker(const OrderedTaker&) = delete;
  OrderedTaker& operator=(const OrderedTaker&) = delete;

  // Takes at most `max` samples (DDS_LENGTH_UNLIMITED: all there are) and
  // checks their ids. True when the take answered OK: the loan is then held
  // until return_loan.
  bool take(DDS_Long max) {
    if (DDS_DataReader_take(reader_, data_, infos_, max, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                            DDS_ANY_INSTANCE_STATE) != DDS_RETCODE_OK)
      return false;
    for (size_t i = 0; i < DDS_SampleInfoSequence_size(infos_); ++i) {
      if (!DDS_SampleInfoSequence_at(infos_, i)->valid_data) continue;
      if (id_of(*DDS_SampleSequence_at(data_, i)) != static_cast<uint32_t>(taken_ + 1)) in_order_ = false;
      ++taken_;
    }
    return true;
  }
  void return_loan() { DDS_DataReader_return_loan(reader_, data_, infos_); }

  // Samples with data taken so far, and whether each carried the id expected.
  uint64_t taken() const { return taken_; }
  bool in_order() const { return in_order_; }

 private:
  uint32_t id_of(const void* sample) const {
    uint32_t id;
    std::memcpy(&id, static_cast<const unsigned char*>(sample) + id_offset_, sizeof id);
    return id;
  }

  DDS_DataReader* reader_;
  size_t id_offset_;
  DDS_SampleSequence* data_;
  DDS_SampleInfoSequence* infos_;
  uint64_t taken_ = 0;
  bool in_order_ = true;
};

// The reader's side on a thread of its own: it waits for samples in a
// wait-set on a read condition, takes all the reader holds and returns the
// loan, through an OrderedTaker.
class ReaderThread {
 public:
  ReaderThread(DDS_DataReader* reader, size_t id_offset)
      : reader_(reader),
        taker_(reader, id_offset),
        condition_(DDS_DataReader_create_readcondition(reader, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                                       DDS_ANY_INSTANCE_STATE)),
        waitset_(ZORVEX::DDS_WaitSet_new()),
        thread_([this] { run(); }) {}
  ~ReaderThread() {
    stop_ = true;
    thread_.join();
    ZORVEX::DDS_WaitSet_delete(waitset_);
    DDS_DataReader_delete_readcondition(reader_, condition_);
  }
  ReaderThread(const ReaderThread&) = delete;
  ReaderThread& operator=(const ReaderThread&) = delete;

  // Returns once `count` samples in all have been taken (or one was out of
  // order), calling `pause` between looks.
  void wait_for(uint64_t count, void (*pause)() = std::this_thread::yield) const {
    while (counted_.load(std::memory_order_acquire) < count && !out_of_order_) pause();
  }
  uint64_t taken() const { return counted_.load(std::memory_order_acquire); }
  bool out_of_order() const { return out_of_order_; }

 private:
  void run() {
    // C++ names the wait-set functions in namespace ZORVEX, on untyped handles.
    ZORVEX::DDS_WaitSet_attach_condition(waitset_, reinterpret_cast<void**>(condition_));
    DDS_ConditionSequence* active = DDS_ConditionSequence_create();
    const DDS_Duration_t poll = {0, 10000000};
    while (!stop_) {
      if (ZORVEX::DDS_WaitSet_wait(waitset_, active, &poll) != DDS_RETCODE_OK) continue;
      if (!taker_.take(DDS_LENGTH_UNLIMITED)) continue;
      taker_.return_loan();
      if (!taker_.in_order()) out_of_order_ = true;
      counted_.store(taker_.taken(), std::memory_order_release);
    }
    DDS_ConditionSequence_destroy(active);
  }

  DDS_DataReader* reader_;
  OrderedTaker taker_;
  DDS_ReadCondition* condition_;
  void** waitset_;
  std::atomic<uint64_t> counted_{0};
  std::atomic<bool> out_of_order_{false};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

#endif
