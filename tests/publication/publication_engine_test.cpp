// The publisher and writer functions end to end on the stand-in core: writers
// made, found and deleted, samples and instance changes reaching a core
// reader, matching, QoS through the core and back, and writer listeners.
#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "binding/c_records.h"
#include "binding/dds_type_convert.h"
#include "binding/record_walk.h"
#include "stand_in.h"

namespace {

bool same_handle(const DDS_InstanceHandle_t& c, const ZORVEX::InstanceHandle_t& core) {
  return c.valid == 1 && core.valid == 1 && std::memcmp(c.value, core.value, 16) == 0;
}

using Writers = StandIn;

TEST_F(Writers, AreCreatedFoundAndDeletedByTheirPublisher) {
  DDS_DataWriter* w = writer();
  EXPECT_EQ(DDS_Publisher_lookup_datawriter(publisher_, "Readings"), w);
  EXPECT_EQ(DDS_Publisher_lookup_datawriter(publisher_, "Other"), nullptr);
  EXPECT_EQ(DDS_DataWriter_get_topic(w), topic_);
  EXPECT_EQ(DDS_DataWriter_get_publisher(w), publisher_);
  EXPECT_EQ(DDS_Publisher_get_participant(publisher_), c_handle_of<DDS_DomainParticipant>(participant_));

  // A publisher with a writer may not go.
  ZORVEX::Publisher* p = core_publisher_;
  EXPECT_EQ(participant_->delete_publisher(p), ZORVEX::RETCODE_PRECONDITION_NOT_MET);

  DDS_DataWriter* kept = w;
  EXPECT_EQ(DDS_Publisher_delete_datawriter(publisher_, w), DDS_RETCODE_OK);
  EXPECT_EQ(w, kept);
  EXPECT_EQ(DDS_Publisher_lookup_datawriter(publisher_, "Readings"), nullptr);
  EXPECT_EQ(DDS_Publisher_delete_datawriter(publisher_, w), DDS_RETCODE_PRECONDITION_NOT_MET);

  writer();
  writer();
  EXPECT_EQ(DDS_Publisher_delete_contained_entities(publisher_), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Publisher_lookup_datawriter(publisher_, "Readings"), nullptr);
  EXPECT_EQ(participant_->delete_publisher(p), ZORVEX::RETCODE_OK);
}

TEST_F(Writers, AreRefusedForATopicOfAnotherParticipant) {
  ZORVEX::DomainParticipant* other = factory_->create_participant(7, ZORVEX::PARTICIPANT_QOS_DEFAULT, nullptr, 0);
  const ZORVEX::TypeDescriptor type = ZORVEX_KEYED_TYPE(Reading, sensor);
  ASSERT_EQ(other->register_type("Reading", &type), ZORVEX::RETCODE_OK);
  ZORVEX::Topic* foreign = other->create_topic("Readings", "Reading", ZORVEX::TOPIC_QOS_DEFAULT, nullptr, 0);
  DDS_DataWriterListener listener{};
  EXPECT_EQ(DDS_Publisher_create_datawriter(publisher_, c_handle_of<DDS_Topic>(foreign), nullptr, &listener, 0),
            nullptr);
  EXPECT_EQ(other->delete_contained_entities(), ZORVEX::RETCODE_OK);
  EXPECT_EQ(factory_->delete_participant(other), ZORVEX::RETCODE_OK);
}

TEST_F(Writers, SamplesAndInstanceChangesReachACoreReader) {
  ZORVEX::DataReader* r = reader();
  DDS_DataWriter* w = writer();

  const Reading one = reading(1, 10);
  const DDS_InstanceHandle_t h1 = DDS_DataWriter_register_instance(w, &one);
  ASSERT_EQ(h1.valid, 1);
  const DDS_InstanceHandle_t looked_up = DDS_DataWriter_lookup_instance(w, &one);
  EXPECT_EQ(std::memcmp(&looked_up, &h1, sizeof h1), 0);
  const Reading unknown = reading(9, 0);
  EXPECT_EQ(DDS_DataWriter_lookup_instance(w, &unknown).valid, 0);

  EXPECT_EQ(DDS_DataWriter_write(w, &one, &h1), DDS_RETCODE_OK);
  const Reading two = reading(2, 20);
  EXPECT_EQ(DDS_DataWriter_write(w, &two, nullptr), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataWriter_write(w, &two, &DDS_HANDLE_NIL), DDS_RETCODE_OK);
  const DDS_Time_t stamp{5, 6};
  const Reading one_later = reading(1, 11);
  EXPECT_EQ(DDS_DataWriter_write_w_timestamp(w, &one_later, &h1, &stamp), DDS_RETCODE_OK);
  // The handle of instance 1 with the sample of instance 2: the core's answer.
  EXPECT_EQ(DDS_DataWriter_write(w, &two, &h1), DDS_RETCODE_PRECONDITION_NOT_MET);

  std::vector<Taken> got = take(r);
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].data.value, 10);
  EXPECT_EQ(got[1].data.value, 20);
  EXPECT_EQ(got[3].data.value, 11);
  EXPECT_EQ(got[3].info.source_timestamp.sec, 5);
  EXPECT_EQ(got[3].info.source_timestamp.nanosec, 6u);
  EXPECT_EQ(got[0].info.instance_handle, got[3].info.instance_handle);
  EXPECT_NE(got[0].info.instance_handle, got[1].info.instance_handle);

  Reading key_holder{};
  EXPECT_EQ(DDS_DataWriter_get_key_value(w, &key_holder, &h1), DDS_RETCODE_OK);
  EXPECT_EQ(key_holder.sensor, 1);
  EXPECT_EQ(DDS_DataWriter_get_key_value(w, &key_holder, nullptr), DDS_RETCODE_BAD_PARAMETER);

  EXPECT_EQ(DDS_DataWriter_dispose(w, &one, &h1), DDS_RETCODE_OK);
  got = take(r);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].info.instance_state, ZORVEX::NOT_ALIVE_DISPOSED_INSTANCE_STATE);
  EXPECT_FALSE(got[0].info.valid_data);

  const DDS_Time_t later{7, 0};
  EXPECT_EQ(DDS_DataWriter_dispose_w_timestamp(w, &two, nullptr, &later), DDS_RETCODE_OK);
  got = take(r);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].info.source_timestamp.sec, 7);

  EXPECT_EQ(DDS_DataWriter_unregister_instance(w, &one, &h1), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataWriter_lookup_instance(w, &one).valid, 0);
  EXPECT_EQ(DDS_DataWriter_unregister_instance(w, &one, &h1), DDS_RETCODE_BAD_PARAMETER);
  EXPECT_EQ(DDS_DataWriter_unregister_instance_w_timestamp(w, &two, nullptr, &later), DDS_RETCODE_OK);

  const DDS_InstanceHandle_t h3 = DDS_DataWriter_register_instance_w_timestamp(w, &unknown, &stamp);
  EXPECT_EQ(h3.valid, 1);
  const DDS_Time_t invalid{-1, 0};  // the core refuses it
  EXPECT_EQ(DDS_DataWriter_register_instance_w_timestamp(w, &two, &invalid).valid, 0);
  EXPECT_EQ(DDS_DataWriter_write_w_timestamp(w, &two, nullptr, &invalid), DDS_RETCODE_BAD_PARAMETER);
}

