// Which writers and readers match, and what both sides are told.
#include "engine_fixture.h"

namespace {

using namespace ZORVEX;

using Matching = Engine;

TEST_F(Matching, MatchAndUnmatchAreCountedOnBothSides) {
    DataWriter* w = writer();
    DataReader* r = reader();
    PublicationMatchedStatus pub;
    ASSERT_EQ(w->get_publication_matched_status(pub), RETCODE_OK);
    EXPECT_EQ(pub.total_count, 1);
    EXPECT_EQ(pub.current_count, 1);
    EXPECT_EQ(pub.current_count_change, 1);
    EXPECT_EQ(pub.last_subscription_handle, r->get_instance_handle());
    SubscriptionMatchedStatus sub;
    ASSERT_EQ(r->get_subscription_matched_status(sub), RETCODE_OK);
    EXPECT_EQ(sub.current_count, 1);
    EXPECT_EQ(sub.last_publication_handle, w->get_instance_handle());

    std::vector<InstanceHandle_t> handles{HANDLE_NIL, HANDLE_NIL};
    ASSERT_EQ(w->get_matched_subscriptions(handles), RETCODE_OK);
    EXPECT_EQ(handles, std::vector<InstanceHandle_t>{r->get_instance_handle()});
    SubscriptionBuiltinTopicData data;
    ASSERT_EQ(w->get_matched_subscription_data(data, r->get_instance_handle()), RETCODE_OK);
    EXPECT_EQ(data.topic_name, "Readings");
    EXPECT_EQ(data.type_name, "Sample");
    EXPECT_EQ(data.reliability.kind, BEST_EFFORT_RELIABILITY_QOS);
    PublicationBuiltinTopicData pdata;
    EXPECT_EQ(r->get_matched_publication_data(pdata, w->get_instance_handle()), RETCODE_OK);
    EXPECT_EQ(pdata.reliability.kind, RELIABLE_RELIABILITY_QOS);
    EXPECT_EQ(r->get_matched_publication_data(pdata, r->get_instance_handle()), RETCODE_BAD_PARAMETER);

    ASSERT_EQ(subscriber->delete_datareader(r), RETCODE_OK);
    EXPECT_EQ(r, nullptr);
    ASSERT_EQ(w->get_publication_matched_status(pub), RETCODE_OK);
    EXPECT_EQ(pub.total_count, 1);
    EXPECT_EQ(pub.total_count_change, 0);
    EXPECT_EQ(pub.current_count, 0);
    EXPECT_EQ(pub.current_count_change, -1);
    ASSERT_EQ(w->get_matched_subscriptions(handles), RETCODE_OK);
    EXPECT_TRUE(handles.empty());
}

struct Incompatibility {
    const char* name;
    std::function<void(DataWriterQos&)> writer;
    std::function<void(DataReaderQos&)> reader;
    QosPolicyId_t policy;
};

class IncompatibleQos : public Engine, public ::testing::WithParamInterface<Incompatibility> {};

TEST_P(IncompatibleQos, IsReportedOnBothSidesWithThePolicy) {
    DataWriter* w = writer(GetParam().writer);
    DataReader* r = reader(GetParam().reader);
    OfferedIncompatibleQosStatus offered;
    ASSERT_EQ(w->get_offered_incompatible_qos_status(offered), RETCODE_OK);
    EXPECT_EQ(offered.total_count, 1);
    EXPECT_EQ(offered.last_policy_id, GetParam().policy);
    ASSERT_EQ(offered.policies.size(), 1u);
    EXPECT_EQ(offered.policies[0].policy_id, GetParam().policy);
    EXPECT_EQ(offered.policies[0].count, 1);
    RequestedIncompatibleQosStatus requested;
    ASSERT_EQ(r->get_requested_incompatible_qos_status(requested), RETCODE_OK);
    EXPECT_EQ(requested.total_count, 1);
    EXPECT_EQ(requested.last_policy_id, GetParam().policy);
    SubscriptionMatchedStatus matched;
    r->get_subscription_matched_status(matched);
    EXPECT_EQ(matched.current_count, 0);
    EXPECT_EQ(write(w, 1, 1), RETCODE_OK);
    EXPECT_TRUE(drain(r).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Policies, IncompatibleQos,
    ::testing::Values(
        Incompatibility{"reliability", [](DataWriterQos& q) { q.reliability.kind = BEST_EFFORT_RELIABILITY_QOS; },
                        [](DataReaderQos& q) { q.reliability.kind = RELIABLE_RELIABILITY_QOS; },
                        RELIABILITY_QOS_POLICY_ID},
        Incompatibility{"durability", nullptr,
                        [](DataReaderQos& q) { q.durability.kind = TRANSIENT_LOCAL_DURABILITY_QOS; },
                        DURABILITY_QOS_POLICY_ID},
        Incompatibility{"ownership", [](DataWriterQos& q) { q.ownership.kind = EXCLUSIVE_OWNERSHIP_QOS; }, nullptr,
                        OWNERSHIP_QOS_POLICY_ID},
        Incompatibility{"deadline", nullptr, [](DataReaderQos& q) { q.deadline.period = {1, 0}; },
                        DEADLINE_QOS_POLICY_ID},
        Incompatibility{"lease", nullptr, [](DataReaderQos& q) { q.liveliness.lease_duration = {2, 0}; },
                        LIVELINESS_QOS_POLICY_ID},
        Incompatibility{"zero_offered_against_a_period", [](DataWriterQos& q) { q.deadline.period = {0, 0}; },
                        [](DataReaderQos& q) { q.deadline.period = {1, 0}; }, DEADLINE_QOS_POLICY_ID}),
    [](const auto& info) { return std::string(info.param.name); });

struct Partitions {
    std::vector<std::string> publisher, subscriber;
    bool meet;
};

class PartitionMatching : public Engine, public ::testing::WithParamInterface<Partitions> {};

TEST_P(PartitionMatching, DecidesTheMatchWithoutAnIncompatibility) {
    PublisherQos pq;
    pq.partition.name = GetParam().publisher;
    ASSERT_EQ(publisher->set_qos(pq), RETCODE_OK);
    SubscriberQos sq;
    sq.partition.name = GetParam().subscriber;
    ASSERT_EQ(subscriber->set_qos(sq), RETCODE_OK);
    DataWriter* w = writer();
    reader();
    PublicationMatchedStatus matched;
    w->get_publication_matched_status(matched);
    EXPECT_EQ(matched.current_count, GetParam().meet ? 1 : 0);
    OfferedIncompatibleQosStatus offered;
    w->get_offered_incompatible_qos_status(offered);
    EXPECT_EQ(offered.total_count, 0);
}

INSTANTIATE_TEST_SUITE_P(Names, PartitionMatching,
                         ::testing::Values(Partitions{{"A"}, {"A"}, true}, Partitions{{"A"}, {"B"}, false},
                                           Partitions{{"A*"}, {"AB"}, true}, Partitions{{}, {""}, true},
                                           Partitions{{}, {"A"}, false}, Partitions{{"A*"}, {"A*"}, true},
                                           Partitions{{"A*"}, {"?B"}, false},
                                           Partitions{{"X", "Y"}, {"Z", "Y"}, true}),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(Matching, ChangingPartitionsUnmatchesAndRematches) {
    DataWriter* w = writer();
    reader();
    SubscriberQos sq;
    sq.partition.name = {"elsewhere"};
    ASSERT_EQ(subscriber->set_qos(sq), RETCODE_OK);
    PublicationMatchedStatus matched;
    w->get_publication_matched_status(matched);
    EXPECT_EQ(matched.current_count, 0);
    EXPECT_EQ(matched.total_count, 1);
    sq.partition.name.clear();
    ASSERT_EQ(subscriber->set_qos(sq), RETCODE_OK);
    w->get_publication_matched_status(matched);
    EXPECT_EQ(matched.current_count, 1);
    EXPECT_EQ(matched.total_count, 2);
}

TEST_F(Matching, EndpointsMeetAcrossParticipantsOfOneDomainOnly) {
    DataWriter* w = writer();
    auto reader_in = [&](DomainParticipant* p) {
        Topic* t = p->create_topic("Readings", "Sample", TOPIC_QOS_DEFAULT, nullptr, 0);
        Subscriber* s = p->create_subscriber(SUBSCRIBER_QOS_DEFAULT, nullptr, 0);
        return s->create_datareader(t, DATAREADER_QOS_DEFAULT, nullptr, 0);
    };
    DataReader* same_domain = reader_in(join(domain));
    DataReader* other_domain = reader_in(join(fresh_domain()));
    ASSERT_EQ(write(w, 7, 70), RETCODE_OK);
    EXPECT_EQ(values_of(drain(same_domain)), std::vector<int32_t>{70});
    EXPECT_TRUE(drain(other_domain).empty());
}

TEST_F(Matching, ATypeOfAnotherLayoutUnderTheSameNamesNeverMatches) {
    DataWriter* w = writer();
    DomainParticipant* other = factory()->create_participant(domain, PARTICIPANT_QOS_DEFAULT, nullptr, 0);
    participants.push_back(other);
    const TypeDescriptor bigger{64, 0, 4};
    ASSERT_EQ(other->register_type("Sample", &bigger), RETCODE_OK);
    Topic* t = other->create_topic("Readings", "Sample", TOPIC_QOS_DEFAULT, nullptr, 0);
    Subscriber* s = other->create_subscriber(SUBSCRIBER_QOS_DEFAULT, nullptr, 0);
    s->create_datareader(t, DATAREADER_QOS_DEFAULT, nullptr, 0);
    PublicationMatchedStatus matched;
    w->get_publication_matched_status(matched);
    EXPECT_EQ(matched.current_count, 0);
    InconsistentTopicStatus inconsistent;
    ASSERT_EQ(topic->get_inconsistent_topic_status(inconsistent), RETCODE_OK);
    EXPECT_EQ(inconsistent.total_count, 1);
    ASSERT_EQ(t->get_inconsistent_topic_status(inconsistent), RETCODE_OK);
    EXPECT_EQ(inconsistent.total_count, 1);
}

TEST_F(Matching, DisabledEndpointsMatchOnceEnabled) {
    PublisherQos pq;
    pq.entity_factory.autoenable_created_entities = false;
    ASSERT_EQ(publisher->set_qos(pq), RETCODE_OK);
    DataWriter* w = writer();
    reader();
    EXPECT_EQ(write(w, 1, 1), RETCODE_NOT_ENABLED);
    PublicationMatchedStatus matched;
    w->get_publication_matched_status(matched);
    EXPECT_EQ(matched.current_count, 0);
    ASSERT_EQ(w->enable(), RETCODE_OK);
    w->get_publication_matched_status(matched);
    EXPECT_EQ(matched.current_count, 1);
}

}  // namespace

TEST_F(Matching, AZeroDeadlineOrLeaseNamesNoPeriod) {
    // What a reader QoS record from the C initialiser carries.
    DataReader* r = reader([](DataReaderQos& q) {
        q.deadline.period = {0, 0};
        q.liveliness.lease_duration = {0, 0};
    });
    DataWriter* w = writer();
    PublicationMatchedStatus matched;
    w->get_publication_matched_status(matched);
    EXPECT_EQ(matched.current_count, 1);
    RequestedIncompatibleQosStatus requested;
    r->get_requested_incompatible_qos_status(requested);
    EXPECT_EQ(requested.total_count, 0);
}

TEST_F(Matching, ATimeBasedFilterNeedsADeadlineAtLeastAsLongUnlessTheDeadlineIsZero) {
    EXPECT_EQ(reader([](DataReaderQos& q) {
                  q.deadline.period = {1, 0};
                  q.time_based_filter.minimum_separation = {2, 0};
              }),
              nullptr);
    EXPECT_NE(reader([](DataReaderQos& q) {
                  q.deadline.period = {0, 0};
                  q.time_based_filter.minimum_separation = {2, 0};
              }),
              nullptr);
}
