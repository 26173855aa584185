// Instances that come and go: what a forgotten instance still costs and
// what its handle still names.
#include "counted_allocations.h"
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

}  // namespace