TEST_F(Writers, ReportTheirMatchedSubscriptions) {
  DDS_DataWriter* w = writer();
  DDS_InstanceHandle_tSequence* handles = DDS_InstanceHandle_tSequence_create_with_size(3);
  EXPECT_EQ(DDS_DataWriter_get_matched_subscriptions(w, handles), DDS_RETCODE_OK);
  EXPECT_TRUE(DDS_InstanceHandle_tSequence_empty(handles));

  ZORVEX::DataReader* first = reader();
  ZORVEX::DataReader* second = reader();
  EXPECT_EQ(DDS_DataWriter_get_matched_subscriptions(w, handles), DDS_RETCODE_OK);
  std::vector<ZORVEX::InstanceHandle_t> expected;
  ASSERT_EQ(reinterpret_cast<ZORVEX::DataWriter*>(w)->get_matched_subscriptions(expected), ZORVEX::RETCODE_OK);
  ASSERT_EQ(DDS_InstanceHandle_tSequence_size(handles), 2u);
  for (size_t i = 0; i < 2; ++i) EXPECT_TRUE(same_handle(*DDS_InstanceHandle_tSequence_at(handles, i), expected[i]));
  const ZORVEX::InstanceHandle_t first_handle = first->get_instance_handle();
  EXPECT_TRUE(same_handle(*DDS_InstanceHandle_tSequence_at(handles, 0), first_handle) ||
              same_handle(*DDS_InstanceHandle_tSequence_at(handles, 1), first_handle));

  CSubscriptionData data;
  EXPECT_EQ(DDS_DataWriter_get_matched_subscription_data(w, data.get(), DDS_InstanceHandle_tSequence_at(handles, 0)),
            DDS_RETCODE_OK);
  EXPECT_EQ(static_cast<std::string&>(data->topic_name), "Readings");
  EXPECT_EQ(static_cast<std::string&>(data->type_name), "Reading");
  EXPECT_EQ(data->reliability.kind, DDS_RELIABLE_RELIABILITY_QOS);
  // No such subscription: the record is still written, from a fresh one.
  EXPECT_EQ(DDS_DataWriter_get_matched_subscription_data(w, data.get(), nullptr), DDS_RETCODE_BAD_PARAMETER);
  EXPECT_TRUE(static_cast<std::string&>(data->topic_name).empty());

  DDS_PublicationMatchedStatus status;
  EXPECT_EQ(DDS_DataWriter_get_publication_matched_status(w, &status), DDS_RETCODE_OK);
  EXPECT_EQ(status.total_count, 2);
  EXPECT_EQ(status.total_count_change, 2);
  EXPECT_EQ(status.current_count, 2);
  EXPECT_TRUE(same_handle(status.last_subscription_handle, second->get_instance_handle()));

  ASSERT_EQ(subscriber_->delete_datareader(second), ZORVEX::RETCODE_OK);
  EXPECT_EQ(DDS_DataWriter_get_publication_matched_status(w, &status), DDS_RETCODE_OK);
  EXPECT_EQ(status.total_count, 2);
  EXPECT_EQ(status.total_count_change, 0);
  EXPECT_EQ(status.current_count, 1);
  EXPECT_EQ(status.current_count_change, -1);
  EXPECT_EQ(DDS_DataWriter_get_matched_subscriptions(w, handles), DDS_RETCODE_OK);
  ASSERT_EQ(DDS_InstanceHandle_tSequence_size(handles), 1u);
  EXPECT_TRUE(same_handle(*DDS_InstanceHandle_tSequence_at(handles, 0), first_handle));
  DDS_InstanceHandle_tSequence_destroy(handles);

  DDS_LivelinessLostStatus lost{9, 9};
  DDS_OfferedDeadlineMissedStatus missed{9, 9, {}};
  DDS_OfferedIncompatibleQosStatus incompatible{9, 9, 9};
  EXPECT_EQ(DDS_DataWriter_get_liveliness_lost_status(w, &lost), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataWriter_get_offered_deadline_missed_status(w, &missed), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataWriter_get_offered_incompatible_qos_status(w, &incompatible), DDS_RETCODE_OK);
  EXPECT_EQ(lost.total_count + missed.total_count + incompatible.total_count, 0);
  EXPECT_EQ(incompatible.last_policy_id, DDS_INVALID_QOS_POLICY_ID);
  EXPECT_EQ(DDS_DataWriter_assert_liveliness(w), DDS_RETCODE_OK);
  const DDS_Duration_t wait{1, 0};
  EXPECT_EQ(DDS_DataWriter_wait_for_acknowledgments(w, &wait), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Publisher_wait_for_acknowledgments(publisher_, &wait), DDS_RETCODE_OK);
}

