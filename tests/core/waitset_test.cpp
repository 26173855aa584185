// Wait-sets: time-outs, wake-ups by guard, read and status conditions, and
// the rules of attaching, detaching and waiting.
#include <chrono>
#include <thread>

#include "engine_fixture.h"

namespace {

using namespace ZORVEX;
using namespace std::chrono_literals;

using WaitSets = Engine;

TEST_F(WaitSets, AWaitThatTimesOutAnswersTimeoutWithNoCondition) {
    WaitSet ws;
    GuardCondition guard;
    ASSERT_EQ(ws.attach_condition(&guard), RETCODE_OK);
    std::vector<Condition*> active{&guard};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ws.wait(active, Duration_t{0, 30000000}), RETCODE_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 30ms);
    EXPECT_TRUE(active.empty());
}

TEST_F(WaitSets, AGuardSetFromAnotherThreadWakesTheWaiter) {
    WaitSet ws;
    GuardCondition guard;
    ASSERT_EQ(ws.attach_condition(&guard), RETCODE_OK);
    std::thread setter([&] {
        std::this_thread::sleep_for(20ms);
        guard.set_trigger_value(true);
    });
    std::vector<Condition*> active;
    EXPECT_EQ(ws.wait(active, DURATION_INFINITE), RETCODE_OK);
    setter.join();
    EXPECT_EQ(active, std::vector<Condition*>{&guard});
}

TEST_F(WaitSets, AReadConditionWakesOnDataWrittenByAnotherThread) {
    DataWriter* w = writer();
    DataReader* r = reader();
    ReadCondition* fresh = r->create_readcondition(NOT_READ_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
    EXPECT_EQ(fresh->get_sample_state_mask(), NOT_READ_SAMPLE_STATE);
    EXPECT_EQ(fresh->get_datareader(), r);
    WaitSet ws;
    ASSERT_EQ(ws.attach_condition(fresh), RETCODE_OK);
    std::thread writing([&] {
        std::this_thread::sleep_for(20ms);
        write(w, 1, 42);
    });
    std::vector<Condition*> active;
    EXPECT_EQ(ws.wait(active, Duration_t{10, 0}), RETCODE_OK);
    writing.join();
    ASSERT_EQ(active, std::vector<Condition*>{fresh});
    EXPECT_EQ(values_of(drain(r, false)), std::vector<int32_t>{42});
    EXPECT_FALSE(fresh->get_trigger_value());  // read now
    ASSERT_EQ(r->delete_readcondition(fresh), RETCODE_OK);
    std::vector<Condition*> attached{nullptr};
    ASSERT_EQ(ws.get_conditions(attached), RETCODE_OK);
    EXPECT_TRUE(attached.empty());  // a deleted condition leaves its wait-sets
}

TEST_F(WaitSets, AStatusConditionTriggersOnAnEnabledChangedStatus) {
    DataReader* r = reader();
    StatusCondition* status = r->get_statuscondition();
    EXPECT_EQ(status->get_entity(), static_cast<Entity*>(r));
    ASSERT_EQ(status->set_enabled_statuses(SUBSCRIPTION_MATCHED_STATUS), RETCODE_OK);
    EXPECT_EQ(status->get_enabled_statuses(), SUBSCRIPTION_MATCHED_STATUS);
    EXPECT_FALSE(status->get_trigger_value());
    writer();
    EXPECT_TRUE(status->get_trigger_value());
    WaitSet ws;
    ASSERT_EQ(ws.attach_condition(status), RETCODE_OK);
    std::vector<Condition*> active;
    EXPECT_EQ(ws.wait(active, DURATION_ZERO), RETCODE_OK);
    SubscriptionMatchedStatus matched;
    r->get_subscription_matched_status(matched);  // reading resets it
    EXPECT_FALSE(status->get_trigger_value());
    EXPECT_EQ(ws.wait(active, DURATION_ZERO), RETCODE_TIMEOUT);
}

TEST_F(WaitSets, AttachDetachAndWaitFollowTheirRules) {
    WaitSet ws;
    std::vector<Condition*> active;
    EXPECT_EQ(ws.wait(active, DURATION_ZERO), RETCODE_PRECONDITION_NOT_MET);  // nothing could wake it
    GuardCondition a, b;
    EXPECT_EQ(ws.attach_condition(nullptr), RETCODE_BAD_PARAMETER);
    EXPECT_EQ(ws.detach_condition(&a), RETCODE_PRECONDITION_NOT_MET);
    ASSERT_EQ(ws.attach_condition(&a), RETCODE_OK);
    ASSERT_EQ(ws.attach_condition(&a), RETCODE_OK);
    ASSERT_EQ(ws.attach_condition(&b), RETCODE_OK);
    std::vector<Condition*> attached;
    ws.get_conditions(attached);
    EXPECT_EQ(attached, (std::vector<Condition*>{&a, &b}));
    EXPECT_EQ(ws.wait(active, Duration_t{0, 1000000000}), RETCODE_BAD_PARAMETER);
    ASSERT_EQ(ws.detach_condition(&a), RETCODE_OK);
    {
        GuardCondition short_lived;
        ws.attach_condition(&short_lived);
    }
    ws.get_conditions(attached);
    EXPECT_EQ(attached, std::vector<Condition*>{&b});
}

TEST_F(WaitSets, OnlyOneThreadWaitsOnAWaitSetAtATime) {
    WaitSet ws;
    GuardCondition guard;
    ws.attach_condition(&guard);
    std::thread first([&] {
        std::vector<Condition*> active;
        ReturnCode_t rc;
        do {  // refused while one of the probes below is the one waiting
            rc = ws.wait(active, Duration_t{10, 0});
        } while (rc == RETCODE_PRECONDITION_NOT_MET);
        EXPECT_EQ(rc, RETCODE_OK);
    });
    std::vector<Condition*> active;
    ReturnCode_t rc = RETCODE_OK;
    for (int tries = 0; tries < 500 && rc != RETCODE_PRECONDITION_NOT_MET; ++tries) {
        std::this_thread::sleep_for(2ms);
        rc = ws.wait(active, DURATION_ZERO);
    }
    EXPECT_EQ(rc, RETCODE_PRECONDITION_NOT_MET);
    guard.set_trigger_value(true);
    first.join();
}

}  // namespace
