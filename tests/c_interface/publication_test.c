/* The publisher and data writer functions as a C program calls them: writers
 * made and deleted, samples written with and without handles and timestamps,
 * instances, QoS records in and out, statuses, matched subscriptions and a
 * writer listener. */
#include <string.h>

#include <quillmarc/dds_c.h>

#include "check.h"
#include "publication_stand_in.h"

static int matched_calls = 0;
static DDS_Long matched_current = -1;
static DDS_DataWriter* matched_writer = NULL;

static void on_matched(DDS_DataWriter* writer, DDS_PublicationMatchedStatus* status) {
  ++matched_calls;
  matched_writer = writer;
  matched_current = status->current_count;
}

static void publisher_records(DDS_Publisher* publisher) {
  DDS_PublisherQos qos;
  DDS_DataWriterQos writer_qos;
  DDS_TopicQos topic_qos;
  DDS_PublisherListener listener;
  DDS_CString* name = DDSCString_from_cstr("north");

  DDS_PublisherQos_initialize(&qos);
  CHECK(DDS_Publisher_get_qos(publisher, &qos) == DDS_RETCODE_OK);
  DDS_CStringSequence_push_back(&qos.partition.name, name);
  CHECK(DDS_Publisher_set_qos(publisher, &qos) == DDS_RETCODE_OK);
  DDS_CStringSequence_clear(&qos.partition.name);
  CHECK(DDS_Publisher_get_qos(publisher, &qos) == DDS_RETCODE_OK);
  CHECK(DDS_CStringSequence_size(&qos.partition.name) == 1);
  CHECK(strcmp(DDSCString_c_str(DDS_CStringSequence_at(&qos.partition.name, 0)), "north") == 0);
  DDS_CStringSequence_clear(&qos.partition.name); /* back where the readers are */
  CHECK(DDS_Publisher_set_qos(publisher, &qos) == DDS_RETCODE_OK);
  DDS_PublisherQos_finalize(&qos);
  DDSCString_destroy(name);

  DDS_DataWriterQos_initialize(&writer_qos);
  DDS_TopicQos_initialize(&topic_qos);
  topic_qos.history.kind = DDS_KEEP_ALL_HISTORY_QOS;
  topic_qos.reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
  writer_qos.ownership_strength.value = 5;
  CHECK(DDS_Publisher_copy_from_topic_qos(publisher, &writer_qos, &topic_qos) == DDS_RETCODE_OK);
  CHECK(writer_qos.history.kind == DDS_KEEP_ALL_HISTORY_QOS);
  CHECK(writer_qos.ownership_strength.value == 5);
  CHECK(DDS_Publisher_set_default_datawriter_qos(publisher, &writer_qos) == DDS_RETCODE_OK);
  writer_qos.history.kind = DDS_KEEP_LAST_HISTORY_QOS;
  CHECK(DDS_Publisher_get_default_datawriter_qos(publisher, &writer_qos) == DDS_RETCODE_OK);
  CHECK(writer_qos.history.kind == DDS_KEEP_ALL_HISTORY_QOS);
  DDS_TopicQos_finalize(&topic_qos);
  DDS_DataWriterQos_finalize(&writer_qos);

  memset(&listener, 0, sizeof listener);
  CHECK(DDS_Publisher_set_listener(publisher, &listener, DDS_STATUS_MASK_ALL) == DDS_RETCODE_UNSUPPORTED);
  CHECK(DDS_Publisher_get_listener(publisher) == NULL);
  CHECK(DDS_Publisher_suspend_publications(publisher) == DDS_RETCODE_OK);
  CHECK(DDS_Publisher_resume_publications(publisher) == DDS_RETCODE_OK);
}

static void samples(DDS_DataWriter* writer) {
  struct Reading one = {1, 10}, two = {2, 20}, key = {0, 0};
  DDS_InstanceHandle_t h = DDS_DataWriter_register_instance(writer, &one);
  DDS_InstanceHandle_t found = DDS_DataWriter_lookup_instance(writer, &one);
  DDS_Time_t stamp = {100, 5};
  DDS_Long values[8];
  DDS_ULong state = 0;

  CHECK(h.valid == 1);
  CHECK(memcmp(&h, &found, sizeof h) == 0);
  CHECK(DDS_DataWriter_write(writer, &one, &h) == DDS_RETCODE_OK);
  CHECK(DDS_DataWriter_write(writer, &two, NULL) == DDS_RETCODE_OK);
  two.value = 21;
  CHECK(DDS_DataWriter_write_w_timestamp(writer, &two, &DDS_HANDLE_NIL, &stamp) == DDS_RETCODE_OK);
  CHECK(stand_in_take(values, 8, &state) == 3);
  CHECK(values[0] == 10 && values[1] == 20 && values[2] == 21);

  CHECK(DDS_DataWriter_get_key_value(writer, &key, &h) == DDS_RETCODE_OK);
  CHECK(key.sensor == 1);
  CHECK(DDS_DataWriter_dispose(writer, &one, &h) == DDS_RETCODE_OK);
  CHECK(stand_in_take(values, 8, &state) == 1);
  CHECK(state == DDS_NOT_ALIVE_DISPOSED_INSTANCE_STATE);
  CHECK(DDS_DataWriter_unregister_instance(writer, &one, &h) == DDS_RETCODE_OK);
  CHECK(DDS_DataWriter_lookup_instance(writer, &one).valid == 0);
  CHECK(DDS_DataWriter_dispose_w_timestamp(writer, &two, NULL, &stamp) == DDS_RETCODE_OK);
  CHECK(DDS_DataWriter_unregister_instance_w_timestamp(writer, &two, NULL, &stamp) == DDS_RETCODE_OK);
  CHECK(stand_in_take(values, 8, &state) >= 1);
  CHECK(state == DDS_NOT_ALIVE_DISPOSED_INSTANCE_STATE);
}

