/* The factory, participant and topic functions from a C program: a
 * participant, a registered type, topics made, found, looked up and deleted,
 * a content-filtered topic, QoS set and read back, the QoS default
 * sentinel, listeners and the clock. */
#include <stddef.h>
#include <string.h>

#include <quillmarc/dds_c.h>

#include "check.h"

typedef struct Reading {
  DDS_Long sensor; /* the key */
  DDS_Double value;
} Reading;

static int inconsistent_calls = 0;

static void on_inconsistent(DDS_Topic* topic, DDS_InconsistentTopicStatus* status) {
  (void)topic;
  inconsistent_calls += status->total_count;
}

static DDS_DomainParticipant* participant_on(DDS_DomainId_t domain, const DDS_DomainParticipantListener* listener) {
  return DDS_DomainParticipantFactory_create_participant(DDS_DomainParticipantFactory_get_instance(), domain,
                                                         DDS_DOMAINPARTICIPANT_QOS_DEFAULT, listener,
                                                         DDS_STATUS_MASK_NONE);
}

static void factory_and_participant(void) {
  DDS_DomainParticipantFactory* factory = DDS_DomainParticipantFactory_get_instance();
  DDS_DomainParticipant* participant;
  DDS_DomainParticipantQos qos;
  DDS_DomainParticipantFactoryQos factory_qos;
  DDS_Time_t now = {0, 0};
  unsigned char byte = 42;

  CHECK(factory != NULL && factory == DDS_DomainParticipantFactory_get_instance());
  CHECK(DDS_DomainParticipantFactory_finalize_instance() == DDS_RETCODE_UNSUPPORTED);
  CHECK(DDS_DomainParticipantFactory_get_qos(factory, &factory_qos) == DDS_RETCODE_OK);
  CHECK(factory_qos.entity_factory.autoenable_created_entities == 1);

  participant = participant_on(31, NULL);
  CHECK(participant != NULL);
  CHECK(DDS_DomainParticipantFactory_lookup_participant(factory, 31) == participant);
  CHECK(DDS_DomainParticipant_get_domain_id(participant) == 31);
  CHECK(DDS_DomainParticipant_get_listener(participant) == NULL);

  DDS_DomainParticipantQos_initialize(&qos);
  DDS_UCharSequence_push_back(&qos.user_data.value, &byte);
  CHECK(DDS_DomainParticipant_set_qos(participant, &qos) == DDS_RETCODE_OK);
  DDS_DomainParticipantQos_finalize(&qos);
  DDS_DomainParticipantQos_initialize(&qos);
  CHECK(DDS_DomainParticipant_get_qos(participant, &qos) == DDS_RETCODE_OK);
  CHECK(DDS_UCharSequence_size(&qos.user_data.value) == 1);
  CHECK(*DDS_UCharSequence_at(&qos.user_data.value, 0) == 42);
  DDS_DomainParticipantQos_finalize(&qos);

  CHECK(DDS_DomainParticipant_get_current_time(participant, &now) == DDS_RETCODE_OK);
  CHECK(now.sec > 0 && now.nanosec < 1000000000u);
  CHECK(DDS_DomainParticipant_get_discovered_participants(participant, NULL) == DDS_RETCODE_UNSUPPORTED);

  CHECK(DDS_DomainParticipantFactory_delete_participant(factory, participant) == DDS_RETCODE_OK);
  CHECK(DDS_DomainParticipantFactory_lookup_participant(factory, 31) == NULL);
}

