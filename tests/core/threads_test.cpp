// Several threads at once: writers, listeners and a wait-set taking, a
// thread making and deleting readers, writers held back by full readers.
#include <chrono>
#include <thread>

#include "engine_fixture.h"

namespace {

using namespace ZORVEX;

using Threads = Engine;

constexpr int kWriters = 3;
constexpr int kPerWriter = 300;

// Checks that every writer's samples arrive once each, in its order.
struct Tally {
    std::mutex lock;
    std::vector<int> next = std::vector<int>(kWriters, 0);
    int total = 0;
    bool in_order = true;
    void add(const Sample& s) {
        std::lock_guard<std::mutex> g(lock);
        int& expected = next[s.value / kPerWriter];
        in_order = in_order && s.value % kPerWriter == expected;
        ++expected;
        ++total;
    }
    int count() {
        std::lock_guard<std::mutex> g(lock);
        return total;
    }
};

struct Taker : DataReaderListener {
    explicit Taker(Tally& t) : tally(t) {}
    // Callbacks of several writing threads overlap: take and tally as one
    // step so batches are counted in the order they were taken.
    void on_data_available(DataReader* r) override {
        std::lock_guard<std::mutex> g(taking);
        for (const auto& got : drain(r))
            if (got.info.valid_data) tally.add(got.data);
    }
    Tally& tally;
    std::mutex taking;
};

TEST_F(Threads, EverySampleArrivesOnceInItsWritersOrderWhileEntitiesComeAndGo) {
    auto reliable_all = [](DataReaderQos& q) {
        q.reliability.kind = RELIABLE_RELIABILITY_QOS;
        q.resource_limits.max_samples = 16;  // writers wait for the takers
    };
    Tally by_listener, by_waitset;
    reader(reliable_all, new Taker(by_listener), DATA_AVAILABLE_STATUS);
    DataReader* polled = reader(reliable_all);
    std::vector<DataWriter*> writers;
    for (int i = 0; i < kWriters; ++i)
        writers.push_back(writer([](DataWriterQos& q) { q.reliability.max_blocking_time = {10, 0}; }));

    std::atomic<bool> done{false};
    std::thread waiter([&] {
        WaitSet ws;
        ReadCondition* c = polled->create_readcondition(ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
        ws.attach_condition(c);
        while (by_waitset.count() < kWriters * kPerWriter) {
            std::vector<Condition*> active;
            if (ws.wait(active, Duration_t{0, 50000000}) == RETCODE_OK)
                for (const auto& got : drain(polled)) by_waitset.add(got.data);
        }
        polled->delete_readcondition(c);
    });
    std::thread churn([&] {
        Topic* other = participant->create_topic("Churn", "Sample", TOPIC_QOS_DEFAULT, nullptr, 0);
        while (!done) {
            DataReader* r = subscriber->create_datareader(other, DATAREADER_QOS_DEFAULT, nullptr, 0);
            EXPECT_EQ(subscriber->delete_datareader(r), RETCODE_OK);
        }
    });
    std::vector<std::thread> writing;
    for (int i = 0; i < kWriters; ++i)
        writing.emplace_back([&, i] {
            for (int n = 0; n < kPerWriter; ++n) EXPECT_EQ(write(writers[i], n % 4, i * kPerWriter + n), RETCODE_OK);
        });
    for (auto& t : writing) t.join();
    waiter.join();
    done = true;
    churn.join();
    EXPECT_EQ(by_listener.count(), kWriters * kPerWriter);
    EXPECT_TRUE(by_listener.in_order);
    EXPECT_EQ(by_waitset.count(), kWriters * kPerWriter);
    EXPECT_TRUE(by_waitset.in_order);
}

TEST_F(Threads, AReliableWriterResumesWhenTheReaderTakesFromAnotherThread) {
    DataWriter* w = writer([](DataWriterQos& q) { q.reliability.max_blocking_time = {5, 0}; });
    DataReader* r = reader([](DataReaderQos& q) {
        q.reliability.kind = RELIABLE_RELIABILITY_QOS;
        q.history.kind = KEEP_ALL_HISTORY_QOS;
        q.resource_limits.max_samples = 2;
    });
    std::vector<int32_t> got;
    std::thread taker([&] {
        while (got.size() < 20) {
            for (auto v : values_of(drain(r))) got.push_back(v);
            std::this_thread::yield();
        }
    });
    for (int v = 0; v < 20; ++v) ASSERT_EQ(write(w, v % 3, v), RETCODE_OK);
    taker.join();
    std::vector<int32_t> expected(20);
    for (int v = 0; v < 20; ++v) expected[v] = v;
    EXPECT_EQ(got, expected);
}

TEST_F(Threads, AWriterHeldBackByAFullReaderGoesOnOnceThatReaderLeaves) {
    DataWriter* w = writer([](DataWriterQos& q) { q.reliability.max_blocking_time = {30, 0}; });
    DataReader* full = reader([](DataReaderQos& q) {
        q.reliability.kind = RELIABLE_RELIABILITY_QOS;
        q.resource_limits.max_samples = 1;
    });
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    std::thread leaving([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(subscriber->delete_datareader(full), RETCODE_OK);
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(write(w, 1, 2), RETCODE_OK);
    leaving.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));  // not its 30 s
}

// A write that waits for room until its time is up answers TIMEOUT and
// stores nothing, even when the same writer wrote another key meanwhile.
TEST_F(Threads, AHeldBackWriteThatTimesOutKeepsItsOwnKey) {
    DataWriter* w = writer([](DataWriterQos& q) { q.reliability.max_blocking_time = {0, 300000000}; });
    DataReader* r = reader([](DataReaderQos& q) {
        q.reliability.kind = RELIABLE_RELIABILITY_QOS;
        q.history.kind = KEEP_ALL_HISTORY_QOS;
        q.resource_limits.max_samples_per_instance = 2;
    });
    ASSERT_EQ(write(w, 1, 10), RETCODE_OK);
    ASSERT_EQ(write(w, 1, 11), RETCODE_OK);  // key 1 is full
    ReturnCode_t held = RETCODE_OK;
    std::thread waiting([&] { held = write(w, 1, 12); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // most likely waiting by now
    EXPECT_EQ(write(w, 2, 20), RETCODE_OK);
    waiting.join();
    EXPECT_EQ(held, RETCODE_TIMEOUT);
    const auto got = drain(r);
    EXPECT_EQ(values_of(got), (std::vector<int32_t>{10, 11, 20}));
    for (const auto& g : got) EXPECT_EQ(g.info.instance_handle, w->lookup_instance(&g.data)) << g.data.value;
}

TEST_F(Threads, FindTopicWaitsForAnotherParticipantsTopic) {
    DomainParticipant* other = join(domain);
    std::thread creator([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        participant->create_topic("Late", "Sample", TOPIC_QOS_DEFAULT, nullptr, 0);
    });
    Topic* found = other->find_topic("Late", Duration_t{10, 0});
    creator.join();
    ASSERT_NE(found, nullptr);
    EXPECT_STREQ(found->get_type_name(), "Sample");
    EXPECT_EQ(found->get_participant(), other);
    EXPECT_EQ(other->find_topic("Never", Duration_t{0, 10000000}), nullptr);
}

// Deleting an entity while another thread waits inside one of its
// operations ends that wait at once. The waits begin well within the 200 ms
// the deleting thread gives them.
TEST_F(Threads, AWriterDeletedWhileHeldBackAnswersAlreadyDeleted) {
    DataWriter* w = writer([](DataWriterQos& q) { q.reliability.max_blocking_time = {30, 0}; });
    reader([](DataReaderQos& q) {
        q.reliability.kind = RELIABLE_RELIABILITY_QOS;
        q.resource_limits.max_samples = 1;
    });
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    std::thread deleting([&, doomed = w]() mutable {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(publisher->delete_datawriter(doomed), RETCODE_OK);
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(write(w, 1, 2), RETCODE_ALREADY_DELETED);
    deleting.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST_F(Threads, FindTopicOnAParticipantDeletedMeanwhileAnswersNull) {
    DomainParticipant* waiting = factory()->create_participant(domain, PARTICIPANT_QOS_DEFAULT, nullptr, 0);
    std::thread deleting([&, doomed = waiting]() mutable {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_EQ(factory()->delete_participant(doomed), RETCODE_OK);
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(waiting->find_topic("Never", Duration_t{30, 0}), nullptr);
    deleting.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

// A callback already under way when another thread deletes its reader: the
// delete answers only once the callback has returned, so that the
// application may free what the callback uses. Meanwhile the reader answers
// the callback as a deleted reader does.
struct Seen {
    std::atomic<bool> entered{false}, resume{false}, returned{false};
    InstanceHandle_t looked_up{};
    ReturnCode_t key_rc = RETCODE_OK;
};

struct HeldInCallback : DataReaderListener {
    explicit HeldInCallback(Seen& s) : seen(s) {}
    void on_data_available(DataReader* r) override {
        seen.entered = true;
        while (!seen.resume) std::this_thread::yield();
        Sample key = sample(1, 0);
        seen.looked_up = r->lookup_instance(&key);
        seen.key_rc = r->get_key_value(&key, seen.looked_up);
        seen.returned = true;
    }
    Seen& seen;
};

TEST_F(Threads, DeletingAReaderWaitsForItsCallbackUnderWay) {
    Seen seen;
    DataReader* r = reader(nullptr, new HeldInCallback(seen), DATA_AVAILABLE_STATUS);
    DataWriter* w = writer();
    std::thread writing([&] { EXPECT_EQ(write(w, 1, 1), RETCODE_OK); });
    while (!seen.entered) std::this_thread::yield();
    std::atomic<bool> deleted{false};
    std::thread deleting([&] {
        EXPECT_EQ(subscriber->delete_datareader(r), RETCODE_OK);
        EXPECT_TRUE(seen.returned);
        deleted = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_FALSE(deleted);
    seen.resume = true;
    deleting.join();
    writing.join();
    EXPECT_EQ(seen.looked_up, HANDLE_NIL);
    EXPECT_EQ(seen.key_rc, RETCODE_ALREADY_DELETED);
}

}  // namespace
