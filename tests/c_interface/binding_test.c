/* The binding's records as a C program sees them: layouts, initialising and
 * releasing QoS and built-in topic data records, listener records, the
 * entity sequences and the casts. */
#include <stddef.h>
#include <string.h>

#include <quillmarc/dds_c.h>

#include "check.h"

static void on_data(DDS_DataReader* reader) { (void)reader; }

static void layouts(void) {
  CHECK(sizeof(DDS_InstanceHandle_t) == 17);
  CHECK(offsetof(DDS_InstanceHandle_t, valid) == 16);
  CHECK(sizeof(DDS_SampleInfo) == 92);
  CHECK(offsetof(DDS_SampleInfo, reserved_0) == 56);
  CHECK(offsetof(DDS_SampleInfo, valid_data) == 88);
  CHECK(sizeof(DDS_Duration_t) == 8 && sizeof(DDS_Time_t) == 8);
  CHECK(sizeof(DDS_TopicQos) == 120 && offsetof(DDS_TopicQos, reliability) == 68);
  CHECK(sizeof(DDS_DataWriterQos) == 136 && offsetof(DDS_DataWriterQos, user_data) == 112);
  CHECK(sizeof(DDS_DataReaderQos) == 112);
  CHECK(sizeof(DDS_PublisherQos) == 32 && sizeof(DDS_SubscriberQos) == 32);
  CHECK(sizeof(DDS_DataReaderListener) == 8 * sizeof(void*));
  CHECK(offsetof(DDS_SubscriberListener, on_data_on_readers) == 8 * sizeof(void*));
  CHECK(sizeof(DDS_ReliabilityQosPolicyKind) == 4);
  CHECK(DDS_HANDLE_NIL.valid == 0 && DDS_HANDLE_NIL.value[15] == 0);
}

static void qos_records(void) {
  DDS_DataWriterQos writer;
  DDS_PublisherQos publisher;
  DDS_CString* name = DDSCString_from_cstr("partition");
  unsigned char byte = 7;

  memset(&writer, 0xA5, sizeof writer);
  DDS_DataWriterQos_initialize(&writer);
  CHECK(writer.reliability.kind == DDS_RELIABLE_RELIABILITY_QOS);
  CHECK(writer.reliability.max_blocking_time.sec == 0);
  CHECK(writer.reliability.max_blocking_time.nanosec == 100000000u);
  CHECK(writer.writer_data_lifecycle.autodispose_unregistered_instances == 1);
  CHECK(writer.resource_limits.max_samples == DDS_LENGTH_UNLIMITED);
  CHECK(DDS_UCharSequence_empty(&writer.user_data.value));
  DDS_UCharSequence_push_back(&writer.user_data.value, &byte);
  DDS_DataWriterQos_finalize(&writer);

  DDS_PublisherQos_initialize(&publisher);
  CHECK(publisher.entity_factory.autoenable_created_entities == 1);
  DDS_CStringSequence_push_back(&publisher.partition.name, name);
  CHECK(DDS_CStringSequence_size(&publisher.partition.name) == 1);
  DDS_PublisherQos_finalize(&publisher);
  DDSCString_destroy(name);

  CHECK(DDS_PUBLISHER_QOS_DEFAULT == NULL && DDS_DATAREADER_QOS_DEFAULT == NULL);
}

static void builtin_records(void) {
  DDS_PublicationBuiltinTopicData data;
  memset(&data, 0x5A, sizeof data);
  DDS_PublicationBuiltinTopicData_initialize(&data);
  CHECK(DDSCString_empty(&data.topic_name));
  CHECK(DDS_CStringSequence_empty(&data.partition.name));
  CHECK(data.key.value[0] == 0 && data.participant_key.value[2] == 0);
  DDSCString_assign_cstr(&data.type_name, "Reading");
  DDS_PublicationBuiltinTopicData_finalize(&data);
}

static void listeners_and_sequences(void) {
  DDS_DataReaderListener listener;
  DDS_SampleInfoSequence* infos = DDS_SampleInfoSequence_create_with_size(3);
  DDS_InstanceHandle_tSequence* handles = DDS_InstanceHandle_tSequence_create();
  DDS_ConditionSequence* conditions = DDS_ConditionSequence_create_with_size(2);
  DDS_InstanceHandle_t h = DDS_HANDLE_NIL;

  memset(&listener, 0, sizeof listener);
  listener.on_data_available = on_data;
  CHECK(listener.on_sample_lost == NULL);

  CHECK(DDS_SampleInfoSequence_size(infos) == 3);
  CHECK(DDS_SampleInfoSequence_at(infos, 2)->valid_data == 0);
  CHECK(DDS_SampleInfoSequence_max_size(infos) == 0x01642c8590b21642);
  h.value[0] = 9;
  DDS_InstanceHandle_tSequence_push_back_value(handles, h);
  CHECK(DDS_InstanceHandle_tSequence_front(handles)->value[0] == 9);
  CHECK(DDS_InstanceHandle_tSequence_max_size(handles) == 0x0787878787878787);
  CHECK(*DDS_ConditionSequence_at(conditions, 1) == NULL);

  DDS_ConditionSequence_destroy(conditions);
  DDS_InstanceHandle_tSequence_destroy(handles);
  DDS_SampleInfoSequence_destroy(infos);
}

static void casts(void) {
  CHECK(DDS_DomainParticipant_as_entity(NULL) == NULL);
  CHECK(DDS_Publisher_as_entity(NULL) == NULL);
  CHECK(DDS_Subscriber_as_entity(NULL) == NULL);
  CHECK(DDS_Topic_as_entity(NULL) == NULL);
  CHECK(DDS_Topic_as_topicdescription(NULL) == NULL);
}

int main(void) {
  layouts();
  qos_records();
  builtin_records();
  listeners_and_sequences();
  casts();
  return check_failures;
}