TEST_F(Writers, OfferingLessThanAReaderAsksIsReportedAsIncompatible) {
  ZORVEX::DataReaderQos asks;
  asks.reliability.kind = ZORVEX::RELIABLE_RELIABILITY_QOS;
  ASSERT_NE(subscriber_->create_datareader(core_topic_, asks, nullptr, 0), nullptr);
  CWriterQos offers;
  offers->reliability.kind = DDS_BEST_EFFORT_RELIABILITY_QOS;
  DDS_DataWriter* w = DDS_Publisher_create_datawriter(publisher_, topic_, offers.get(), nullptr, 0);
  ASSERT_NE(w, nullptr);
  DDS_OfferedIncompatibleQosStatus status{};
  EXPECT_EQ(DDS_DataWriter_get_offered_incompatible_qos_status(w, &status), DDS_RETCODE_OK);
  EXPECT_EQ(status.total_count, 1);
  EXPECT_EQ(status.last_policy_id, DDS_RELIABILITY_QOS_POLICY_ID);
}

// A writer QoS unlike the defaults that the core accepts.
void vary_consistently(DDS_DataWriterQos& q) {
  walk::vary_all(q);
  q.history = {DDS_KEEP_LAST_HISTORY_QOS, 4};
  q.resource_limits = {100, 10, 20};
  q.durability_service.history_depth = 2;
  q.durability_service.max_samples = 50;
  q.durability_service.max_instances = 5;
  q.durability_service.max_samples_per_instance = 10;
}

