// Listeners: raised with no lock held, routed entity -> parent ->
// participant, owned by the core and released once replaced or orphaned.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "engine_fixture.h"

namespace {

using namespace ZORVEX;

std::atomic<int> listeners_alive{0};

struct Counted {
    Counted() { ++listeners_alive; }
    ~Counted() { --listeners_alive; }
};

struct TakingListener : DataReaderListener, Counted {
    void on_data_available(DataReader* reader) override {
        for (const auto& got : drain(reader)) values.push_back(got.data.value);
    }
    void on_subscription_matched(DataReader*, const SubscriptionMatchedStatus& s) override {
        matched_current = s.current_count;
        matched_change = s.current_count_change;
    }
    void on_requested_incompatible_qos(DataReader*, const RequestedIncompatibleQosStatus& s) override {
        incompatible_policy = s.last_policy_id;
    }
    std::vector<int32_t> values;
    int matched_current = -1, matched_change = 0;
    QosPolicyId_t incompatible_policy = 0;
};

struct OnReaders : SubscriberListener, Counted {
    void on_data_on_readers(Subscriber*) override { ++calls; }
    void on_data_available(DataReader*) override { ++data_available; }
    int calls = 0, data_available = 0;
};

struct WriterEvents : DataWriterListener, Counted {
    void on_publication_matched(DataWriter*, const PublicationMatchedStatus& s) override { current = s.current_count; }
    int current = -1;
};

class Listeners : public Engine {
protected:
    void TearDown() override {
        Engine::TearDown();
        EXPECT_EQ(listeners_alive.load(), 0);  // every listener the core held is released
    }
};

TEST_F(Listeners, ATakeInsideOnDataAvailableSeesEverySample) {
    auto* l = new TakingListener;
    DataReader* r = reader(nullptr, l, DATA_AVAILABLE_STATUS | SUBSCRIPTION_MATCHED_STATUS);
    auto* wl = new WriterEvents;
    DataWriter* w = writer(nullptr, wl, PUBLICATION_MATCHED_STATUS);
    EXPECT_EQ(wl->current, 1);
    EXPECT_EQ(l->matched_current, 1);
    for (int v = 1; v <= 5; ++v) ASSERT_EQ(write(w, v % 2, v), RETCODE_OK);
    EXPECT_EQ(l->values, (std::vector<int32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(r->get_listener(), l);
    SubscriptionMatchedStatus matched;
    r->get_subscription_matched_status(matched);
    EXPECT_EQ(matched.current_count_change, 0);  // the listener saw the change
}

TEST_F(Listeners, StatusesTheEntityDoesNotTakeGoToItsParents) {
    auto* sub_listener = new OnReaders;
    ASSERT_EQ(subscriber->set_listener(sub_listener, DATA_ON_READERS_STATUS), RETCODE_OK);
    auto* l = new TakingListener;
    DataReader* r = reader(nullptr, l, DATA_AVAILABLE_STATUS);
    DataWriter* w = writer();
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    EXPECT_EQ(sub_listener->calls, 1);  // DATA_ON_READERS comes first
    EXPECT_TRUE(l->values.empty());
    EXPECT_TRUE(r->get_status_changes() & DATA_AVAILABLE_STATUS);
    ASSERT_EQ(subscriber->notify_datareaders(), RETCODE_OK);
    EXPECT_EQ(l->values, std::vector<int32_t>{1});

    ASSERT_EQ(subscriber->set_listener(sub_listener, DATA_AVAILABLE_STATUS), RETCODE_OK);  // same one, new mask
    ASSERT_EQ(r->set_listener(nullptr, 0), RETCODE_OK);
    ASSERT_EQ(write(w, 1, 2), RETCODE_OK);
    EXPECT_EQ(sub_listener->data_available, 1);
}

TEST_F(Listeners, IncompatibleQosReachesTheReadersListener) {
    auto* l = new TakingListener;
    reader([](DataReaderQos& q) { q.reliability.kind = RELIABLE_RELIABILITY_QOS; }, l,
           REQUESTED_INCOMPATIBLE_QOS_STATUS);
    writer([](DataWriterQos& q) { q.reliability.kind = BEST_EFFORT_RELIABILITY_QOS; });
    EXPECT_EQ(l->incompatible_policy, RELIABILITY_QOS_POLICY_ID);
}

struct Replacing : DataReaderListener, Counted {
    explicit Replacing(std::atomic<bool>& running) : running_(running) {}
    ~Replacing() override { EXPECT_FALSE(running_.load()) << "released while its callback ran"; }
    void on_data_available(DataReader* reader) override {
        running_ = true;
        reader->set_listener(new TakingListener, DATA_AVAILABLE_STATUS);
        running_ = false;
    }
    std::atomic<bool>& running_;
};

TEST_F(Listeners, AListenerReplacedInItsOwnCallbackIsReleasedAfterIt) {
    std::atomic<bool> running{false};
    DataReader* r = reader(nullptr, new Replacing(running), DATA_AVAILABLE_STATUS);
    DataWriter* w = writer();
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    EXPECT_EQ(listeners_alive.load(), 1);  // only the replacement remains
    ASSERT_EQ(write(w, 1, 2), RETCODE_OK);
    EXPECT_EQ(static_cast<TakingListener*>(r->get_listener())->values, (std::vector<int32_t>{1, 2}));
}

// A delete waits for the calls about its entity still running, but not for
// the one it is made from; the callback goes on with a deleted reader.
struct Deleting : DataReaderListener, Counted {
    Deleting(Subscriber* s, ReturnCode_t* rcs) : subscriber(s), rcs(rcs) {}
    void on_data_available(DataReader* reader) override {
        DataReader* doomed = reader;  // the delete clears the pointer it is given
        rcs[0] = subscriber->delete_datareader(doomed);
        Sample key = sample(1, 0);
        rcs[1] = reader->get_key_value(&key, HANDLE_NIL);
    }
    Subscriber* subscriber;
    ReturnCode_t* rcs;
};

TEST_F(Listeners, ACallbackMayDeleteItsOwnReader) {
    ReturnCode_t rcs[2] = {RETCODE_ERROR, RETCODE_ERROR};
    reader(nullptr, new Deleting(subscriber, rcs), DATA_AVAILABLE_STATUS);
    DataWriter* w = writer();
    std::atomic<bool> done{false};
    std::thread writing([&] {
        EXPECT_EQ(write(w, 1, 1), RETCODE_OK);
        done = true;
    });
    for (int i = 0; i < 1000 && !done; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (!done) {
        ADD_FAILURE() << "the delete waited for the callback it was made from";
        std::abort();  // the writing thread cannot be joined
    }
    writing.join();
    EXPECT_EQ(rcs[0], RETCODE_OK);
    EXPECT_EQ(rcs[1], RETCODE_ALREADY_DELETED);
    EXPECT_EQ(listeners_alive.load(), 0);  // released once its callback returned
}

TEST_F(Listeners, ListenersOfFailedCallsAndDeletedEntitiesAreReleased) {
    EXPECT_EQ(participant->create_topic("Other", "NoSuchType", TOPIC_QOS_DEFAULT, nullptr, 0), nullptr);
    EXPECT_EQ(subscriber->create_datareader(nullptr, DATAREADER_QOS_DEFAULT, new TakingListener, 0), nullptr);
    EXPECT_EQ(publisher->create_datawriter_with_qos_profile(topic, "lib", "profile", "qos", new WriterEvents, 0),
              nullptr);
    EXPECT_EQ(listeners_alive.load(), 0);
    DataReader* r = reader(nullptr, new TakingListener, 0);
    ASSERT_EQ(r->set_listener(new TakingListener, 0), RETCODE_OK);
    EXPECT_EQ(listeners_alive.load(), 1);
    ASSERT_EQ(subscriber->delete_datareader(r), RETCODE_OK);
    EXPECT_EQ(listeners_alive.load(), 0);
}

struct ParticipantEvents : DomainParticipantListener, Counted {
    void on_data_available(DataReader*) override { ++data; }
    void on_publication_matched(DataWriter*, const PublicationMatchedStatus&) override { ++matched; }
    int data = 0, matched = 0;
};

TEST_F(Listeners, TheParticipantListenerHearsWhatNobodyBelowTakes) {
    auto* p = new ParticipantEvents;
    ASSERT_EQ(participant->set_listener(p, DATA_AVAILABLE_STATUS | PUBLICATION_MATCHED_STATUS), RETCODE_OK);
    reader();
    DataWriter* w = writer();
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    EXPECT_EQ(p->matched, 1);
    EXPECT_EQ(p->data, 1);
}

}  // namespace
