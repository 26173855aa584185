// Misuse that the interface promises to survive, where no other test looks:
// nulls that do nothing, parents and wait-sets refusing what they cannot
// do with the DDS codes, and the entities still sound afterwards. Under the
// sanitizer build a refusal must also leave nothing behind.
#include <gtest/gtest.h>

#include "subscription/stand_in.h"

namespace {

TEST(HarmlessNulls, SampleSequencesAndConditionCastsOfNull) {
  DDS_SampleSequence_destroy(nullptr);
  DDS_SampleSequence* s = DDS_SampleSequence_create();
  EXPECT_EQ(DDS_SampleSequence_copy(nullptr, s), nullptr);
  EXPECT_EQ(DDS_SampleSequence_copy(s, nullptr), s);
  DDS_SampleSequence_destroy(s);

  EXPECT_EQ(DDS_StatusCondition_as_condition(nullptr), nullptr);
  EXPECT_EQ(DDS_GuardCondition_as_condition(nullptr), nullptr);
  EXPECT_EQ(DDS_ReadCondition_as_condition(nullptr), nullptr);
}

class Misuse : public StandIn {
 protected:
  DDS_DomainParticipant* participant() { return c_handle_of<DDS_DomainParticipant>(participant_); }
  DDS_Publisher* publisher() { return c_handle_of<DDS_Publisher>(publisher_); }

  // Takes what r holds into a fresh loan; the values, or -1 for no data.
  std::vector<int32_t> take_all(DDS_DataReader* r) {
    Loan loan;
    EXPECT_EQ(DDS_DataReader_take(r, loan.data, loan.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                                  DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE),
              DDS_RETCODE_OK);
    std::vector<int32_t> values = loan.values();
    EXPECT_EQ(DDS_DataReader_return_loan(r, loan.data, loan.infos), DDS_RETCODE_OK);
    return values;
  }
};

TEST_F(Misuse, ParentsWithChildrenAndStrangersAreRefusedAndNothingIsHalfDeleted) {
  ZORVEX::DataWriter* core_writer = writer();
  DDS_DataWriter* w = c_handle_of<DDS_DataWriter>(core_writer);
  DDS_DataReader* r = reader();
  DDS_Publisher* other_publisher = DDS_DomainParticipant_create_publisher(participant(), nullptr, nullptr, 0);
  DDS_Subscriber* other_subscriber = DDS_DomainParticipant_create_subscriber(participant(), nullptr, nullptr, 0);
  ASSERT_NE(other_publisher, nullptr);
  ASSERT_NE(other_subscriber, nullptr);

  EXPECT_EQ(DDS_DomainParticipant_delete_publisher(participant(), publisher()), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_DomainParticipant_delete_subscriber(participant(), subscriber_), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_DomainParticipant_delete_topic(participant(), c_handle_of<DDS_Topic>(core_topic_)),
            DDS_RETCODE_PRECONDITION_NOT_MET);
  // A child handed to a parent that is not its own.
  EXPECT_EQ(DDS_Publisher_delete_datawriter(other_publisher, w), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_Subscriber_delete_datareader(other_subscriber, r), DDS_RETCODE_PRECONDITION_NOT_MET);

  write(core_writer, 1, 10);
  EXPECT_EQ(take_all(r), std::vector<int32_t>{10});
  EXPECT_EQ(DDS_Publisher_delete_datawriter(publisher(), w), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Subscriber_delete_datareader(subscriber_, r), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_delete_subscriber(participant(), other_subscriber), DDS_RETCODE_OK);
}

TEST_F(Misuse, LoansOutHoldBackEveryDeletionAboveTheReader) {
  ZORVEX::DataWriter* w = writer();
  DDS_DataReader* r = reader();
  write(w, 1, 10);
  Loan out;
  ASSERT_EQ(DDS_DataReader_take(r, out.data, out.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                                DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);

  EXPECT_EQ(DDS_Subscriber_delete_contained_entities(subscriber_), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_DomainParticipant_delete_contained_entities(participant()), DDS_RETCODE_PRECONDITION_NOT_MET);
  // Nothing went: the reader still receives, and the loan still returns.
  write(w, 1, 11);
  EXPECT_EQ(take_all(r), std::vector<int32_t>{11});
  EXPECT_EQ(DDS_DataReader_return_loan(r, out.data, out.infos), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataReader_return_loan(r, out.data, out.infos), DDS_RETCODE_OK);  // now empty: nothing to give
  EXPECT_EQ(DDS_Subscriber_delete_contained_entities(subscriber_), DDS_RETCODE_OK);
}

TEST_F(Misuse, AWaitSetWithNothingToWaitForAnswersAtOnceEvenWithoutATimeOut) {
  void** waitset = ZORVEX::DDS_WaitSet_new();
  DDS_ConditionSequence* active = DDS_ConditionSequence_create_with_size(3);
  const DDS_Duration_t forever{DDS_DURATION_INFINITE_SEC, DDS_DURATION_INFINITE_NSEC};
  EXPECT_EQ(ZORVEX::DDS_WaitSet_wait(waitset, active, &forever), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_ConditionSequence_size(active), 0u);

  // Its only condition deleted by the reader that made it: nothing is left.
  DDS_DataReader* r = reader();
  DDS_ReadCondition* c =
      DDS_DataReader_create_readcondition(r, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE);
  ASSERT_EQ(ZORVEX::DDS_WaitSet_attach_condition(waitset, reinterpret_cast<void**>(c)), DDS_RETCODE_OK);
  ASSERT_EQ(DDS_DataReader_delete_readcondition(r, c), DDS_RETCODE_OK);
  EXPECT_EQ(ZORVEX::DDS_WaitSet_wait(waitset, active, &forever), DDS_RETCODE_PRECONDITION_NOT_MET);

  DDS_ConditionSequence_destroy(active);
  ZORVEX::DDS_WaitSet_delete(waitset);
}

}  // namespace
