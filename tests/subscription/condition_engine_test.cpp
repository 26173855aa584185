// Conditions and wait-sets end to end on the stand-in core, through the C
// functions: read, query, status and guard conditions, the conversions
// between their handles, and a wait-set on the calling thread.
#include <gtest/gtest.h>

#include <vector>

#include "stand_in.h"

namespace {

using Conditions = StandIn;

std::vector<void*> content(DDS_ConditionSequence* s) { return *s; }

TEST_F(Conditions, AReadConditionKeepsItsMasksAndTriggersOnMatchingSamples) {
  ZORVEX::DataWriter* w = writer();
  DDS_DataReader* r = reader();
  DDS_ReadCondition* fresh = DDS_DataReader_create_readcondition(r, DDS_NOT_READ_SAMPLE_STATE, 0x8001, 0xfff1);
  ASSERT_NE(fresh, nullptr);
  EXPECT_EQ(DDS_ReadCondition_get_sample_state_mask(fresh), DDS_NOT_READ_SAMPLE_STATE);
  EXPECT_EQ(DDS_ReadCondition_get_view_state_mask(fresh), 0x8001);
  EXPECT_EQ(DDS_ReadCondition_get_instance_state_mask(fresh), 0xfff1);
  EXPECT_EQ(DDS_ReadCondition_get_datareader(fresh), r);
  EXPECT_EQ(DDS_ReadCondition_get_trigger_value(fresh), 0);

  write(w, 1, 10);
  EXPECT_EQ(DDS_ReadCondition_get_trigger_value(fresh), 1);
  Reading got;
  DDS_SampleInfo info;
  ASSERT_EQ(DDS_DataReader_read_next_sample(r, &got, &info), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_ReadCondition_get_trigger_value(fresh), 0);  // read now

  DDS_Condition* general = DDS_ReadCondition_as_condition(fresh);
  EXPECT_EQ(static_cast<void*>(general), static_cast<void*>(fresh));
  EXPECT_EQ(DDS_Condition_as_read_condition(general), fresh);
  EXPECT_EQ(DDS_Condition_as_status_condition(general), nullptr);
  EXPECT_EQ(DDS_Condition_as_guard_condition(general), nullptr);
  EXPECT_EQ(DDS_DataReader_delete_readcondition(r, fresh), DDS_RETCODE_OK);
}

TEST_F(Conditions, AQueryConditionIsAReadConditionThatTriggersOnItsMasks) {
  ZORVEX::DataWriter* w = writer();
  DDS_DataReader* r = reader();
  DDS_CStringSequence* parameters = DDS_CStringSequence_create();
  DDS_ReadCondition* query = DDS_DataReader_create_querycondition(r, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                                                  DDS_ALIVE_INSTANCE_STATE, "value > 5", parameters);
  DDS_CStringSequence_destroy(parameters);
  ASSERT_NE(query, nullptr);
  EXPECT_EQ(DDS_ReadCondition_get_instance_state_mask(query), DDS_ALIVE_INSTANCE_STATE);
  EXPECT_EQ(DDS_Condition_as_read_condition(DDS_ReadCondition_as_condition(query)), query);
  EXPECT_EQ(DDS_ReadCondition_get_trigger_value(query), 0);
  write(w, 1, 1);
  EXPECT_EQ(DDS_ReadCondition_get_trigger_value(query), 1);
  EXPECT_EQ(DDS_DataReader_delete_contained_entities(r), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Subscriber_delete_datareader(subscriber_, r), DDS_RETCODE_OK);
}

TEST_F(Conditions, AStatusConditionTriggersOnItsEnabledStatuses) {
  DDS_Entity* entity = DDS_Subscriber_as_entity(subscriber_);
  DDS_StatusCondition* status = DDS_Entity_get_statuscondition(entity);
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(DDS_StatusCondition_get_entity(status), entity);
  EXPECT_EQ(DDS_StatusCondition_set_enabled_statuses(status, DDS_DATA_ON_READERS_STATUS), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_StatusCondition_get_enabled_statuses(status), DDS_DATA_ON_READERS_STATUS);
  EXPECT_EQ(DDS_StatusCondition_get_trigger_value(status), 0);

  ZORVEX::DataWriter* w = writer();
  DDS_DataReader* r = reader();
  write(w, 1, 10);
  EXPECT_EQ(DDS_StatusCondition_get_trigger_value(status), 1);
  EXPECT_NE(DDS_Entity_get_status_changes(entity) & DDS_DATA_ON_READERS_STATUS, 0u);
  Loan loan;
  ASSERT_EQ(DDS_DataReader_take(r, loan.data, loan.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                                DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);
  EXPECT_EQ(DDS_StatusCondition_get_trigger_value(status), 0);
  ASSERT_EQ(DDS_DataReader_return_loan(r, loan.data, loan.infos), DDS_RETCODE_OK);

  DDS_Condition* general = DDS_StatusCondition_as_condition(status);
  EXPECT_EQ(DDS_Condition_as_status_condition(general), status);
  EXPECT_EQ(DDS_Condition_as_guard_condition(general), nullptr);
  EXPECT_EQ(DDS_Condition_as_read_condition(general), nullptr);
}

TEST_F(Conditions, AGuardConditionIsTheCallersAndTakesAnyNonzeroValueAsTrue) {
  DDS_GuardCondition* guard = DDS_GuardCondition_new();
  ASSERT_NE(guard, nullptr);
  EXPECT_EQ(DDS_GuardCondition_get_trigger_value(guard), 0);
  EXPECT_EQ(DDS_GuardCondition_set_trigger_value(guard, 2), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_GuardCondition_get_trigger_value(guard), 1);
  EXPECT_EQ(DDS_GuardCondition_set_trigger_value(guard, 0), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_GuardCondition_get_trigger_value(guard), 0);

  DDS_Condition* general = DDS_GuardCondition_as_condition(guard);
  EXPECT_EQ(static_cast<void*>(general), static_cast<void*>(guard));
  EXPECT_EQ(DDS_Condition_as_guard_condition(general), guard);
  EXPECT_EQ(DDS_Condition_as_status_condition(general), nullptr);
  EXPECT_EQ(DDS_Condition_as_read_condition(general), nullptr);
  EXPECT_EQ(DDS_Condition_as_status_condition(nullptr), nullptr);
  EXPECT_EQ(DDS_Condition_as_guard_condition(nullptr), nullptr);
  EXPECT_EQ(DDS_Condition_as_read_condition(nullptr), nullptr);
  DDS_GuardCondition_delete(guard);
  DDS_GuardCondition_delete(nullptr);
}

class WaitSets : public StandIn {
 protected:
  void SetUp() override {
    StandIn::SetUp();
    waitset_ = ZORVEX::DDS_WaitSet_new();
    ASSERT_NE(waitset_, nullptr);
  }
  void TearDown() override {
    ZORVEX::DDS_WaitSet_delete(waitset_);
    DDS_GuardCondition_delete(guard_);
    DDS_ConditionSequence_destroy(active_);
    StandIn::TearDown();
  }
  DDS_ReturnCode_t attach(void* condition) {
    return ZORVEX::DDS_WaitSet_attach_condition(waitset_, static_cast<void**>(condition));
  }
  DDS_ReturnCode_t wait(DDS_Duration_t timeout) { return ZORVEX::DDS_WaitSet_wait(waitset_, active_, &timeout); }

  void** waitset_ = nullptr;
  DDS_GuardCondition* guard_ = DDS_GuardCondition_new();
  DDS_ConditionSequence* active_ = DDS_ConditionSequence_create_with_size(3);  // held before: replaced
};

TEST_F(WaitSets, AnswerTheTriggeredConditionsAsTheyWereAttached) {
  DDS_DataReader* r = reader();
  DDS_ReadCondition* fresh =
      DDS_DataReader_create_readcondition(r, DDS_NOT_READ_SAMPLE_STATE, DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE);
  DDS_StatusCondition* status = DDS_Entity_get_statuscondition(DDS_Subscriber_as_entity(subscriber_));
  ASSERT_EQ(DDS_StatusCondition_set_enabled_statuses(status, DDS_DATA_ON_READERS_STATUS), DDS_RETCODE_OK);
  ASSERT_EQ(attach(DDS_GuardCondition_as_condition(guard_)), DDS_RETCODE_OK);
  ASSERT_EQ(attach(DDS_ReadCondition_as_condition(fresh)), DDS_RETCODE_OK);
  ASSERT_EQ(attach(DDS_StatusCondition_as_condition(status)), DDS_RETCODE_OK);
  ASSERT_EQ(attach(DDS_GuardCondition_as_condition(guard_)), DDS_RETCODE_OK);  // harmless

  DDS_ConditionSequence* attached = DDS_ConditionSequence_create();
  ASSERT_EQ(ZORVEX::DDS_WaitSet_get_conditions(waitset_, attached), DDS_RETCODE_OK);
  EXPECT_EQ(content(attached), (std::vector<void*>{guard_, fresh, status}));

  // Nothing triggered: a time-out, with the old content replaced by none.
  EXPECT_EQ(wait({0, 20000000}), DDS_RETCODE_TIMEOUT);
  EXPECT_TRUE(content(active_).empty());

  ASSERT_EQ(DDS_GuardCondition_set_trigger_value(guard_, 1), DDS_RETCODE_OK);
  EXPECT_EQ(wait({0, 0}), DDS_RETCODE_OK);
  EXPECT_EQ(content(active_), std::vector<void*>{guard_});
  ASSERT_EQ(DDS_GuardCondition_set_trigger_value(guard_, 0), DDS_RETCODE_OK);

  write(writer(), 1, 10);
  EXPECT_EQ(wait({DDS_DURATION_INFINITE_SEC, DDS_DURATION_INFINITE_NSEC}), DDS_RETCODE_OK);
  EXPECT_EQ(content(active_), (std::vector<void*>{fresh, status}));
  EXPECT_EQ(DDS_Condition_as_read_condition(static_cast<DDS_Condition*>(content(active_)[0])), fresh);

  EXPECT_EQ(ZORVEX::DDS_WaitSet_detach_condition(waitset_, reinterpret_cast<void**>(fresh)), DDS_RETCODE_OK);
  EXPECT_EQ(ZORVEX::DDS_WaitSet_detach_condition(waitset_, reinterpret_cast<void**>(fresh)),
            DDS_RETCODE_PRECONDITION_NOT_MET);
  ASSERT_EQ(ZORVEX::DDS_WaitSet_get_conditions(waitset_, attached), DDS_RETCODE_OK);
  EXPECT_EQ(content(attached), (std::vector<void*>{guard_, status}));
  DDS_ConditionSequence_destroy(attached);
}

TEST_F(WaitSets, WithNothingAttachedAWaitIsRefusedAndDeletingNullDoesNothing) {
  EXPECT_EQ(wait({0, 0}), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_TRUE(content(active_).empty());
  EXPECT_EQ(ZORVEX::DDS_WaitSet_attach_condition(waitset_, nullptr), DDS_RETCODE_BAD_PARAMETER);
  ZORVEX::DDS_WaitSet_delete(nullptr);
}

TEST_F(WaitSets, ADeletedConditionLeavesTheWaitSet) {
  ASSERT_EQ(attach(DDS_GuardCondition_as_condition(guard_)), DDS_RETCODE_OK);
  DDS_GuardCondition_delete(guard_);
  guard_ = nullptr;
  DDS_ConditionSequence* attached = DDS_ConditionSequence_create_with_size(1);
  ASSERT_EQ(ZORVEX::DDS_WaitSet_get_conditions(waitset_, attached), DDS_RETCODE_OK);
  EXPECT_TRUE(content(attached).empty());
  DDS_ConditionSequence_destroy(attached);
}

}  // namespace