static void matching(DDS_DataWriter* writer) {
  DDS_InstanceHandle_tSequence* handles = DDS_InstanceHandle_tSequence_create_with_size(4);
  DDS_SubscriptionBuiltinTopicData data;
  DDS_PublicationMatchedStatus status;

  CHECK(DDS_DataWriter_get_matched_subscriptions(writer, handles) == DDS_RETCODE_OK);
  CHECK(DDS_InstanceHandle_tSequence_size(handles) == 1);
  DDS_SubscriptionBuiltinTopicData_initialize(&data);
  CHECK(DDS_DataWriter_get_matched_subscription_data(writer, &data, DDS_InstanceHandle_tSequence_at(handles, 0)) ==
        DDS_RETCODE_OK);
  CHECK(strcmp(DDSCString_c_str(&data.topic_name), "Readings") == 0);
  DDS_SubscriptionBuiltinTopicData_finalize(&data);
  DDS_InstanceHandle_tSequence_destroy(handles);

  CHECK(DDS_DataWriter_get_publication_matched_status(writer, &status) == DDS_RETCODE_OK);
  CHECK(status.current_count == 1 && status.total_count == 1);
  CHECK(matched_calls == 1 && matched_writer == writer && matched_current == 1);
}

static void writer_records(DDS_DataWriter* writer) {
  DDS_DataWriterQos qos;
  DDS_LivelinessLostStatus lost;
  DDS_OfferedDeadlineMissedStatus missed;
  DDS_OfferedIncompatibleQosStatus incompatible;
  DDS_Duration_t wait = {0, 1000};
  DDS_UChar byte = 42;

  DDS_DataWriterQos_initialize(&qos);
  CHECK(DDS_DataWriter_get_qos(writer, &qos) == DDS_RETCODE_OK);
  DDS_UCharSequence_push_back(&qos.user_data.value, &byte);
  CHECK(DDS_DataWriter_set_qos(writer, &qos) == DDS_RETCODE_OK);
  DDS_UCharSequence_clear(&qos.user_data.value);
  CHECK(DDS_DataWriter_get_qos(writer, &qos) == DDS_RETCODE_OK);
  CHECK(DDS_UCharSequence_size(&qos.user_data.value) == 1);
  CHECK(*DDS_UCharSequence_at(&qos.user_data.value, 0) == 42);
  DDS_DataWriterQos_finalize(&qos);

  CHECK(DDS_DataWriter_get_liveliness_lost_status(writer, &lost) == DDS_RETCODE_OK);
  CHECK(DDS_DataWriter_get_offered_deadline_missed_status(writer, &missed) == DDS_RETCODE_OK);
  CHECK(DDS_DataWriter_get_offered_incompatible_qos_status(writer, &incompatible) == DDS_RETCODE_OK);
  CHECK(lost.total_count == 0 && missed.total_count == 0 && incompatible.total_count == 0);
  CHECK(DDS_DataWriter_wait_for_acknowledgments(writer, &wait) == DDS_RETCODE_OK);
  CHECK(DDS_DataWriter_assert_liveliness(writer) == DDS_RETCODE_OK);
}

int main(void) {
  DDS_Publisher* publisher = NULL;
  DDS_Topic* topic = NULL;
  DDS_DataWriter* writer;
  DDS_DataWriter* second;
  DDS_DataWriterListener listener;

  if (stand_in_open(&publisher, &topic) != 0) {
    fprintf(stderr, "no stand-in participant\n");
    return 1;
  }
  publisher_records(publisher);

  memset(&listener, 0, sizeof listener);
  listener.on_publication_matched = on_matched;
  writer = DDS_Publisher_create_datawriter(publisher, topic, DDS_DATAWRITER_QOS_DEFAULT, &listener,
                                           DDS_PUBLICATION_MATCHED_STATUS);
  CHECK(writer != NULL);
  CHECK(DDS_DataWriter_get_listener(writer) == &listener);
  CHECK(DDS_DataWriter_get_topic(writer) == topic);
  CHECK(DDS_DataWriter_get_publisher(writer) == publisher);
  CHECK(DDS_Publisher_lookup_datawriter(publisher, "Readings") == writer);
  stand_in_add_reader();

  samples(writer);
  matching(writer);
  writer_records(writer);

  CHECK(DDS_DataWriter_set_listener(writer, NULL, DDS_STATUS_MASK_NONE) == DDS_RETCODE_OK);
  CHECK(DDS_DataWriter_get_listener(writer) == NULL);
  CHECK(DDS_Publisher_delete_datawriter(publisher, writer) == DDS_RETCODE_OK);
  CHECK(DDS_Publisher_lookup_datawriter(publisher, "Readings") == NULL);
  second = DDS_Publisher_create_datawriter(publisher, topic, NULL, NULL, 0);
  CHECK(second != NULL);
  CHECK(DDS_Publisher_delete_contained_entities(publisher) == DDS_RETCODE_OK);
  CHECK(DDS_Publisher_lookup_datawriter(publisher, "Readings") == NULL);

  stand_in_close();
  return check_failures;
}