using QosRoundTrip = StandIn;

TEST_F(QosRoundTrip, PublisherQosComesBackAsSetAndTheCoresRefusalPassesThrough) {
  CPublisherQos qos;
  EXPECT_EQ(DDS_Publisher_get_qos(publisher_, qos.get()), DDS_RETCODE_OK);
  set_names(qos->partition.name, {"north", "south"});
  bytes(qos->group_data.value) = {1, 2, 3};
  qos->entity_factory.autoenable_created_entities = 0;
  EXPECT_EQ(DDS_Publisher_set_qos(publisher_, qos.get()), DDS_RETCODE_OK);
  CPublisherQos back;
  EXPECT_EQ(DDS_Publisher_get_qos(publisher_, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*qos, *back), 0);

  qos->presentation.access_scope = DDS_TOPIC_PRESENTATION_QOS;  // fixed once enabled
  EXPECT_EQ(DDS_Publisher_set_qos(publisher_, qos.get()), DDS_RETCODE_IMMUTABLE_POLICY);
  EXPECT_EQ(DDS_Publisher_set_qos_with_profile(publisher_, "library", "profile", "qos"), DDS_RETCODE_UNSUPPORTED);
}

TEST_F(QosRoundTrip, DefaultWriterQosComesBackAndIsWhatTheMarkerSelects) {
  CWriterQos qos;
  vary_consistently(*qos);
  EXPECT_EQ(DDS_Publisher_set_default_datawriter_qos(publisher_, qos.get()), DDS_RETCODE_OK);
  CWriterQos back;
  EXPECT_EQ(DDS_Publisher_get_default_datawriter_qos(publisher_, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*qos, *back), 0);

  // Null while DDS_DATAWRITER_QOS_DEFAULT is null: the publisher's default.
  DDS_DataWriter* w = DDS_Publisher_create_datawriter(publisher_, topic_, nullptr, nullptr, 0);
  ASSERT_NE(w, nullptr);
  CWriterQos of_writer;
  EXPECT_EQ(DDS_DataWriter_get_qos(w, of_writer.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*qos, *of_writer), 0);

  qos->history = {DDS_KEEP_LAST_HISTORY_QOS, 0};
  EXPECT_EQ(DDS_Publisher_set_default_datawriter_qos(publisher_, qos.get()), DDS_RETCODE_INCONSISTENT_POLICY);
  EXPECT_EQ(DDS_Publisher_set_default_datawriter_qos_with_profile(publisher_, "l", "p", "q"),
            DDS_RETCODE_UNSUPPORTED);
}

TEST_F(QosRoundTrip, WriterQosComesBackAsCreatedAndAsChanged) {
  CWriterQos qos;
  vary_consistently(*qos);
  DDS_DataWriter* w = DDS_Publisher_create_datawriter(publisher_, topic_, qos.get(), nullptr, 0);
  ASSERT_NE(w, nullptr);
  CWriterQos back;
  EXPECT_EQ(DDS_DataWriter_get_qos(w, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*qos, *back), 0);

  // The policies a running writer may change.
  qos->deadline.period = {3, 4};
  qos->lifespan.duration = {60, 0};
  qos->transport_priority.value = -5;
  bytes(qos->user_data.value) = {8, 9};
  qos->ownership_strength.value = 77;
  qos->writer_data_lifecycle.autodispose_unregistered_instances = 1;
  EXPECT_EQ(DDS_DataWriter_set_qos(w, qos.get()), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataWriter_get_qos(w, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*qos, *back), 0);

  qos->reliability.kind = qos->reliability.kind == DDS_RELIABLE_RELIABILITY_QOS ? DDS_BEST_EFFORT_RELIABILITY_QOS
                                                                                 : DDS_RELIABLE_RELIABILITY_QOS;
  EXPECT_EQ(DDS_DataWriter_set_qos(w, qos.get()), DDS_RETCODE_IMMUTABLE_POLICY);
  EXPECT_EQ(DDS_DataWriter_set_qos_with_profile(w, "l", "p", "q"), DDS_RETCODE_UNSUPPORTED);
}

