// The factory, participant and topic functions as users see them, through
// the exported C functions on the stand-in core: participants, types and
// topics made, found and deleted; QoS set through the core and read back;
// the QoS default sentinels; listeners installed, read back and called.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "binding/c_records.h"
#include "binding/record_walk.h"
#include "quillmarc/dds_c.h"
#include "zorvex/zorvex.h"

namespace {

struct Reading {
  int32_t sensor;  // the key
  int32_t value;
};

DDS_DomainId_t fresh_domain() {
  static std::atomic<DDS_DomainId_t> next{7100};
  return next++;
}

DDS_DomainParticipantFactory* factory() { return DDS_DomainParticipantFactory_get_instance(); }

// Every member changed from its default, yet consistent for the stand-in:
// no bounded limit under another.
void vary_consistently(DDS_TopicQos& q) {
  walk::vary_all(q);
  q.resource_limits.max_samples = DDS_LENGTH_UNLIMITED;
  q.durability_service.max_samples = DDS_LENGTH_UNLIMITED;
}
template <class Qos>
void vary_consistently(Qos& q) {
  walk::vary_all(q);
}

// A participant on a domain of its own with the Reading type registered;
// everything it holds is deleted at the end.
class OnTheStandIn : public ::testing::Test {
 protected:
  void SetUp() override {
    domain = fresh_domain();
    participant = join(domain);
    ASSERT_NE(participant, nullptr);
  }
  void TearDown() override {
    for (DDS_DomainParticipant* p : participants) {
      EXPECT_EQ(DDS_DomainParticipant_delete_contained_entities(p), DDS_RETCODE_OK);
      EXPECT_EQ(DDS_DomainParticipantFactory_delete_participant(factory(), p), DDS_RETCODE_OK);
    }
  }

  DDS_DomainParticipant* join(DDS_DomainId_t d, const ZORVEX_TypeDescriptor& type = reading_type) {
    DDS_DomainParticipant* p = DDS_DomainParticipantFactory_create_participant(factory(), d, nullptr, nullptr, 0);
    if (p == nullptr) return nullptr;
    participants.push_back(p);
    EXPECT_EQ(DDS_DomainParticipant_registe_type(p, "Reading", &type), DDS_RETCODE_OK);
    return p;
  }

  DDS_Topic* readings(DDS_DomainParticipant* p, const DDS_TopicListener* listener = nullptr,
                      DDS_StatusMask mask = 0) {
    return DDS_DomainParticipant_create_topic(p, "Readings", "Reading", DDS_TOPIC_QOS_DEFAULT, listener, mask);
  }

