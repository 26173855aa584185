// What a reader keeps: KEEP_LAST depth per instance, KEEP_ALL within resource
// limits, back-pressure on reliable writers, durable history for late readers.

#include "engine_fixture.h"

namespace {

using namespace ZORVEX;

using History = Engine;

TEST_F(History, KeepLastKeepsTheNewestSamplesOfEachInstanceInArrivalOrder) {
    DataWriter* w = writer();
    DataReader* r = reader([](DataReaderQos& q) {
        q.history.kind = KEEP_LAST_HISTORY_QOS;
        q.history.depth = 2;
    });
    for (int v = 1; v <= 3; ++v) {
        ASSERT_EQ(write(w, 1, 10 + v), RETCODE_OK);
        ASSERT_EQ(write(w, 2, 20 + v), RETCODE_OK);
    }
    EXPECT_EQ(values_of(drain(r)), (std::vector<int32_t>{12, 22, 13, 23}));
}

TEST_F(History, KeepAllStopsAtItsLimitsAndReportsTheRejection) {
    DataWriter* w = writer([](DataWriterQos& q) { q.reliability.kind = BEST_EFFORT_RELIABILITY_QOS; });
    DataReader* r = reader([](DataReaderQos& q) {
        q.history.kind = KEEP_ALL_HISTORY_QOS;
        q.resource_limits = {3, 2, 2};
    });
    for (int v = 1; v <= 3; ++v) ASSERT_EQ(write(w, 1, v), RETCODE_OK);  // the third is rejected
    SampleRejectedStatus rejected;
    ASSERT_EQ(r->get_sample_rejected_status(rejected), RETCODE_OK);
    EXPECT_EQ(rejected.total_count, 1);
    EXPECT_EQ(rejected.last_reason, REJECTED_BY_SAMPLES_PER_INSTANCE_LIMIT);
    EXPECT_EQ(rejected.last_instance_handle, w->lookup_instance(&static_cast<const Sample&>(sample(1, 0))));
    ASSERT_EQ(write(w, 2, 4), RETCODE_OK);
    ASSERT_EQ(write(w, 2, 5), RETCODE_OK);  // max_samples 3
    ASSERT_EQ(write(w, 3, 6), RETCODE_OK);  // max_instances 2
    ASSERT_EQ(r->get_sample_rejected_status(rejected), RETCODE_OK);
    EXPECT_EQ(rejected.total_count_change, 2);
    EXPECT_EQ(rejected.last_reason, REJECTED_BY_INSTANCES_LIMIT);
    EXPECT_EQ(values_of(drain(r)), (std::vector<int32_t>{1, 2, 4}));
}

TEST_F(History, AnInstanceLeftWithNoSampleAndNoWriterIsForgotten) {
    DataWriter* w = writer();
    DataReader* r = reader([](DataReaderQos& q) { q.resource_limits.max_instances = 1; });
    const Sample first = sample(1, 1);
    ASSERT_EQ(w->write(&first, HANDLE_NIL), RETCODE_OK);
    ASSERT_EQ(w->dispose(&first, HANDLE_NIL), RETCODE_OK);
    EXPECT_EQ(drain(r).size(), 1u);  // the value, now showing the disposal
    ASSERT_EQ(w->unregister_instance(&first, HANDLE_NIL), RETCODE_OK);
    EXPECT_EQ(r->lookup_instance(&first), HANDLE_NIL);
    ASSERT_EQ(write(w, 2, 2), RETCODE_OK);  // finds room for a new instance
    EXPECT_EQ(values_of(drain(r)), std::vector<int32_t>{2});
    SampleRejectedStatus rejected;
    ASSERT_EQ(r->get_sample_rejected_status(rejected), RETCODE_OK);
    EXPECT_EQ(rejected.total_count, 0);
}

TEST_F(History, AReliableWriterTimesOutWhileAReliableReaderIsFull) {
    DataWriter* w = writer([](DataWriterQos& q) { q.reliability.max_blocking_time = {0, 20000000}; });
    DataReader* r = reader([](DataReaderQos& q) {
        q.reliability.kind = RELIABLE_RELIABILITY_QOS;
        q.history.kind = KEEP_ALL_HISTORY_QOS;
        q.resource_limits.max_samples = 1;
    });
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    EXPECT_EQ(write(w, 1, 2), RETCODE_TIMEOUT);
    EXPECT_EQ(values_of(drain(r)), std::vector<int32_t>{1});
    EXPECT_EQ(write(w, 1, 3), RETCODE_OK);
    EXPECT_EQ(values_of(drain(r)), std::vector<int32_t>{3});
}

TEST_F(History, ALateDurableReaderReceivesTheWritersHistory) {
    DataWriter* w = writer([](DataWriterQos& q) {
        q.durability.kind = TRANSIENT_LOCAL_DURABILITY_QOS;
        q.history.depth = 2;
    });
    for (int v = 1; v <= 3; ++v) ASSERT_EQ(write(w, 1, v), RETCODE_OK);
    ASSERT_EQ(write(w, 2, 9), RETCODE_OK);
    const Sample gone = sample(2, 0);
    ASSERT_EQ(w->unregister_instance(&gone, HANDLE_NIL), RETCODE_OK);
    DataReader* durable = reader([](DataReaderQos& q) { q.durability.kind = TRANSIENT_LOCAL_DURABILITY_QOS; });
    DataReader* volatile_reader = reader();
    EXPECT_EQ(values_of(drain(durable)), (std::vector<int32_t>{2, 3}));
    EXPECT_TRUE(drain(volatile_reader).empty());
}

// A refused write of a new key leaves no instance behind: it is not found,
// and it does not count against max_instances.
TEST_F(History, AWriteRefusedForADurableHistoryRegistersNothing) {
    DataWriter* w = writer([](DataWriterQos& q) {
        q.durability.kind = TRANSIENT_LOCAL_DURABILITY_QOS;
        q.history.kind = KEEP_ALL_HISTORY_QOS;
        q.resource_limits = {1, 2, 1};
    });
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    for (int32_t id : {2, 3}) {
        EXPECT_EQ(write(w, id, 1), RETCODE_OUT_OF_RESOURCES) << id;
        const Sample refused = sample(id, 0);
        EXPECT_EQ(w->lookup_instance(&refused), HANDLE_NIL) << id;
    }
    const Sample second = sample(4, 0);
    EXPECT_NE(w->register_instance(&second), HANDLE_NIL);  // the second of max_instances 2
}

// Source timestamps 50 s apart, written in the order given.
struct Stamped {
    int32_t id;
    int32_t value;  // 0: a dispose
    int32_t sec;
};

class DestinationOrder : public Engine {
protected:
    DataReader* reader_by(DestinationOrderQosPolicyKind kind, int32_t keep_last = 0) {
        return reader([=](DataReaderQos& q) {
            q.destination_order.kind = kind;
            if (keep_last > 0) {
                q.history.kind = KEEP_LAST_HISTORY_QOS;
                q.history.depth = keep_last;
            }
        });
    }
    void publish(DataWriter* w, const std::vector<Stamped>& changes) {
        for (const Stamped& c : changes) {
            const Sample s = sample(c.id, c.value);
            const Time_t at{c.sec, 0};
            ASSERT_EQ(c.value == 0 ? w->dispose_w_timestamp(&s, HANDLE_NIL, at)
                                   : w->write_w_timestamp(&s, HANDLE_NIL, at),
                      RETCODE_OK);
        }
    }
};

TEST_F(DestinationOrder, BySourceTimestampAnOlderChangeNeverBecomesTheLatest) {
    DataWriter* w = writer([](DataWriterQos& q) { q.destination_order.kind = BY_SOURCE_TIMESTAMP_DESTINATIONORDER_QOS; });
    DataReader* last_one = reader_by(BY_SOURCE_TIMESTAMP_DESTINATIONORDER_QOS, 1);
    DataReader* last_two = reader_by(BY_SOURCE_TIMESTAMP_DESTINATIONORDER_QOS, 2);
    DataReader* all = reader_by(BY_SOURCE_TIMESTAMP_DESTINATIONORDER_QOS);
    DataReader* by_arrival = reader_by(BY_RECEPTION_TIMESTAMP_DESTINATIONORDER_QOS);
    publish(w, {{1, 100, 100}, {1, 50, 50}, {2, 7, 10}});
    EXPECT_EQ(values_of(drain(last_one)), (std::vector<int32_t>{100, 7}));
    EXPECT_EQ(values_of(drain(last_two)), (std::vector<int32_t>{100, 7}));
    // What was taken still dates the instance; an equal time is not older.
    publish(w, {{1, 200, 200}, {1, 0, 150}, {1, 201, 200}, {1, 120, 120}});
    for (DataReader* r : {last_two, all}) {
        const auto got = drain(r, false);
        std::vector<int32_t> values;
        for (const Received& g : got)
            if (g.data.id == 1) {
                values.push_back(g.data.value);
                EXPECT_EQ(g.info.instance_state, ALIVE_INSTANCE_STATE);
                EXPECT_EQ(g.info.disposed_generation_count, 0);
            }
        EXPECT_EQ(values, (r == all ? std::vector<int32_t>{100, 200, 201} : std::vector<int32_t>{200, 201}));
    }
    // In arrival order every change counts: the older dispose too, which the
    // write after it brought back to life.
    const auto arrived = drain(by_arrival);
    EXPECT_EQ(values_of(arrived), (std::vector<int32_t>{100, 50, 7, 200, 201, 120}));
    EXPECT_EQ(arrived.back().info.disposed_generation_count, 1);
}

// A newer dispose still disposes; the older write after it is dropped and
// does not bring the instance back.
TEST_F(DestinationOrder, BySourceTimestampADisposeHoldsAgainstOlderWrites) {
    DataWriter* w = writer([](DataWriterQos& q) { q.destination_order.kind = BY_SOURCE_TIMESTAMP_DESTINATIONORDER_QOS; });
    DataReader* r = reader_by(BY_SOURCE_TIMESTAMP_DESTINATIONORDER_QOS);
    publish(w, {{1, 100, 100}, {1, 0, 300}, {1, 250, 250}});
    const auto got = drain(r);
    ASSERT_EQ(got.size(), 1u);  // the value, showing the disposal
    EXPECT_EQ(got[0].data.value, 100);
    EXPECT_EQ(got[0].info.instance_state, NOT_ALIVE_DISPOSED_INSTANCE_STATE);
    publish(w, {{1, 400, 400}});
    const auto reborn = drain(r);
    ASSERT_EQ(reborn.size(), 1u);
    EXPECT_EQ(reborn[0].data.value, 400);
    EXPECT_EQ(reborn[0].info.disposed_generation_count, 1);
}

TEST_F(History, InconsistentHistoryQosIsRefused) {
    EXPECT_EQ(reader([](DataReaderQos& q) {
                  q.history.kind = KEEP_LAST_HISTORY_QOS;
                  q.history.depth = 0;
              }),
              nullptr);
    EXPECT_EQ(reader([](DataReaderQos& q) {
                  q.history.kind = KEEP_LAST_HISTORY_QOS;
                  q.history.depth = 5;
                  q.resource_limits.max_samples_per_instance = 2;
              }),
              nullptr);
    DataReader* r = reader();
    DataReaderQos qos;
    r->get_qos(qos);
    qos.history.kind = KEEP_LAST_HISTORY_QOS;
    EXPECT_EQ(r->set_qos(qos), RETCODE_IMMUTABLE_POLICY);
    qos.history.kind = KEEP_ALL_HISTORY_QOS;
    qos.user_data.value = {1, 2, 3};
    EXPECT_EQ(r->set_qos(qos), RETCODE_OK);
}

}  // namespace