TEST_F(QosRoundTrip, ProfileCreationIsTheCoresToRefuse) {
  DDS_DataWriterListener listener{};
  EXPECT_EQ(DDS_Publisher_create_datawriter_with_qos_profile(publisher_, topic_, "l", "p", "q", &listener, 0),
            nullptr);
}

TEST_F(QosRoundTrip, CopyFromTheTopicsQosKeepsTheWritersOwnPolicies) {
  ZORVEX::TopicQos core_topic_qos;
  core_topic_qos.durability.kind = ZORVEX::TRANSIENT_LOCAL_DURABILITY_QOS;
  core_topic_qos.history = {ZORVEX::KEEP_ALL_HISTORY_QOS, 1};
  core_topic_qos.reliability.kind = ZORVEX::RELIABLE_RELIABILITY_QOS;
  ZORVEX::Topic* kept = participant_->create_topic("Kept", "Reading", core_topic_qos, nullptr, 0);
  ASSERT_NE(kept, nullptr);
  ASSERT_EQ(kept->get_qos(core_topic_qos), ZORVEX::RETCODE_OK);
  CTopicQos topic_qos;
  DDSTypeConvert::convert(static_cast<const ZORVEX::TopicQos&>(core_topic_qos), *topic_qos);

  CWriterQos qos;
  bytes(qos->user_data.value) = {6};
  qos->ownership_strength.value = 3;
  EXPECT_EQ(DDS_Publisher_copy_from_topic_qos(publisher_, qos.get(), topic_qos.get()), DDS_RETCODE_OK);
  EXPECT_EQ(qos->durability.kind, DDS_TRANSIENT_LOCAL_DURABILITY_QOS);
  EXPECT_EQ(qos->history.kind, DDS_KEEP_ALL_HISTORY_QOS);
  EXPECT_EQ(qos->reliability.kind, DDS_RELIABLE_RELIABILITY_QOS);
  EXPECT_EQ(bytes(qos->user_data.value), (std::vector<unsigned char>{6}));
  EXPECT_EQ(qos->ownership_strength.value, 3);

  // A writer made with the copy matches the topic and keeps late joiners' data.
  DDS_DataWriter* w = DDS_Publisher_create_datawriter(publisher_, c_handle_of<DDS_Topic>(kept), qos.get(), nullptr, 0);
  ASSERT_NE(w, nullptr);
  const Reading r = reading(4, 40);
  EXPECT_EQ(DDS_DataWriter_write(w, &r, nullptr), DDS_RETCODE_OK);
  ZORVEX::DataReaderQos late;
  late.durability.kind = ZORVEX::TRANSIENT_LOCAL_DURABILITY_QOS;
  late.reliability.kind = ZORVEX::RELIABLE_RELIABILITY_QOS;
  ZORVEX::DataReader* joiner = subscriber_->create_datareader(kept, late, nullptr, 0);
  ASSERT_NE(joiner, nullptr);
  const std::vector<Taken> got = take(joiner);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].data.value, 40);
}

// What the C callbacks heard.
struct Heard {
  std::mutex lock;
  std::vector<DDS_DataWriter*> writers;
  std::vector<DDS_PublicationMatchedStatus> statuses;
  int other = 0;
};
Heard heard;

void on_matched(DDS_DataWriter* writer, DDS_PublicationMatchedStatus* status) {
  std::lock_guard<std::mutex> g(heard.lock);
  heard.writers.push_back(writer);
  heard.statuses.push_back(*status);
}
void on_matched_elsewhere(DDS_DataWriter*, DDS_PublicationMatchedStatus*) {
  std::lock_guard<std::mutex> g(heard.lock);
  ++heard.other;
}

