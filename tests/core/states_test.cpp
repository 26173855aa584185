// Sample, view and instance states with mask filtering; instances from key
// bytes; dispose, unregister and rebirth; exclusive ownership.
#include "engine_fixture.h"

namespace {

using namespace ZORVEX;

using States = Engine;

TEST_F(States, ReadMarksSamplesReadAndTheirInstancesNotNew) {
    DataWriter* w = writer();
    DataReader* r = reader();
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    ASSERT_EQ(write(w, 1, 2), RETCODE_OK);
    auto first = drain(r, false, NOT_READ_SAMPLE_STATE, NEW_VIEW_STATE, ALIVE_INSTANCE_STATE);
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(first[0].info.sample_state, NOT_READ_SAMPLE_STATE);
    EXPECT_EQ(first[0].info.view_state, NEW_VIEW_STATE);
    EXPECT_EQ(first[0].info.instance_state, ALIVE_INSTANCE_STATE);
    EXPECT_EQ(first[0].info.sample_rank, 1);
    EXPECT_EQ(first[1].info.sample_rank, 0);
    EXPECT_TRUE(first[0].info.valid_data);
    EXPECT_EQ(first[0].info.publication_handle, w->get_instance_handle());
    EXPECT_TRUE(drain(r, false, NOT_READ_SAMPLE_STATE).empty());
    EXPECT_TRUE(drain(r, false, ANY_SAMPLE_STATE, NEW_VIEW_STATE).empty());
    ASSERT_EQ(write(w, 1, 3), RETCODE_OK);
    auto again = drain(r, true, ANY_SAMPLE_STATE, NOT_NEW_VIEW_STATE);
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(again[0].info.sample_state, READ_SAMPLE_STATE);
    EXPECT_EQ(again[2].info.sample_state, NOT_READ_SAMPLE_STATE);
    EXPECT_EQ(again[2].info.view_state, NOT_NEW_VIEW_STATE);
    EXPECT_TRUE(drain(r).empty());
}

TEST_F(States, DisposeShowsAsAnInvalidSampleAndRebirthCountsAGeneration) {
    DataWriter* w = writer();
    DataReader* r = reader();
    ASSERT_EQ(write(w, 4, 1), RETCODE_OK);
    drain(r);
    const Sample key = sample(4, 0);
    ASSERT_EQ(w->dispose(&key, HANDLE_NIL), RETCODE_OK);
    auto disposed = drain(r, true, ANY_SAMPLE_STATE, ANY_VIEW_STATE, NOT_ALIVE_DISPOSED_INSTANCE_STATE);
    ASSERT_EQ(disposed.size(), 1u);
    EXPECT_FALSE(disposed[0].info.valid_data);
    EXPECT_EQ(disposed[0].data.id, 4);  // the key is there
    ASSERT_EQ(write(w, 4, 2), RETCODE_OK);
    auto reborn = drain(r);
    ASSERT_EQ(reborn.size(), 1u);
    EXPECT_EQ(reborn[0].info.instance_state, ALIVE_INSTANCE_STATE);
    EXPECT_EQ(reborn[0].info.view_state, NEW_VIEW_STATE);
    EXPECT_EQ(reborn[0].info.disposed_generation_count, 1);
}

TEST_F(States, AnUnreadSampleCarriesTheDisposalItself) {
    DataWriter* w = writer();
    DataReader* r = reader();
    ASSERT_EQ(write(w, 4, 1), RETCODE_OK);
    const Sample key = sample(4, 0);
    ASSERT_EQ(w->dispose(&key, HANDLE_NIL), RETCODE_OK);
    auto got = drain(r);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_TRUE(got[0].info.valid_data);
    EXPECT_EQ(got[0].info.instance_state, NOT_ALIVE_DISPOSED_INSTANCE_STATE);
}

// A reader that reads without taking keeps one sample for the instance's
// latest state change, not one for every change it ever saw.
TEST_F(States, ReadingWithoutTakingKeepsOneStateChangeSamplePerInstance) {
    DataWriter* w = writer();
    DataReader* r = reader([](DataReaderQos& q) { q.history.kind = KEEP_LAST_HISTORY_QOS; });
    const Sample key = sample(4, 0);
    for (int round = 1; round <= 3; ++round) {
        ASSERT_EQ(write(w, 4, round), RETCODE_OK);
        drain(r, false);
        ASSERT_EQ(w->dispose(&key, HANDLE_NIL), RETCODE_OK);
        drain(r, false);
    }
    auto held = drain(r, false);
    ASSERT_EQ(held.size(), 2u);
    EXPECT_EQ(held[0].data.value, 3);
    EXPECT_FALSE(held[1].info.valid_data);
    EXPECT_EQ(held[1].info.instance_state, NOT_ALIVE_DISPOSED_INSTANCE_STATE);
    EXPECT_EQ(held[1].info.disposed_generation_count, 2);
}

TEST_F(States, TheLastWriterLeavingMakesAnInstanceNoWriters) {
    DataWriter* keeper = writer([](DataWriterQos& q) { q.writer_data_lifecycle.autodispose_unregistered_instances = false; });
    DataReader* r = reader();
    ASSERT_EQ(write(keeper, 5, 1), RETCODE_OK);
    drain(r);
    const Sample key = sample(5, 0);
    ASSERT_EQ(keeper->unregister_instance(&key, HANDLE_NIL), RETCODE_OK);
    auto gone = drain(r);
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_EQ(gone[0].info.instance_state, NOT_ALIVE_NO_WRITERS_INSTANCE_STATE);
    EXPECT_EQ(keeper->unregister_instance(&key, HANDLE_NIL), RETCODE_PRECONDITION_NOT_MET);

    DataWriter* disposer = writer();
    ASSERT_EQ(write(disposer, 6, 1), RETCODE_OK);
    drain(r);
    ASSERT_EQ(publisher->delete_datawriter(disposer), RETCODE_OK);  // unregisters, and so disposes
    auto last = drain(r);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].info.instance_state, NOT_ALIVE_DISPOSED_INSTANCE_STATE);
}