static void types_and_topics(void) {
  DDS_DomainParticipantFactory* factory = DDS_DomainParticipantFactory_get_instance();
  const ZORVEX_TypeDescriptor type = ZORVEX_KEYED_TYPE(Reading, sensor);
  DDS_DomainParticipant* participant = participant_on(32, NULL);
  DDS_DomainParticipant* other;
  DDS_DomainParticipantListener other_listener;
  DDS_Topic* topic;
  DDS_TopicDescription* description;
  DDS_ContentFilteredTopic* filtered;
  DDS_CStringSequence* parameters = DDS_CStringSequence_create();
  DDS_CString* parameter = DDSCString_from_cstr("7");
  DDS_TopicQos qos;
  DDS_TopicListener listener;
  DDS_InconsistentTopicStatus status = {-1, -1};
  const DDS_Duration_t no_wait = {0, 0};
  const ZORVEX_TypeDescriptor other_type = {64, 0, 4};

  CHECK(DDS_DomainParticipant_registe_type(participant, "Reading", &type) == DDS_RETCODE_OK);

  memset(&listener, 0, sizeof listener);
  listener.on_inconsistent_topic = on_inconsistent;
  DDS_TopicQos_initialize(&qos);
  qos.reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
  qos.history.depth = 4;
  topic = DDS_DomainParticipant_create_topic(participant, "Readings", "Reading", &qos, &listener,
                                             DDS_INCONSISTENT_TOPIC_STATUS);
  DDS_TopicQos_finalize(&qos);
  CHECK(topic != NULL);
  CHECK(DDS_Topic_get_listener(topic) == &listener);
  DDS_TopicQos_initialize(&qos);
  CHECK(DDS_Topic_get_qos(topic, &qos) == DDS_RETCODE_OK);
  CHECK(qos.reliability.kind == DDS_RELIABLE_RELIABILITY_QOS && qos.history.depth == 4);
  DDS_TopicQos_finalize(&qos);

  description = DDS_Topic_as_topicdescription(topic);
  CHECK(strcmp(DDS_TopicDescription_get_name(description), "Readings") == 0);
  CHECK(strcmp(DDS_TopicDescription_get_type_name(description), "Reading") == 0);
  CHECK(DDS_TopicDescription_get_participant(description) == participant);
  CHECK(DDS_DomainParticipant_lookup_topicdescription(participant, "Readings") == description);
  CHECK(DDS_DomainParticipant_find_topic(participant, "Readings", &no_wait) == topic);
  CHECK(DDS_DomainParticipant_delete_topic(participant, topic) == DDS_RETCODE_OK); /* the one found */

  DDS_CStringSequence_push_back(parameters, parameter);
  filtered = DDS_DomainParticipant_create_contentfilteredtopic(participant, "Filtered", topic, "sensor > %0",
                                                               parameters);
  CHECK(filtered != NULL);
  CHECK(DDS_ContentFilterTopic_get_related_topic(filtered) == topic);
  DDS_CStringSequence_clear(parameters);
  CHECK(DDS_ContentFilteredTopic_get_expression_parameters(filtered, parameters) == DDS_RETCODE_OK);
  CHECK(DDS_CStringSequence_size(parameters) == 1);
  CHECK(strcmp(DDSCString_c_str(DDS_CStringSequence_at(parameters, 0)), "7") == 0);
  CHECK(DDS_DomainParticipant_delete_contentfilteredtopic(participant, filtered) == DDS_RETCODE_OK);

  /* Another participant of the domain calls another layout "Reading". */
  memset(&other_listener, 0, sizeof other_listener);
  other = participant_on(32, &other_listener);
  CHECK(DDS_DomainParticipant_get_listener(other) == &other_listener);
  CHECK(DDS_DomainParticipant_registe_type(other, "Reading", &other_type) == DDS_RETCODE_OK);
  CHECK(DDS_DomainParticipant_create_topic(other, "Readings", "Reading", DDS_TOPIC_QOS_DEFAULT, NULL, 0) != NULL);
  CHECK(inconsistent_calls == 1);
  CHECK(DDS_Topic_get_inconsistent_topic_status(topic, &status) == DDS_RETCODE_OK);
  CHECK(status.total_count == 1 && status.total_count_change == 0);

  CHECK(DDS_DomainParticipantFactory_delete_participant(factory, participant) == DDS_RETCODE_PRECONDITION_NOT_MET);
  CHECK(DDS_DomainParticipant_delete_contained_entities(participant) == DDS_RETCODE_OK);
  CHECK(DDS_DomainParticipant_lookup_topicdescription(participant, "Readings") == NULL);
  CHECK(DDS_DomainParticipantFactory_delete_participant(factory, participant) == DDS_RETCODE_OK);
  CHECK(DDS_DomainParticipant_delete_contained_entities(other) == DDS_RETCODE_OK);
  CHECK(DDS_DomainParticipantFactory_delete_participant(factory, other) == DDS_RETCODE_OK);

  DDSCString_destroy(parameter);
  DDS_CStringSequence_destroy(parameters);
}

static void default_qos(void) {
  DDS_DomainParticipantFactory* factory = DDS_DomainParticipantFactory_get_instance();
  DDS_DomainParticipant* participant = participant_on(33, NULL);
  DDS_PublisherQos publisher_qos;
  DDS_SubscriberQos subscriber_qos;
  DDS_TopicQos topic_qos;
  DDS_Publisher* publisher;

  DDS_PublisherQos_initialize(&publisher_qos);
  publisher_qos.entity_factory.autoenable_created_entities = 0;
  CHECK(DDS_DomainParticipant_set_default_publisher_qos(participant, &publisher_qos) == DDS_RETCODE_OK);
  publisher_qos.entity_factory.autoenable_created_entities = 1;
  CHECK(DDS_DomainParticipant_get_default_publisher_qos(participant, &publisher_qos) == DDS_RETCODE_OK);
  CHECK(publisher_qos.entity_factory.autoenable_created_entities == 0);
  publisher = DDS_DomainParticipant_create_publisher(participant, DDS_PUBLISHER_QOS_DEFAULT, NULL, 0);
  CHECK(publisher != NULL);
  CHECK(DDS_DomainParticipant_delete_publisher(participant, publisher) == DDS_RETCODE_OK);
  DDS_PublisherQos_finalize(&publisher_qos);

  DDS_SubscriberQos_initialize(&subscriber_qos);
  subscriber_qos.presentation.access_scope = DDS_GROUP_PRESENTATION_QOS;
  CHECK(DDS_DomainParticipant_set_default_subscriber_qos(participant, &subscriber_qos) == DDS_RETCODE_OK);
  DDS_SubscriberQos_finalize(&subscriber_qos);
  DDS_SubscriberQos_initialize(&subscriber_qos);
  CHECK(DDS_DomainParticipant_get_default_subscriber_qos(participant, &subscriber_qos) == DDS_RETCODE_OK);
  CHECK(subscriber_qos.presentation.access_scope == DDS_GROUP_PRESENTATION_QOS);
  DDS_SubscriberQos_finalize(&subscriber_qos);

  DDS_TopicQos_initialize(&topic_qos);
  topic_qos.durability.kind = DDS_TRANSIENT_LOCAL_DURABILITY_QOS;
  CHECK(DDS_DomainParticipant_set_default_topic_qos(participant, &topic_qos) == DDS_RETCODE_OK);
  DDS_TopicQos_finalize(&topic_qos);
  DDS_TopicQos_initialize(&topic_qos);
  CHECK(DDS_DomainParticipant_get_default_topic_qos(participant, &topic_qos) == DDS_RETCODE_OK);
  CHECK(topic_qos.durability.kind == DDS_TRANSIENT_LOCAL_DURABILITY_QOS);
  DDS_TopicQos_finalize(&topic_qos);

  CHECK(DDS_DomainParticipantFactory_delete_participant(factory, participant) == DDS_RETCODE_OK);
}

int main(void) {
  factory_and_participant();
  types_and_topics();
  default_qos();
  return check_failures;
}