class WriterListeners : public StandIn {
 protected:
  void SetUp() override {
    StandIn::SetUp();
    std::lock_guard<std::mutex> g(heard.lock);
    heard.writers.clear();
    heard.statuses.clear();
    heard.other = 0;
  }
};

TEST_F(WriterListeners, PublicationMatchedReachesTheCallbackWithTheWriterAndStatus) {
  DDS_DataWriterListener listener{};
  listener.on_publication_matched = on_matched;
  DDS_DataWriter* w =
      DDS_Publisher_create_datawriter(publisher_, topic_, nullptr, &listener, DDS_PUBLICATION_MATCHED_STATUS);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(DDS_DataWriter_get_listener(w), &listener);

  ZORVEX::DataReader* r = reader();
  {
    std::lock_guard<std::mutex> g(heard.lock);
    ASSERT_EQ(heard.statuses.size(), 1u);
    EXPECT_EQ(heard.writers[0], w);
    EXPECT_EQ(heard.statuses[0].current_count, 1);
    EXPECT_EQ(heard.statuses[0].total_count, 1);
    EXPECT_TRUE(same_handle(heard.statuses[0].last_subscription_handle, r->get_instance_handle()));
  }

  // A new record replaces the old one; the old one hears nothing more.
  DDS_DataWriterListener elsewhere{};
  elsewhere.on_publication_matched = on_matched_elsewhere;
  EXPECT_EQ(DDS_DataWriter_set_listener(w, &elsewhere, DDS_PUBLICATION_MATCHED_STATUS), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataWriter_get_listener(w), &elsewhere);
  ASSERT_EQ(subscriber_->delete_datareader(r), ZORVEX::RETCODE_OK);
  {
    std::lock_guard<std::mutex> g(heard.lock);
    EXPECT_EQ(heard.other, 1);
    EXPECT_EQ(heard.statuses.size(), 1u);
  }

  // Not in the mask: not called.
  EXPECT_EQ(DDS_DataWriter_set_listener(w, &listener, DDS_STATUS_MASK_NONE), DDS_RETCODE_OK);
  reader();
  std::lock_guard<std::mutex> g(heard.lock);
  EXPECT_EQ(heard.statuses.size(), 1u);
}

TEST_F(WriterListeners, ANullRecordOrFieldCallsNothing) {
  DDS_DataWriter* w = DDS_Publisher_create_datawriter(publisher_, topic_, nullptr, nullptr, DDS_STATUS_MASK_ALL);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(DDS_DataWriter_get_listener(w), nullptr);
  DDS_DataWriterListener empty{};
  DDS_DataWriter* quiet = DDS_Publisher_create_datawriter(publisher_, topic_, nullptr, &empty, DDS_STATUS_MASK_ALL);
  EXPECT_EQ(DDS_DataWriter_get_listener(quiet), &empty);
  reader();  // matches both, calls nothing
  std::lock_guard<std::mutex> g(heard.lock);
  EXPECT_TRUE(heard.statuses.empty());
}

TEST_F(WriterListeners, ThePublishersOwnListenerFunctionsAnswerConstants) {
  DDS_PublisherListener listener{};
  listener.on_publication_matched = on_matched;
  EXPECT_EQ(DDS_Publisher_set_listener(publisher_, &listener, DDS_STATUS_MASK_ALL), DDS_RETCODE_UNSUPPORTED);
  EXPECT_EQ(DDS_Publisher_get_listener(publisher_), nullptr);
  writer();
  reader();
  std::lock_guard<std::mutex> g(heard.lock);
  EXPECT_TRUE(heard.statuses.empty());  // nothing was installed
}

TEST_F(Writers, PublicationControlPassesTheCoresAnswers) {
  EXPECT_EQ(DDS_Publisher_resume_publications(publisher_), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_Publisher_suspend_publications(publisher_), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Publisher_resume_publications(publisher_), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Publisher_end_coherent_changes(publisher_), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_Publisher_begin_coherent_changes(publisher_), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Publisher_end_coherent_changes(publisher_), DDS_RETCODE_OK);
}

}  // namespace