TEST_F(States, InstancesAreNamedByTheirKeyBytesOnBothSides) {
    DataWriter* w = writer();
    DataReader* r = reader();
    const Sample one = sample(1, 0), two = sample(2, 0);
    const InstanceHandle_t h1 = w->register_instance(&one);
    ASSERT_NE(h1.valid, 0);
    EXPECT_EQ(w->register_instance(&one), h1);
    EXPECT_EQ(w->lookup_instance(&one), h1);
    EXPECT_EQ(w->lookup_instance(&two), HANDLE_NIL);
    Sample holder = sample(0, 99);
    ASSERT_EQ(w->get_key_value(&holder, h1), RETCODE_OK);
    EXPECT_EQ(holder.id, 1);
    EXPECT_EQ(holder.value, 99);
    EXPECT_EQ(w->write(&two, h1), RETCODE_PRECONDITION_NOT_MET);
    InstanceHandle_t unknown = h1;
    unknown.value[8] = 0x5A;
    EXPECT_EQ(w->write(&one, unknown), RETCODE_BAD_PARAMETER);
    EXPECT_EQ(w->get_key_value(&holder, HANDLE_NIL), RETCODE_BAD_PARAMETER);
    ASSERT_EQ(w->write(&one, h1), RETCODE_OK);
    EXPECT_EQ(r->lookup_instance(&one), h1);
    auto got = drain(r, false);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].info.instance_handle, h1);
    EXPECT_EQ(w->write(nullptr, HANDLE_NIL), RETCODE_BAD_PARAMETER);
}

TEST_F(States, NextSampleCopiesOutEachUnreadSampleOnce) {
    DataWriter* w = writer();
    DataReader* r = reader();
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    ASSERT_EQ(write(w, 2, 2), RETCODE_OK);
    Sample out{};
    SampleInfo info;
    ASSERT_EQ(r->read_next_sample(&out, info), RETCODE_OK);
    EXPECT_EQ(out.value, 1);
    EXPECT_EQ(info.sample_state, NOT_READ_SAMPLE_STATE);
    ASSERT_EQ(r->take_next_sample(&out, info), RETCODE_OK);
    EXPECT_EQ(out.value, 2);
    EXPECT_EQ(r->take_next_sample(&out, info), RETCODE_NO_DATA);
    EXPECT_EQ(values_of(drain(r)), std::vector<int32_t>{1});  // read, not taken
}

