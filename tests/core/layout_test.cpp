// The layout promises of the interface: where the Condition and Entity parts
// lie, and the order of the virtual operations that other libraries call by
// slot (listener callbacks, the loan sequence base).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "zorvex/zorvex.h"

extern "C" size_t c99_keyed_descriptor_fields(size_t out[3]);

namespace {

using namespace ZORVEX;

struct DoubleStatusCondition : StatusCondition {};
struct DoubleReadCondition : ReadCondition {};
struct DoubleQueryCondition : QueryCondition {};
struct DoubleTopic : Topic {};

template <class C>
bool condition_at_own_address(C& c) {
    return static_cast<const void*>(static_cast<Condition*>(&c)) == static_cast<const void*>(&c);
}

TEST(Layout, ConditionPartLiesAtEveryConditionsOwnAddress) {
    DoubleStatusCondition status;
    DoubleReadCondition read;
    DoubleQueryCondition query;
    GuardCondition guard;
    EXPECT_TRUE(condition_at_own_address(status));
    EXPECT_TRUE(condition_at_own_address(read));
    EXPECT_TRUE(condition_at_own_address(query));
    EXPECT_TRUE(condition_at_own_address(guard));
    Condition* as_condition = &read;
    EXPECT_EQ(dynamic_cast<ReadCondition*>(as_condition), &read);
    EXPECT_EQ(dynamic_cast<StatusCondition*>(as_condition), nullptr);
}

// The same promises held by the objects the engine makes.
TEST(Layout, TheEnginesConditionsAndTopicsKeepTheirPartsAtTheirAddress) {
    DomainParticipantFactory* factory = DomainParticipantFactory::get_instance();
    DomainParticipant* p = factory->create_participant(7, PARTICIPANT_QOS_DEFAULT, nullptr, 0);
    const TypeDescriptor type{8, 0, 4};
    ASSERT_EQ(p->register_type("Pair", &type), RETCODE_OK);
    Topic* topic = p->create_topic("Pairs", "Pair", TOPIC_QOS_DEFAULT, nullptr, 0);
    EXPECT_EQ(static_cast<void*>(static_cast<Entity*>(topic)), static_cast<void*>(topic));
    EXPECT_EQ(p->lookup_topicdescription("Pairs"), static_cast<TopicDescription*>(topic));
    Subscriber* s = p->create_subscriber(SUBSCRIBER_QOS_DEFAULT, nullptr, 0);
    DataReader* r = s->create_datareader(topic, DATAREADER_QOS_DEFAULT, nullptr, 0);
    ReadCondition* read = r->create_readcondition(ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
    QueryCondition* query = r->create_querycondition(ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE, "x > 1", {});
    EXPECT_TRUE(condition_at_own_address(*read));
    EXPECT_TRUE(condition_at_own_address(*query));
    EXPECT_TRUE(condition_at_own_address(*r->get_statuscondition()));
    EXPECT_TRUE(condition_at_own_address(*topic->get_statuscondition()));
    EXPECT_TRUE(condition_at_own_address(*s->get_statuscondition()));
    EXPECT_EQ(dynamic_cast<ReadCondition*>(static_cast<Condition*>(query)), query);
    ASSERT_EQ(p->delete_contained_entities(), RETCODE_OK);
    ASSERT_EQ(factory->delete_participant(p), RETCODE_OK);
}

TEST(Layout, TopicsEntityPartLiesAtTheTopicsAddress) {
    DoubleTopic topic;
    EXPECT_EQ(static_cast<void*>(static_cast<Entity*>(&topic)), static_cast<void*>(&topic));
    TopicDescription* description = &topic;
    EXPECT_EQ(dynamic_cast<Topic*>(description), &topic);
}

// Under the Itanium C++ ABI a pointer to a virtual member function holds
// 1 + the byte offset of its vtable slot; a destructor takes two slots.
template <class M>
std::ptrdiff_t slot_of(M member) {
    std::ptrdiff_t raw;
    static_assert(sizeof(member) >= sizeof(raw));
    std::memcpy(&raw, &member, sizeof(raw));
    return (raw - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

TEST(Layout, ListenerCallbacksFollowTheirDestructorInOrder) {
    EXPECT_EQ(slot_of(&DataWriterListener::on_liveliness_lost), 2);
    EXPECT_EQ(slot_of(&DataWriterListener::on_offered_deadline_missed), 3);
    EXPECT_EQ(slot_of(&DataWriterListener::on_offered_incompatible_qos), 4);
    EXPECT_EQ(slot_of(&DataWriterListener::on_publication_matched), 5);
    EXPECT_EQ(slot_of(&DataReaderListener::on_data_available), 2);
    EXPECT_EQ(slot_of(&DataReaderListener::on_sample_rejected), 3);
    EXPECT_EQ(slot_of(&DataReaderListener::on_liveliness_changed), 4);
    EXPECT_EQ(slot_of(&DataReaderListener::on_requested_deadline_missed), 5);
    EXPECT_EQ(slot_of(&DataReaderListener::on_requested_incompatible_qos), 6);
    EXPECT_EQ(slot_of(&DataReaderListener::on_subscription_matched), 7);
    EXPECT_EQ(slot_of(&DataReaderListener::on_sample_lost), 8);
    EXPECT_EQ(slot_of(&SubscriberListener::on_data_on_readers), 9);
    EXPECT_EQ(slot_of(&TopicListener::on_inconsistent_topic), 2);
}

TEST(Layout, SequenceBaseVirtualsComeInTheirFixedOrder) {
    EXPECT_EQ(slot_of(static_cast<int (SequenceBase::*)() const>(&SequenceBase::length)), 0);
    EXPECT_EQ(slot_of(static_cast<bool (SequenceBase::*)(int)>(&SequenceBase::length)), 1);
    EXPECT_EQ(slot_of(&SequenceBase::unloan), 2);
}

TEST(Layout, ParticipantListenerHasItsThreeVirtualBases) {
    struct Probe : DomainParticipantListener {};
    Probe p;
    PublisherListener* pub = &p;
    SubscriberListener* sub = &p;
    TopicListener* topic = &p;
    EXPECT_EQ(dynamic_cast<DomainParticipantListener*>(pub), &p);
    EXPECT_EQ(dynamic_cast<DomainParticipantListener*>(sub), &p);
    EXPECT_EQ(dynamic_cast<DomainParticipantListener*>(topic), &p);
    // Virtual bases are laid out in the order they are declared in.
    const auto at = [](const void* part) { return reinterpret_cast<std::uintptr_t>(part); };
    EXPECT_LT(at(pub), at(sub));
    EXPECT_LT(at(sub), at(topic));
}

TEST(Layout, RecordsHaveTheWidthsCallersRelyOn) {
    static_assert(sizeof(InstanceHandle_t) == 24);
    static_assert(offsetof(InstanceHandle_t, length) == 16 && offsetof(InstanceHandle_t, valid) == 20);
    static_assert(sizeof(Duration_t) == 8 && sizeof(Time_t) == 8);
    static_assert(sizeof(ReliabilityQosPolicyKind) == 1 && sizeof(DurabilityQosPolicyKind) == 1);
    static_assert(sizeof(SampleStateKind) == 2 && sizeof(StatusMask) == 4);
    EXPECT_EQ(HANDLE_NIL.length, 16u);
    EXPECT_EQ(HANDLE_NIL.valid, 0);
    const SampleInfo info;
    EXPECT_EQ(info.sample_state, NOT_READ_SAMPLE_STATE);
    EXPECT_EQ(info.view_state, NEW_VIEW_STATE);
    EXPECT_EQ(info.instance_state, ALIVE_INSTANCE_STATE);
    EXPECT_EQ(info.source_timestamp.sec, -1);
    EXPECT_EQ(info.source_timestamp.nanosec, 4294967295u);
    EXPECT_EQ(info.instance_handle, HANDLE_NIL);
    EXPECT_FALSE(info.valid_data);
    EXPECT_EQ(DataWriterQos().reliability.kind, RELIABLE_RELIABILITY_QOS);
    EXPECT_EQ(DataReaderQos().reliability.kind, BEST_EFFORT_RELIABILITY_QOS);
}

TEST(Layout, HandleCopyTakesOnlyItsLengthOfValueBytes) {
    InstanceHandle_t h;
    std::memset(h.value, 0xAB, sizeof h.value);
    h.length = 4;
    h.valid = -1;
    const InstanceHandle_t copy(h);
    EXPECT_EQ(copy.value[3], 0xAB);
    EXPECT_EQ(copy.value[4], 0);
    EXPECT_EQ(copy.value[15], 0);
    EXPECT_EQ(copy.length, 4u);
    EXPECT_EQ(copy.valid, -1);
}

TEST(Layout, TypeDescriptorIsTheSameRecordInC) {
    size_t fields[3];
    EXPECT_EQ(c99_keyed_descriptor_fields(fields), sizeof(TypeDescriptor));
    struct reading {
        int sensor_id;
        double value;
    };
    EXPECT_EQ(fields[0], sizeof(reading));
    EXPECT_EQ(fields[1], 0u);
    EXPECT_EQ(fields[2], sizeof(int));
}

}  // namespace