  static constexpr ZORVEX_TypeDescriptor reading_type = ZORVEX_KEYED_TYPE(Reading, sensor);
  DDS_DomainId_t domain = 0;
  DDS_DomainParticipant* participant = nullptr;
  std::vector<DDS_DomainParticipant*> participants;
};

// ---------------------------------------------------------------------------
// Factory and participants.

TEST(Factory, IsTheCoresSingletonAndOutlivesFinalize) {
  DDS_DomainParticipantFactory* f = DDS_DomainParticipantFactory_get_instance();
  EXPECT_EQ(f, DDS_DomainParticipantFactory_get_instance());
  EXPECT_EQ(reinterpret_cast<void*>(f), static_cast<void*>(ZORVEX::DomainParticipantFactory::get_instance()));
  EXPECT_EQ(DDS_DomainParticipantFactory_finalize_instance(), DDS_RETCODE_UNSUPPORTED);

  const DDS_DomainId_t d = fresh_domain();
  DDS_DomainParticipant* p = DDS_DomainParticipantFactory_create_participant(f, d, nullptr, nullptr, 0);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(DDS_DomainParticipantFactory_lookup_participant(f, d), p);
  EXPECT_EQ(DDS_DomainParticipant_get_domain_id(p), d);
  DDS_DomainParticipant* variable = p;
  EXPECT_EQ(DDS_DomainParticipantFactory_delete_participant(f, variable), DDS_RETCODE_OK);
  EXPECT_EQ(variable, p);  // the caller's variable stays
  EXPECT_EQ(DDS_DomainParticipantFactory_lookup_participant(f, d), nullptr);
}

TEST(Factory, WhatTheStandInDoesNotProvideAnswersItsOwnCodeAndLeaksNoBridge) {
  DDS_DomainParticipantListener listener{};
  EXPECT_EQ(DDS_DomainParticipantFactory_create_participant_with_qos_profile(factory(), fresh_domain(), "lib",
                                                                            "profile", "qos", &listener, 0),
            nullptr);
  EXPECT_EQ(DDS_DomainParticipantFactory_load_qos_from_xml(factory(), "qos.xml"), DDS_RETCODE_UNSUPPORTED);
  CTopicQos qos;
  EXPECT_EQ(DDS_DomainParticipantFactory_get_topic_qos_from_profile(factory(), qos.get(), "lib", "profile", nullptr),
            DDS_RETCODE_UNSUPPORTED);
}

TEST(Factory, ItsQosDecidesWhetherNewParticipantsStartEnabled) {
  DDS_DomainParticipantFactoryQos qos{{1}};
  ASSERT_EQ(DDS_DomainParticipantFactory_get_qos(factory(), &qos), DDS_RETCODE_OK);
  EXPECT_EQ(qos.entity_factory.autoenable_created_entities, 1);
  qos.entity_factory.autoenable_created_entities = 0;
  ASSERT_EQ(DDS_DomainParticipantFactory_set_qos(factory(), &qos), DDS_RETCODE_OK);
  DDS_DomainParticipantFactoryQos back{{1}};
  EXPECT_EQ(DDS_DomainParticipantFactory_get_qos(factory(), &back), DDS_RETCODE_OK);
  EXPECT_EQ(back.entity_factory.autoenable_created_entities, 0);

  DDS_DomainParticipant* p = DDS_DomainParticipantFactory_create_participant(factory(), fresh_domain(), nullptr,
                                                                             nullptr, 0);
  qos.entity_factory.autoenable_created_entities = 1;
  ASSERT_EQ(DDS_DomainParticipantFactory_set_qos(factory(), &qos), DDS_RETCODE_OK);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(DDS_DomainParticipant_assert_liveliness(p), DDS_RETCODE_NOT_ENABLED);
  EXPECT_EQ(DDS_DomainParticipant_enable(p), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_assert_liveliness(p), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipantFactory_delete_participant(factory(), p), DDS_RETCODE_OK);
}

TEST(Factory, TheParticipantSentinelSelectsTheFactorysDefault) {
  CParticipantQos defaults, marker, mine, back;
  bytes(defaults->user_data.value) = {1, 2};
  bytes(marker->user_data.value) = {9};
  bytes(mine->user_data.value) = {5};
  ASSERT_EQ(DDS_DomainParticipantFactory_set_default_participant_qos(factory(), defaults.get()), DDS_RETCODE_OK);
  ASSERT_EQ(DDS_DomainParticipantFactory_get_default_participant_qos(factory(), back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(bytes(back->user_data.value), (std::vector<unsigned char>{1, 2}));

  auto user_data_of = [](const DDS_DomainParticipantQos* qos) {
    DDS_DomainParticipant* p =
        DDS_DomainParticipantFactory_create_participant(factory(), fresh_domain(), qos, nullptr, 0);
    CParticipantQos got;
    EXPECT_EQ(DDS_DomainParticipant_get_qos(p, got.get()), DDS_RETCODE_OK);
    EXPECT_EQ(DDS_DomainParticipantFactory_delete_participant(factory(), p), DDS_RETCODE_OK);
    return bytes(got->user_data.value);
  };
  EXPECT_EQ(user_data_of(nullptr), (std::vector<unsigned char>{1, 2}));
  DDS_DOMAINPARTICIPANT_QOS_DEFAULT = marker.get();
  EXPECT_EQ(user_data_of(marker.get()), (std::vector<unsigned char>{1, 2}));
  EXPECT_EQ(user_data_of(mine.get()), (std::vector<unsigned char>{5}));
  DDS_DOMAINPARTICIPANT_QOS_DEFAULT = nullptr;

  CParticipantQos plain;
  EXPECT_EQ(DDS_DomainParticipantFactory_set_default_participant_qos(factory(), plain.get()), DDS_RETCODE_OK);
}

TEST_F(OnTheStandIn, AParticipantWithChildrenStaysUntilTheyAreDeleted) {
  DDS_Topic* topic = readings(participant);
  ASSERT_NE(topic, nullptr);
  DDS_Publisher* publisher = DDS_DomainParticipant_create_publisher(participant, nullptr, nullptr, 0);
  DDS_Subscriber* subscriber = DDS_DomainParticipant_create_subscriber(participant, nullptr, nullptr, 0);
  ASSERT_NE(publisher, nullptr);
  ASSERT_NE(subscriber, nullptr);
  const DDS_InstanceHandle_t topic_handle = DDS_Entity_get_instance_handle(DDS_Topic_as_entity(topic));
  EXPECT_EQ(DDS_DomainParticipant_contains_entity(participant, &topic_handle), 1);

  EXPECT_EQ(DDS_DomainParticipantFactory_delete_participant(factory(), participant),
            DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_DomainParticipant_delete_publisher(participant, publisher), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_delete_contained_entities(participant), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_contains_entity(participant, &topic_handle), 0);
  EXPECT_EQ(DDS_DomainParticipant_lookup_topicdescription(participant, "Readings"), nullptr);
  EXPECT_EQ(DDS_DomainParticipantFactory_delete_participant(factory(), participant), DDS_RETCODE_OK);
  participants.clear();
}

// ---------------------------------------------------------------------------
// Types and topics.

TEST_F(OnTheStandIn, TopicsAreMadeFoundLookedUpAndDeleted) {
  const ZORVEX_TypeDescriptor other_layout = {sizeof(Reading), 4, 4};
  EXPECT_EQ(DDS_DomainParticipant_registe_type(participant, "Reading", &other_layout),
            DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_DomainParticipant_create_topic(participant, "Other", "Unregistered", nullptr, nullptr, 0), nullptr);

  DDS_Topic* topic = readings(participant);
  ASSERT_NE(topic, nullptr);
  EXPECT_EQ(readings(participant), nullptr);  // the name is taken
  DDS_TopicDescription* description = DDS_Topic_as_topicdescription(topic);
  EXPECT_STREQ(DDS_TopicDescription_get_name(description), "Readings");
  EXPECT_STREQ(DDS_TopicDescription_get_type_name(description), "Reading");
  EXPECT_EQ(DDS_TopicDescription_get_participant(description), participant);
  EXPECT_EQ(DDS_DomainParticipant_lookup_topicdescription(participant, "Readings"), description);
  EXPECT_EQ(DDS_DomainParticipant_lookup_topicdescription(participant, "Nothing"), nullptr);

  const DDS_Duration_t no_wait = {0, 0};
  EXPECT_EQ(DDS_DomainParticipant_find_topic(participant, "Readings", &no_wait), topic);
  const DDS_Duration_t short_wait = {0, 20000000};
  EXPECT_EQ(DDS_DomainParticipant_find_topic(participant, "Nothing", &short_wait), nullptr);

  // Found once, created once: deleted twice.
  EXPECT_EQ(DDS_DomainParticipant_delete_topic(participant, topic), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_lookup_topicdescription(participant, "Readings"), description);
  EXPECT_EQ(DDS_DomainParticipant_delete_topic(participant, topic), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_lookup_topicdescription(participant, "Readings"), nullptr);
}

TEST_F(OnTheStandIn, AContentFilteredTopicKeepsItsParametersAndItsRelatedTopic) {
  DDS_Topic* topic = readings(participant);
  DDS_CStringSequence parameters;
  set_names(parameters, {"3", "9"});
  DDS_ContentFilteredTopic* filtered =
      DDS_DomainParticipant_create_contentfilteredtopic(participant, "Filtered", topic, "sensor > %0", &parameters);
  ASSERT_NE(filtered, nullptr);
  EXPECT_EQ(DDS_ContentFilterTopic_get_related_topic(filtered), topic);

  DDS_CStringSequence got;
  set_names(got, {"old"});
  EXPECT_EQ(DDS_ContentFilteredTopic_get_expression_parameters(filtered, &got), DDS_RETCODE_OK);
  EXPECT_EQ(names(got), (std::vector<std::string>{"3", "9"}));
  set_names(parameters, {"4"});
  EXPECT_EQ(DDS_ContentFilteredTopic_set_expression_parameters(filtered, &parameters), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_ContentFilteredTopic_get_expression_parameters(filtered, &got), DDS_RETCODE_OK);
  EXPECT_EQ(names(got), (std::vector<std::string>{"4"}));

  // Its topic description, found by name, answers the topic-description calls.
  DDS_TopicDescription* description = DDS_DomainParticipant_lookup_topicdescription(participant, "Filtered");
  ASSERT_NE(description, nullptr);
  EXPECT_STREQ(DDS_TopicDescription_get_name(description), "Filtered");
  EXPECT_STREQ(DDS_TopicDescription_get_type_name(description), "Reading");

  EXPECT_EQ(DDS_DomainParticipant_delete_topic(participant, topic), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_DomainParticipant_delete_contentfilteredtopic(participant, filtered), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_delete_topic(participant, topic), DDS_RETCODE_OK);
}

TEST_F(OnTheStandIn, ABuiltinDescriptionOfTheParticipantAndItsTopic) {
  CParticipantQos qos;
  bytes(qos->user_data.value) = {4, 2};
  ASSERT_EQ(DDS_DomainParticipant_set_qos(participant, qos.get()), DDS_RETCODE_OK);
  DDS_Topic* topic = readings(participant);

  CParticipantData participant_data;
  const DDS_InstanceHandle_t own = DDS_Entity_get_instance_handle(DDS_DomainParticipant_as_entity(participant));
  EXPECT_EQ(DDS_DomainParticipant_get_discovered_participant_data(participant, participant_data.get(), &own),
            DDS_RETCODE_OK);
  EXPECT_EQ(bytes(participant_data->user_data.value), (std::vector<unsigned char>{4, 2}));

  CTopicData topic_data;
  const DDS_InstanceHandle_t topic_handle = DDS_Entity_get_instance_handle(DDS_Topic_as_entity(topic));
  EXPECT_EQ(DDS_DomainParticipant_get_discovered_topic_data(participant, topic_data.get(), &topic_handle),
            DDS_RETCODE_OK);
  EXPECT_EQ(static_cast<std::string&>(topic_data->name), "Readings");
  EXPECT_EQ(static_cast<std::string&>(topic_data->type_name), "Reading");
  EXPECT_EQ(DDS_DomainParticipant_get_discovered_topic_data(participant, topic_data.get(), &DDS_HANDLE_NIL),
            DDS_RETCODE_BAD_PARAMETER);

  DDS_InstanceHandle_tSequence handles;
  EXPECT_EQ(DDS_DomainParticipant_get_discovered_topics(participant, &handles), DDS_RETCODE_UNSUPPORTED);
  EXPECT_EQ(DDS_DomainParticipant_ignore_participant(participant, &own), DDS_RETCODE_UNSUPPORTED);
}

TEST(CurrentTime, IsTheSystemClockAndNeedsNoParticipant) {
  // Bracketed by the same clock: time() reads the coarse clock, which can
  // still show the last second just after the fine clock has moved on.
  const auto seconds_now = [] {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
  };
  DDS_Time_t now = {-1, 1};
  const auto before = seconds_now();
  EXPECT_EQ(DDS_DomainParticipant_get_current_time(nullptr, &now), DDS_RETCODE_OK);
  EXPECT_GE(now.sec, before);
  EXPECT_LE(now.sec, seconds_now());
  EXPECT_LT(now.nanosec, 1000000000u);
}

// ---------------------------------------------------------------------------
// QoS through the core and back.

TEST_F(OnTheStandIn, EveryQosMemberSurvivesASetAndAGet) {
  CParticipantQos p_in, p_out;
  vary_consistently(*p_in);
  EXPECT_EQ(DDS_DomainParticipant_set_qos(participant, p_in.get()), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_get_qos(participant, p_out.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*p_in, *p_out), 0);

  CPublisherQos pub_in, pub_out;
  vary_consistently(*pub_in);
  EXPECT_EQ(DDS_DomainParticipant_set_default_publisher_qos(participant, pub_in.get()), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_get_default_publisher_qos(participant, pub_out.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*pub_in, *pub_out), 0);

  CSubscriberQos sub_in, sub_out;
  vary_consistently(*sub_in);
  EXPECT_EQ(DDS_DomainParticipant_set_default_subscriber_qos(participant, sub_in.get()), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_get_default_subscriber_qos(participant, sub_out.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*sub_in, *sub_out), 0);

  CTopicQos topic_in, topic_out;
  vary_consistently(*topic_in);
  EXPECT_EQ(DDS_DomainParticipant_set_default_topic_qos(participant, topic_in.get()), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_get_default_topic_qos(participant, topic_out.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*topic_in, *topic_out), 0);

  // A record the core refuses: its code, and nothing changed.
  CTopicQos inconsistent, still;
  inconsistent->resource_limits.max_samples = 2;
  inconsistent->resource_limits.max_samples_per_instance = 3;
  EXPECT_EQ(DDS_DomainParticipant_set_default_topic_qos(participant, inconsistent.get()),
            DDS_RETCODE_INCONSISTENT_POLICY);
  EXPECT_EQ(DDS_DomainParticipant_get_default_topic_qos(participant, still.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*topic_in, *still), 0);
}

TEST_F(OnTheStandIn, ATopicKeepsTheQosItWasMadeWithAndTakesChangesToItsMutablePolicies) {
  CTopicQos made, back;
  vary_consistently(*made);
  DDS_Topic* topic = DDS_DomainParticipant_create_topic(participant, "Readings", "Reading", made.get(), nullptr, 0);
  ASSERT_NE(topic, nullptr);
  EXPECT_EQ(DDS_Topic_get_qos(topic, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*made, *back), 0);

  bytes(made->topic_data.value) = {8, 8, 8};
  made->deadline.period = {3, 5};
  made->transport_priority.value = -4;
  made->lifespan.duration = {60, 0};
  EXPECT_EQ(DDS_Topic_set_qos(topic, made.get()), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Topic_get_qos(topic, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*made, *back), 0);

  made->reliability.kind = made->reliability.kind == DDS_RELIABLE_RELIABILITY_QOS ? DDS_BEST_EFFORT_RELIABILITY_QOS
                                                                                  : DDS_RELIABLE_RELIABILITY_QOS;
  EXPECT_EQ(DDS_Topic_set_qos(topic, made.get()), DDS_RETCODE_IMMUTABLE_POLICY);
}

TEST_F(OnTheStandIn, TheTopicSentinelSelectsTheParticipantsDefaultTopicQos) {
  CTopicQos defaults, marker, back;
  vary_consistently(*defaults);
  bytes(marker->topic_data.value) = {9};
  ASSERT_EQ(DDS_DomainParticipant_set_default_topic_qos(participant, defaults.get()), DDS_RETCODE_OK);

  DDS_Topic* first = DDS_DomainParticipant_create_topic(participant, "First", "Reading", nullptr, nullptr, 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(DDS_Topic_get_qos(first, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*defaults, *back), 0);

  DDS_TOPIC_QOS_DEFAULT = marker.get();
  DDS_Topic* second = DDS_DomainParticipant_create_topic(participant, "Second", "Reading", marker.get(), nullptr, 0);
  DDS_TOPIC_QOS_DEFAULT = nullptr;
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(DDS_Topic_get_qos(second, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*defaults, *back), 0);  // the marker's content was never read
}

TEST_F(OnTheStandIn, ThePublisherAndSubscriberSentinelsSelectTheParticipantsDefaults) {
  CPublisherQos pub_default;
  bytes(pub_default->group_data.value) = {1, 1};
  CSubscriberQos sub_default;
  set_names(sub_default->partition.name, {"north"});
  ASSERT_EQ(DDS_DomainParticipant_set_default_publisher_qos(participant, pub_default.get()), DDS_RETCODE_OK);
  ASSERT_EQ(DDS_DomainParticipant_set_default_subscriber_qos(participant, sub_default.get()), DDS_RETCODE_OK);

  DDS_Publisher* publisher = DDS_DomainParticipant_create_publisher(participant, nullptr, nullptr, 0);
  DDS_Subscriber* subscriber = DDS_DomainParticipant_create_subscriber(participant, nullptr, nullptr, 0);
  ASSERT_NE(publisher, nullptr);
  ASSERT_NE(subscriber, nullptr);
  // Read back through the core: the publisher's and subscriber's own
  // functions are not this file's.
  ZORVEX::PublisherQos pub_got;
  ZORVEX::SubscriberQos sub_got;
  reinterpret_cast<ZORVEX::Publisher*>(publisher)->get_qos(pub_got);
  reinterpret_cast<ZORVEX::Subscriber*>(subscriber)->get_qos(sub_got);
  EXPECT_EQ(pub_got.group_data.value, (std::vector<unsigned char>{1, 1}));
  EXPECT_EQ(sub_got.partition.name, std::vector<std::string>{"north"});

  CPublisherQos mine;
  bytes(mine->group_data.value) = {2};
  DDS_Publisher* other = DDS_DomainParticipant_create_publisher(participant, mine.get(), nullptr, 0);
  reinterpret_cast<ZORVEX::Publisher*>(other)->get_qos(pub_got);
  EXPECT_EQ(pub_got.group_data.value, std::vector<unsigned char>{2});
}

// ---------------------------------------------------------------------------
// Listeners.

struct Heard {
  int calls = 0;
  DDS_Topic* topic = nullptr;
  DDS_InconsistentTopicStatus status{};
};
Heard heard;
void on_inconsistent(DDS_Topic* topic, DDS_InconsistentTopicStatus* status) {
  ++heard.calls;
  heard.topic = topic;
  heard.status = *status;
}

TEST_F(OnTheStandIn, ListenersAreReadBackAsTheRecordsLastInstalled) {
  DDS_DomainParticipantListener first{}, second{};
  DDS_DomainParticipant* p =
      DDS_DomainParticipantFactory_create_participant(factory(), fresh_domain(), nullptr, &first, 0);
  ASSERT_NE(p, nullptr);
  participants.push_back(p);
  EXPECT_EQ(DDS_DomainParticipant_get_listener(p), &first);
  EXPECT_EQ(DDS_DomainParticipant_set_listener(p, &second, DDS_STATUS_MASK_ALL), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_get_listener(p), &second);
  EXPECT_EQ(DDS_DomainParticipant_set_listener(p, nullptr, 0), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DomainParticipant_get_listener(p), nullptr);
  EXPECT_EQ(DDS_DomainParticipant_get_listener(participant), nullptr);  // made with none

  DDS_TopicListener topic_first{}, topic_second{};
  DDS_Topic* topic = readings(participant, &topic_first, 0);
  EXPECT_EQ(DDS_Topic_get_listener(topic), &topic_first);
  EXPECT_EQ(DDS_Topic_set_listener(topic, &topic_second, DDS_INCONSISTENT_TOPIC_STATUS), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Topic_get_listener(topic), &topic_second);
}

TEST_F(OnTheStandIn, AnInconsistentTopicReachesTheTopicsListenerOrElseTheParticipants) {
  DDS_TopicListener listener{};
  listener.on_inconsistent_topic = on_inconsistent;
  DDS_Topic* topic = readings(participant, &listener, DDS_INCONSISTENT_TOPIC_STATUS);
  ASSERT_NE(topic, nullptr);

  // Another participant of the domain names another layout "Reading".
  heard = {};
  const ZORVEX_TypeDescriptor bigger = {64, 0, 4};
  DDS_DomainParticipantListener participant_listener{};
  participant_listener.on_inconsistent_topic = on_inconsistent;
  DDS_DomainParticipant* other = DDS_DomainParticipantFactory_create_participant(
      factory(), domain, nullptr, &participant_listener, DDS_INCONSISTENT_TOPIC_STATUS);
  ASSERT_NE(other, nullptr);
  participants.push_back(other);
  ASSERT_EQ(DDS_DomainParticipant_registe_type(other, "Reading", &bigger), DDS_RETCODE_OK);
  DDS_Topic* theirs = readings(other);  // no listener of its own
  ASSERT_NE(theirs, nullptr);

  EXPECT_EQ(heard.calls, 2);  // ours through its listener, theirs through their participant's
  EXPECT_EQ(heard.topic, theirs);
  EXPECT_EQ(heard.status.total_count, 1);
  EXPECT_EQ(heard.status.total_count_change, 1);

  DDS_InconsistentTopicStatus status{-1, -1};
  EXPECT_EQ(DDS_Topic_get_inconsistent_topic_status(topic, &status), DDS_RETCODE_OK);
  EXPECT_EQ(status.total_count, 1);
  EXPECT_EQ(status.total_count_change, 0);  // the callback has seen the change
}

}  // namespace
