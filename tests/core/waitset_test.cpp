// Wait-sets: time-outs, wake-ups by guard, read and status conditions, and
// the rules of attaching, detaching and waiting.
#include <chrono>
#include <functional>
#include <future>
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

// A poke wakes only the wait-sets whose conditions it may have turned true,
// found by the entity a condition belongs to: each case sleeps on one kind of
// condition of a matched writer and reader until another thread makes it true.
struct WakeCase {
    const char* name;
    std::function<Condition*(class WakeUps&)> condition;  // false at first
    std::function<void(WakeUps&)> change;                 // on another thread
};

class WakeUps : public Engine, public ::testing::WithParamInterface<WakeCase> {
public:
    using Engine::reader;
    using Engine::subscriber;
    using Engine::write;
    DataWriter* w = nullptr;
    DataReader* r = nullptr;
};

StatusCondition* enabled(StatusCondition* c, StatusMask mask) {
    EXPECT_EQ(c->set_enabled_statuses(mask), RETCODE_OK);
    return c;
}

const WakeCase wake_cases[] = {
    {"QueryConditionOnData",
     [](WakeUps& t) -> Condition* {
         return t.r->create_querycondition(ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE, "value > 0", {});
     },
     [](WakeUps& t) { WakeUps::write(t.w, 1, 1); }},
    {"ReadConditionOnSamplesRead",
     [](WakeUps& t) -> Condition* {
         WakeUps::write(t.w, 1, 1);
         return t.r->create_readcondition(READ_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
     },
     [](WakeUps& t) { drain(t.r, false); }},
    {"ReaderStatusOnDataAvailable",
     [](WakeUps& t) -> Condition* { return enabled(t.r->get_statuscondition(), DATA_AVAILABLE_STATUS); },
     [](WakeUps& t) { WakeUps::write(t.w, 1, 1); }},
    {"SubscriberStatusOnDataOnReaders",
     [](WakeUps& t) -> Condition* { return enabled(t.subscriber->get_statuscondition(), DATA_ON_READERS_STATUS); },
     [](WakeUps& t) { WakeUps::write(t.w, 1, 1); }},
    {"WriterStatusOnPublicationMatched",
     [](WakeUps& t) -> Condition* {
         PublicationMatchedStatus matched;
         t.w->get_publication_matched_status(matched);  // reading resets it
         return enabled(t.w->get_statuscondition(), PUBLICATION_MATCHED_STATUS);
     },
     [](WakeUps& t) { t.reader(); }},
    {"ReaderStatusOnceItsChangedStatusIsEnabled",
     [](WakeUps& t) -> Condition* {
         WakeUps::write(t.w, 1, 1);
         return enabled(t.r->get_statuscondition(), 0);
     },
     [](WakeUps& t) { t.r->get_statuscondition()->set_enabled_statuses(DATA_AVAILABLE_STATUS); }},
};

TEST_P(WakeUps, AWaiterWakesWhenAnotherThreadTurnsItsConditionTrue) {
    w = writer();
    r = reader();
    Condition* condition = GetParam().condition(*this);
    ASSERT_NE(condition, nullptr);
    ASSERT_FALSE(condition->get_trigger_value());
    WaitSet ws;
    GuardCondition unrelated;
    ASSERT_EQ(ws.attach_condition(&unrelated), RETCODE_OK);
    ASSERT_EQ(ws.attach_condition(condition), RETCODE_OK);
    std::thread changing([&] {
        std::this_thread::sleep_for(20ms);  // most likely asleep by then
        GetParam().change(*this);
    });
    std::vector<Condition*> active;
    EXPECT_EQ(ws.wait(active, Duration_t{10, 0}), RETCODE_OK);
    changing.join();
    EXPECT_EQ(active, std::vector<Condition*>{condition});
}

INSTANTIATE_TEST_SUITE_P(Conditions, WakeUps, ::testing::ValuesIn(wake_cases),
                         [](const auto& info) { return std::string(info.param.name); });

// An application's condition that, the first time a waiter evaluates it, has
// another thread write a sample: the read condition evaluated before it
// turns true after its evaluation and before the waiter could sleep.
class WritesWhenFirstEvaluated : public Condition {
public:
    explicit WritesWhenFirstEvaluated(std::function<void()> write) : write_(std::move(write)) {}
    ~WritesWhenFirstEvaluated() override {
        if (writing_.valid()) writing_.wait();
    }
    bool get_trigger_value() override {
        if (writing_.valid()) return false;
        writing_ = std::async(std::launch::async, write_);
        // A write that waited for this evaluation to end would never finish:
        // end the wait then, so the test fails rather than hangs.
        write_finished_ = writing_.wait_for(10s) == std::future_status::ready;
        return !write_finished_;
    }
    bool write_finished_ = false;

private:
    std::function<void()> write_;
    std::future<void> writing_;
};

TEST_F(WaitSets, AChangeBetweenEvaluationAndSleepEndsTheWait) {
    DataWriter* w = writer();
    DataReader* r = reader();
    ReadCondition* data = r->create_readcondition(ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
    WritesWhenFirstEvaluated writes_meanwhile([&] { write(w, 1, 42); });
    WaitSet ws;
    ASSERT_EQ(ws.attach_condition(data), RETCODE_OK);
    ASSERT_EQ(ws.attach_condition(&writes_meanwhile), RETCODE_OK);
    std::vector<Condition*> active;
    EXPECT_EQ(ws.wait(active, Duration_t{10, 0}), RETCODE_OK);
    EXPECT_TRUE(writes_meanwhile.write_finished_);
    EXPECT_EQ(active, std::vector<Condition*>{data});
    ws.detach_condition(&writes_meanwhile);
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
