// Wait-sets across threads, through the exported functions: a waiter woken
// by a guard condition set from another thread, or by samples another thread
// writes, and one that times out.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>
#include <vector>

#include "stand_in.h"

namespace {

using namespace std::chrono_literals;

class ThreadedWaitSets : public StandIn {
 protected:
  void TearDown() override {
    ZORVEX::DDS_WaitSet_delete(waitset_);
    DDS_GuardCondition_delete(guard_);
    DDS_ConditionSequence_destroy(active_);
    StandIn::TearDown();
  }
  std::vector<void*> active() const { return *active_; }

  void** waitset_ = ZORVEX::DDS_WaitSet_new();
  DDS_GuardCondition* guard_ = DDS_GuardCondition_new();
  DDS_ConditionSequence* active_ = DDS_ConditionSequence_create_with_size(2);
};

TEST_F(ThreadedWaitSets, AGuardSetFromAnotherThreadWakesTheWaiter) {
  ASSERT_EQ(ZORVEX::DDS_WaitSet_attach_condition(waitset_, reinterpret_cast<void**>(guard_)), DDS_RETCODE_OK);
  std::thread setter([this] {
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(DDS_GuardCondition_set_trigger_value(guard_, 1), DDS_RETCODE_OK);
  });
  const DDS_Duration_t forever{DDS_DURATION_INFINITE_SEC, DDS_DURATION_INFINITE_NSEC};
  EXPECT_EQ(ZORVEX::DDS_WaitSet_wait(waitset_, active_, &forever), DDS_RETCODE_OK);
  setter.join();
  EXPECT_EQ(active(), std::vector<void*>{guard_});
}

TEST_F(ThreadedWaitSets, SamplesWrittenByAnotherThreadWakeAReadCondition) {
  DDS_DataReader* r = reader();
  DDS_ReadCondition* fresh =
      DDS_DataReader_create_readcondition(r, DDS_NOT_READ_SAMPLE_STATE, DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE);
  ASSERT_EQ(ZORVEX::DDS_WaitSet_attach_condition(waitset_, reinterpret_cast<void**>(fresh)), DDS_RETCODE_OK);
  ASSERT_EQ(ZORVEX::DDS_WaitSet_attach_condition(waitset_, reinterpret_cast<void**>(guard_)), DDS_RETCODE_OK);
  ZORVEX::DataWriter* w = writer();
  std::thread writing([w] {
    std::this_thread::sleep_for(20ms);
    write(w, 1, 42);
  });
  const DDS_Duration_t ten_seconds{10, 0};
  EXPECT_EQ(ZORVEX::DDS_WaitSet_wait(waitset_, active_, &ten_seconds), DDS_RETCODE_OK);
  writing.join();
  EXPECT_EQ(active(), std::vector<void*>{fresh});

  Loan loan;
  ASSERT_EQ(DDS_DataReader_take(r, loan.data, loan.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                                DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);
  EXPECT_EQ(loan.values(), std::vector<int32_t>{42});
  ASSERT_EQ(DDS_DataReader_return_loan(r, loan.data, loan.infos), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataReader_delete_readcondition(r, fresh), DDS_RETCODE_OK);
}

// Deleting the reader's entities takes the wait-set's last condition away
// from under a wait with no timeout: nothing could wake it any more.
TEST_F(ThreadedWaitSets, AWaitWhoseLastConditionIsDeletedReturnsAtOnce) {
  DDS_DataReader* r = reader();
  DDS_ReadCondition* fresh =
      DDS_DataReader_create_readcondition(r, DDS_NOT_READ_SAMPLE_STATE, DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE);
  ASSERT_EQ(ZORVEX::DDS_WaitSet_attach_condition(waitset_, reinterpret_cast<void**>(fresh)), DDS_RETCODE_OK);
  std::promise<DDS_ReturnCode_t> answer;
  std::thread waiter([&] {
    const DDS_Duration_t forever{DDS_DURATION_INFINITE_SEC, DDS_DURATION_INFINITE_NSEC};
    answer.set_value(ZORVEX::DDS_WaitSet_wait(waitset_, active_, &forever));
  });
  std::this_thread::sleep_for(20ms);  // most often the waiter sleeps by now; either way it must return
  ASSERT_EQ(DDS_DomainParticipant_delete_contained_entities(c_handle_of<DDS_DomainParticipant>(participant_)),
            DDS_RETCODE_OK);
  std::future<DDS_ReturnCode_t> returned = answer.get_future();
  if (returned.wait_for(10s) != std::future_status::ready) {
    ADD_FAILURE() << "the wait did not return";
    std::abort();  // a joined thread would hang the test program
  }
  waiter.join();
  EXPECT_EQ(returned.get(), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_TRUE(active().empty());
}

TEST_F(ThreadedWaitSets, AWaitThatTimesOutAnswersTimeoutWithNoCondition) {
  ASSERT_EQ(ZORVEX::DDS_WaitSet_attach_condition(waitset_, reinterpret_cast<void**>(guard_)), DDS_RETCODE_OK);
  const DDS_Duration_t thirty_ms{0, 30000000};
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ZORVEX::DDS_WaitSet_wait(waitset_, active_, &thirty_ms), DDS_RETCODE_TIMEOUT);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);
  EXPECT_TRUE(active().empty());
}

}  // namespace