TEST_F(States, UnderExclusiveOwnershipTheStrongestWriterOwnsAnInstance) {
    auto exclusive = [](int32_t strength) {
        return [strength](DataWriterQos& q) {
            q.ownership.kind = EXCLUSIVE_OWNERSHIP_QOS;
            q.ownership_strength.value = strength;
        };
    };
    DataWriter* weak = writer(exclusive(1));
    DataWriter* strong = writer(exclusive(5));
    DataReader* r = reader([](DataReaderQos& q) { q.ownership.kind = EXCLUSIVE_OWNERSHIP_QOS; });
    ASSERT_EQ(write(weak, 1, 10), RETCODE_OK);
    ASSERT_EQ(write(strong, 1, 50), RETCODE_OK);
    ASSERT_EQ(write(weak, 1, 11), RETCODE_OK);  // dropped: not the owner
    ASSERT_EQ(write(weak, 2, 12), RETCODE_OK);  // another instance, unowned
    EXPECT_EQ(values_of(drain(r)), (std::vector<int32_t>{10, 50, 12}));
    ASSERT_EQ(publisher->delete_datawriter(strong), RETCODE_OK);
    ASSERT_EQ(write(weak, 1, 13), RETCODE_OK);  // the owner left: the weaker writer takes over
    auto after = drain(r);
    ASSERT_EQ(after.size(), 2u);
    EXPECT_FALSE(after[0].info.valid_data);  // the owner's leaving disposed the instance
    EXPECT_EQ(after[1].data.value, 13);
    EXPECT_EQ(after[1].info.disposed_generation_count, 1);
}

// The owner writes first, so the weaker writer's samples are filtered from
// the start; it is still one of the instance's writers. Once the owner
// leaves without disposing, the instance stays alive under the weaker writer.
TEST_F(States, AFilteredWeakerWriterTakesOverWhenTheOwnerLeaves) {
    const auto exclusive = [](int32_t strength) {
        return [strength](DataWriterQos& q) {
            q.ownership.kind = EXCLUSIVE_OWNERSHIP_QOS;
            q.ownership_strength.value = strength;
            q.writer_data_lifecycle.autodispose_unregistered_instances = false;
        };
    };
    const Sample key = sample(1, 0);
    const std::function<void(DataWriter*)> leaves[] = {
        [&](DataWriter* w) { ASSERT_EQ(w->unregister_instance(&key, HANDLE_NIL), RETCODE_OK); },
        [&](DataWriter* w) { ASSERT_EQ(publisher->delete_datawriter(w), RETCODE_OK); },
    };
    for (const auto& leave : leaves) {
        DataWriter* strong = writer(exclusive(5));
        DataWriter* weak = writer(exclusive(1));
        DataReader* r = reader([](DataReaderQos& q) { q.ownership.kind = EXCLUSIVE_OWNERSHIP_QOS; });
        ASSERT_EQ(write(strong, 1, 50), RETCODE_OK);
        ASSERT_EQ(write(weak, 1, 10), RETCODE_OK);  // filtered
        EXPECT_EQ(values_of(drain(r)), std::vector<int32_t>{50});
        leave(strong);
        EXPECT_TRUE(drain(r).empty());  // a writer is left: nothing changed
        ASSERT_EQ(write(weak, 1, 11), RETCODE_OK);
        const auto owned = drain(r);
        ASSERT_EQ(owned.size(), 1u);
        EXPECT_EQ(owned[0].data.value, 11);
        EXPECT_EQ(owned[0].info.instance_state, ALIVE_INSTANCE_STATE);
        EXPECT_EQ(owned[0].info.no_writers_generation_count, 0);
        EXPECT_EQ(owned[0].info.disposed_generation_count, 0);
        ASSERT_EQ(weak->dispose(&key, HANDLE_NIL), RETCODE_OK);
        const auto disposed = drain(r);
        ASSERT_EQ(disposed.size(), 1u);
        EXPECT_FALSE(disposed[0].info.valid_data);
        EXPECT_EQ(disposed[0].info.instance_state, NOT_ALIVE_DISPOSED_INSTANCE_STATE);
        ASSERT_EQ(subscriber->delete_datareader(r), RETCODE_OK);
        ASSERT_EQ(publisher->delete_contained_entities(), RETCODE_OK);
    }
}

