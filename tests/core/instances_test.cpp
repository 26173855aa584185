// Instances that come and go: what a forgotten instance still costs, what
// its handle still names, and how many instances a lookup by handle looks at.
#include <chrono>
#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "counted_allocations.h"
#include "engine/handles.h"
#include "engine_fixture.h"

namespace {

using namespace ZORVEX;

using Instances = Engine;

// A key stays named by one handle while a writer or a reader holds its
// instance; once none does, the key is forgotten and its handle with it.
TEST_F(Instances, AForgottenInstanceGetsANewHandleAndTheOldOneNamesNothing) {
    DataWriter* w = writer();
    DataReader* r = reader();
    const Sample s = sample(7, 1);
    const InstanceHandle_t old = w->register_instance(&s);
    ASSERT_EQ(w->write(&s, old), RETCODE_OK);
    ASSERT_EQ(w->unregister_instance(&s, old), RETCODE_OK);
    EXPECT_EQ(w->register_instance(&s), old);  // the reader still holds the instance
    ASSERT_EQ(w->unregister_instance(&s, old), RETCODE_OK);
    ASSERT_EQ(drain(r).size(), 1u);  // now no one does

    ASSERT_EQ(w->write(&s, HANDLE_NIL), RETCODE_OK);
    const InstanceHandle_t renewed = w->lookup_instance(&s);
    ASSERT_NE(renewed.valid, 0);
    EXPECT_NE(renewed, old);
    EXPECT_EQ(r->lookup_instance(&s), renewed);
    Sample holder{};
    EXPECT_EQ(w->write(&s, old), RETCODE_BAD_PARAMETER);
    EXPECT_EQ(w->dispose(&s, old), RETCODE_BAD_PARAMETER);
    EXPECT_EQ(w->unregister_instance(&s, old), RETCODE_BAD_PARAMETER);
    EXPECT_EQ(w->get_key_value(&holder, old), RETCODE_BAD_PARAMETER);
    EXPECT_EQ(r->get_key_value(&holder, old), RETCODE_BAD_PARAMETER);
    ASSERT_EQ(r->get_key_value(&holder, renewed), RETCODE_OK);
    EXPECT_EQ(holder.id, 7);
}

// Each key registered, written, unregistered and taken: nothing stays alive,
// so nothing may stay allocated, however many keys went by.
class KeyStream : public Engine, public ::testing::WithParamInterface<int> {};

TEST_P(KeyStream, LeavesNoAllocationBehind) {
    DataWriter* w = writer();
    DataReader* r = reader();
    int32_t next = 0;
    const auto stream = [&](int keys) {
        for (int i = 0; i < keys; ++i) {
            const Sample s = sample(next++, 0);
            const InstanceHandle_t h = w->register_instance(&s);
            ASSERT_EQ(w->write(&s, h), RETCODE_OK);
            ASSERT_EQ(w->unregister_instance(&s, h), RETCODE_OK);
            ASSERT_EQ(drain(r).size(), 1u);
        }
    };
    stream(10);  // the tables' first buckets
    const long before = counted_allocations::live_bytes();
    stream(GetParam());
    EXPECT_LT(counted_allocations::live_bytes() - before, 1024) << "after " << GetParam() << " keys";
}

INSTANTIATE_TEST_SUITE_P(Keys, KeyStream, ::testing::Values(1000, 10000));

// A reader keeps the blocks of a burst taken, so that the same burst again
// allocates nothing for its samples, until a second of the writes' time goes
// by with less work; the next write then gives back what a pool keeps past
// its floor of a megabyte.
TEST_F(Instances, AReaderKeepsABurstsBlocksUntilASecondGoesByWithLess) {
    DataWriter* w = writer();
    DataReader* r = reader();
    constexpr int32_t burst = 30000;  // blocks of about 100 bytes: some 3 MB
    const auto write_burst = [&](int32_t n, const Time_t& at) {
        for (int32_t i = 0; i < n; ++i) {
            const Sample s = sample(1, i);
            ASSERT_EQ(w->write_w_timestamp(&s, HANDLE_NIL, at), RETCODE_OK);
        }
        ASSERT_EQ(drain(r).size(), size_t(n));
    };
    write_burst(burst, {100, 0});
    const long after_burst = counted_allocations::live_bytes();
    write_burst(burst, {100, 1});
    EXPECT_LT(std::labs(counted_allocations::live_bytes() - after_burst), 64 * 1024);
    write_burst(1, {101, 0});  // the burst was in the second before: kept
    EXPECT_LT(std::labs(counted_allocations::live_bytes() - after_burst), 64 * 1024);
    write_burst(1, {102, 0});
    EXPECT_LT(counted_allocations::live_bytes(), after_burst - 1024 * 1024);
}

// A reader that sees no write after its burst still gives back what the
// burst left it: the engine looks at such pools about once a second.
TEST_F(Instances, AnIdleReaderGivesABurstsBlocksBackWithoutAnotherWrite) {
    DataWriter* w = writer();
    DataReader* r = reader();
    const long before = counted_allocations::live_bytes();
    for (int32_t i = 0; i < 30000; ++i) ASSERT_EQ(write(w, 1, i), RETCODE_OK);  // some 3 MB of blocks
    ASSERT_EQ(drain(r).size(), 30000u);
    const long kept = counted_allocations::live_bytes();
    EXPECT_GT(kept, before + 2 * 1024 * 1024);  // kept for the next burst
    // It keeps its floor of a megabyte of blocks.
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (counted_allocations::live_bytes() > kept - 1024 * 1024 && std::chrono::steady_clock::now() < give_up)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_LT(counted_allocations::live_bytes(), kept - 1024 * 1024);
}

struct HandleOperation {
    const char* name;
    std::function<ReturnCode_t(DataWriter*, DataReader*, const Sample&, const InstanceHandle_t&)> call;
};

void PrintTo(const HandleOperation& operation, std::ostream* out) { *out << operation.name; }

const Time_t later{1, 0};
Sample holder;

const HandleOperation handle_operations[] = {
    {"write", [](DataWriter* w, DataReader*, const Sample& s, const InstanceHandle_t& h) { return w->write(&s, h); }},
    {"write_w_timestamp",
     [](DataWriter* w, DataReader*, const Sample& s, const InstanceHandle_t& h) {
         return w->write_w_timestamp(&s, h, later);
     }},
    {"dispose",
     [](DataWriter* w, DataReader*, const Sample& s, const InstanceHandle_t& h) { return w->dispose(&s, h); }},
    {"dispose_w_timestamp",
     [](DataWriter* w, DataReader*, const Sample& s, const InstanceHandle_t& h) {
         return w->dispose_w_timestamp(&s, h, later);
     }},
    {"unregister_instance",
     [](DataWriter* w, DataReader*, const Sample&, const InstanceHandle_t& h) {
         return w->unregister_instance(nullptr, h);
     }},
    {"unregister_instance_w_timestamp",
     [](DataWriter* w, DataReader*, const Sample& s, const InstanceHandle_t& h) {
         return w->unregister_instance_w_timestamp(&s, h, later);
     }},
    {"writer_get_key_value",
     [](DataWriter* w, DataReader*, const Sample&, const InstanceHandle_t& h) {
         return w->get_key_value(&holder, h);
     }},
    {"reader_get_key_value",
     [](DataWriter*, DataReader* r, const Sample&, const InstanceHandle_t& h) {
         return r->get_key_value(&holder, h);
     }},
};

// An operation given an instance handle looks at the instance it names and
// at no other, however many the writer and the reader hold.
class HandleLookup : public Engine, public ::testing::WithParamInterface<std::tuple<HandleOperation, int>> {};

TEST_P(HandleLookup, LooksAtOneInstancePerHandle) {
    const auto& [operation, count] = GetParam();
    DataWriter* w = writer();
    DataReader* r = reader();
    std::vector<InstanceHandle_t> handles;
    for (int32_t i = 0; i < count; ++i) {
        const Sample s = sample(i, 0);
        handles.push_back(w->register_instance(&s));
        ASSERT_EQ(w->write(&s, HANDLE_NIL), RETCODE_OK);
    }
    const uint64_t before = engine::handle_probes;
    for (int32_t i = 0; i < count; ++i) ASSERT_EQ(operation.call(w, r, sample(i, 1), handles[i]), RETCODE_OK);
    EXPECT_LE(engine::handle_probes - before, uint64_t(count));
}

INSTANTIATE_TEST_SUITE_P(Operations, HandleLookup,
                         ::testing::Combine(::testing::ValuesIn(handle_operations), ::testing::Values(10, 2000)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_among_" +
                                    std::to_string(std::get<1>(info.param));
                         });

}  // namespace