// A read condition answers from counts the history keeps of its samples by
// sample, view and instance state: each kind of change must move them.
TEST_F(States, ReadConditionsFollowEveryStateChange) {
    DataWriter* w = writer();
    DataReader* r = reader();
    struct Watch {
        const char* name;
        SampleStateMask samples;
        ViewStateMask views;
        InstanceStateMask instances;
    };
    const Watch watches[] = {
        {"new unread alive", NOT_READ_SAMPLE_STATE, NEW_VIEW_STATE, ALIVE_INSTANCE_STATE},
        {"read", READ_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE},
        {"not new", ANY_SAMPLE_STATE, NOT_NEW_VIEW_STATE, ANY_INSTANCE_STATE},
        {"disposed", ANY_SAMPLE_STATE, ANY_VIEW_STATE, NOT_ALIVE_DISPOSED_INSTANCE_STATE},
        {"no writers", ANY_SAMPLE_STATE, ANY_VIEW_STATE, NOT_ALIVE_NO_WRITERS_INSTANCE_STATE},
    };
    std::vector<ReadCondition*> conditions;
    for (const Watch& watch : watches)
        conditions.push_back(r->create_readcondition(watch.samples, watch.views, watch.instances));
    const auto expect_triggers = [&](const char* step, std::vector<bool> want) {
        for (size_t i = 0; i < conditions.size(); ++i)
            EXPECT_EQ(conditions[i]->get_trigger_value(), want[i]) << step << ": " << watches[i].name;
    };
    const Sample key = sample(4, 0);
    expect_triggers("empty", {false, false, false, false, false});
    ASSERT_EQ(write(w, 4, 1), RETCODE_OK);
    expect_triggers("written", {true, false, false, false, false});
    drain(r, false);
    expect_triggers("read", {false, true, true, false, false});
    ASSERT_EQ(w->dispose(&key, HANDLE_NIL), RETCODE_OK);
    expect_triggers("disposed", {false, true, true, true, false});
    ASSERT_EQ(write(w, 4, 2), RETCODE_OK);
    expect_triggers("reborn", {true, true, false, false, false});
    drain(r);
    expect_triggers("taken", {false, false, false, false, false});
    ASSERT_EQ(write(w, 4, 3), RETCODE_OK);
    expect_triggers("written again", {false, false, true, false, false});
    ASSERT_EQ(w->unregister_instance(&key, HANDLE_NIL), RETCODE_OK);  // disposes it too
    expect_triggers("unregistered", {false, false, true, true, false});
    drain(r, false, READ_SAMPLE_STATE);  // finds nothing: changes nothing
    expect_triggers("nothing read", {false, false, true, true, false});
    drain(r);
    expect_triggers("all taken", {false, false, false, false, false});
    DataWriter* quiet =
        writer([](DataWriterQos& q) { q.writer_data_lifecycle.autodispose_unregistered_instances = false; });
    const Sample other = sample(5, 0);
    ASSERT_EQ(write(quiet, 5, 1), RETCODE_OK);
    ASSERT_EQ(quiet->unregister_instance(&other, HANDLE_NIL), RETCODE_OK);
    expect_triggers("left without writers", {false, false, false, false, true});
    drain(r);
    expect_triggers("taken at last", {false, false, false, false, false});
    for (ReadCondition* c : conditions) ASSERT_EQ(r->delete_readcondition(c), RETCODE_OK);
}

}  // namespace
