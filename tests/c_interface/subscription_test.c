/* The subscriber, data reader, condition and wait-set functions as a C
 * program calls them: readers made and deleted, samples taken and read with
 * their values and sample information and given back, a reader listener
 * taking inside its callback, QoS records in and out, conditions, and
 * wait-sets woken from another thread or timing out. */
#define _POSIX_C_SOURCE 200809L

#include <pthread.h>
#include <string.h>
#include <time.h>

#include <quillmarc/dds_c.h>

#include "check.h"
#include "subscription_stand_in.h"

static void sleep_ms(long ms) {
  struct timespec t;
  t.tv_sec = 0;
  t.tv_nsec = ms * 1000000L;
  nanosleep(&t, NULL);
}

/* Takes every sample; answers how many, their values in `values`. */
static int take_values(DDS_DataReader* reader, DDS_Long* values, int max) {
  DDS_SampleSequence* data = DDS_SampleSequence_create();
  DDS_SampleInfoSequence* infos = DDS_SampleInfoSequence_create();
  int n = 0;
  size_t i;
  if (DDS_DataReader_take(reader, data, infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                          DDS_ANY_INSTANCE_STATE) == DDS_RETCODE_OK) {
    CHECK(DDS_SampleSequence_size(data) == DDS_SampleInfoSequence_size(infos));
    for (i = 0; i < DDS_SampleInfoSequence_size(infos); ++i) {
      const struct Reading* r = *DDS_SampleSequence_at(data, i);
      if (n < max) values[n] = DDS_SampleInfoSequence_at(infos, i)->valid_data ? r->value : -1;
      ++n;
    }
    CHECK(DDS_DataReader_return_loan(reader, data, infos) == DDS_RETCODE_OK);
  }
  DDS_SampleSequence_destroy(data);
  DDS_SampleInfoSequence_destroy(infos);
  return n;
}

static int available_calls = 0;
static DDS_DataReader* available_reader = NULL;
static DDS_Long available_values[8];
static int available_count = 0;

static void on_data_available(DDS_DataReader* reader) {
  ++available_calls;
  available_reader = reader;
  available_count += take_values(reader, available_values + available_count, 8 - available_count);
}

static void subscriber_records(DDS_Subscriber* subscriber) {
  DDS_SubscriberQos qos;
  DDS_DataReaderQos reader_qos;
  DDS_TopicQos topic_qos;

  DDS_SubscriberQos_initialize(&qos);
  CHECK(DDS_Subscriber_get_qos(subscriber, &qos) == DDS_RETCODE_OK);
  DDS_UCharSequence_push_back_value(&qos.group_data.value, 7);
  CHECK(DDS_Subscriber_set_qos(subscriber, &qos) == DDS_RETCODE_OK);
  DDS_UCharSequence_clear(&qos.group_data.value);
  CHECK(DDS_Subscriber_get_qos(subscriber, &qos) == DDS_RETCODE_OK);
  CHECK(DDS_UCharSequence_size(&qos.group_data.value) == 1);
  CHECK(*DDS_UCharSequence_at(&qos.group_data.value, 0) == 7);
  DDS_SubscriberQos_finalize(&qos);

  DDS_DataReaderQos_initialize(&reader_qos);
  DDS_TopicQos_initialize(&topic_qos);
  topic_qos.history.kind = DDS_KEEP_ALL_HISTORY_QOS;
  topic_qos.reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
  DDS_UCharSequence_push_back_value(&reader_qos.user_data.value, 3);
  CHECK(DDS_Subscriber_copy_from_topic_qos(subscriber, &reader_qos, &topic_qos) == DDS_RETCODE_OK);
  CHECK(reader_qos.history.kind == DDS_KEEP_ALL_HISTORY_QOS);
  CHECK(DDS_UCharSequence_size(&reader_qos.user_data.value) == 1); /* a reader policy: kept */
  CHECK(DDS_Subscriber_set_default_datareader_qos(subscriber, &reader_qos) == DDS_RETCODE_OK);
  reader_qos.history.kind = DDS_KEEP_LAST_HISTORY_QOS;
  CHECK(DDS_Subscriber_get_default_datareader_qos(subscriber, &reader_qos) == DDS_RETCODE_OK);
  CHECK(reader_qos.history.kind == DDS_KEEP_ALL_HISTORY_QOS);
  CHECK(reader_qos.reliability.kind == DDS_RELIABLE_RELIABILITY_QOS);
  DDS_TopicQos_finalize(&topic_qos);
  DDS_DataReaderQos_finalize(&reader_qos);

  CHECK(DDS_Subscriber_begin_access(subscriber) == DDS_RETCODE_UNSUPPORTED);
  CHECK(DDS_Subscriber_end_access(subscriber) == DDS_RETCODE_UNSUPPORTED);
}

/* Samples read and taken with their states, the next-sample operations. */
static void samples(DDS_Subscriber* subscriber, DDS_DataReader* reader) {
  DDS_SampleSequence* data = DDS_SampleSequence_create();
  DDS_SampleInfoSequence* infos = DDS_SampleInfoSequence_create_with_size(5);
  DDS_DataReaderSequence* readers = DDS_DataReaderSequence_create();
  struct Reading next;
  DDS_SampleInfo info;
  DDS_Long values[8];

  CHECK(subscription_stand_in_write(1, 10) == 0);
  CHECK(subscription_stand_in_write(2, 20) == 0);
  CHECK(DDS_Subscriber_get_datareaders(subscriber, readers, DDS_NOT_READ_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                       DDS_ANY_INSTANCE_STATE) == DDS_RETCODE_OK);
  CHECK(DDS_DataReaderSequence_size(readers) == 1 && *DDS_DataReaderSequence_at(readers, 0) == (void*)reader);

  CHECK(DDS_DataReader_read(reader, data, infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                            DDS_ANY_INSTANCE_STATE) == DDS_RETCODE_OK);
  CHECK(DDS_SampleInfoSequence_size(infos) == 2 && DDS_SampleSequence_size(data) == 2);
  if (DDS_SampleSequence_size(data) == 2) {
    const struct Reading* second = *DDS_SampleSequence_at(data, 1);
    CHECK(second->sensor == 2 && second->value == 20);
    CHECK(DDS_SampleInfoSequence_at(infos, 1)->sample_state == DDS_NOT_READ_SAMPLE_STATE);
    CHECK(DDS_SampleInfoSequence_at(infos, 1)->valid_data == 1);
  }
  CHECK(DDS_Subscriber_delete_datareader(subscriber, reader) == DDS_RETCODE_PRECONDITION_NOT_MET);
  CHECK(DDS_DataReader_return_loan(reader, data, infos) == DDS_RETCODE_OK);
  CHECK(DDS_SampleSequence_size(data) == 0);
  CHECK(DDS_DataReader_read(reader, data, infos, DDS_LENGTH_UNLIMITED, DDS_NOT_READ_SAMPLE_STATE,
                            DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE) == DDS_RETCODE_NO_DATA);
  CHECK(DDS_SampleInfoSequence_size(infos) == 0);

  CHECK(subscription_stand_in_write(3, 30) == 0);
  memset(&next, 0, sizeof next);
  CHECK(DDS_DataReader_read_next_sample(reader, &next, &info) == DDS_RETCODE_OK);
  CHECK(next.value == 30 && info.valid_data == 1);
  CHECK(DDS_DataReader_take_next_sample(reader, &next, &info) == DDS_RETCODE_NO_DATA);

  CHECK(subscription_stand_in_dispose(1) == 0);
  CHECK(DDS_DataReader_take(reader, data, infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                            DDS_NOT_ALIVE_DISPOSED_INSTANCE_STATE) == DDS_RETCODE_OK);
  CHECK(DDS_SampleInfoSequence_size(infos) >= 1);
  CHECK(DDS_SampleInfoSequence_size(infos) >= 1 &&
        DDS_SampleInfoSequence_back(infos)->instance_state == DDS_NOT_ALIVE_DISPOSED_INSTANCE_STATE);
  CHECK(DDS_DataReader_return_loan(reader, data, infos) == DDS_RETCODE_OK);
  CHECK(take_values(reader, values, 8) == 2 && values[0] == 20 && values[1] == 30);

  DDS_DataReaderSequence_destroy(readers);
  DDS_SampleInfoSequence_destroy(infos);
  DDS_SampleSequence_destroy(data);
}

static void conditions(DDS_Subscriber* subscriber, DDS_DataReader* reader) {
  DDS_ReadCondition* fresh =
      DDS_DataReader_create_readcondition(reader, DDS_NOT_READ_SAMPLE_STATE, DDS_ANY_VIEW_STATE, 0x8001);
  DDS_CStringSequence* parameters = DDS_CStringSequence_create();
  DDS_ReadCondition* query;
  DDS_GuardCondition* guard = DDS_GuardCondition_new();
  DDS_StatusCondition* status = DDS_Entity_get_statuscondition(DDS_Subscriber_as_entity(subscriber));

  CHECK(fresh != NULL);
  CHECK(DDS_ReadCondition_get_instance_state_mask(fresh) == 0x8001);
  CHECK(DDS_ReadCondition_get_datareader(fresh) == reader);
  CHECK(DDS_ReadCondition_get_trigger_value(fresh) == 0);
  CHECK(DDS_Condition_as_read_condition(DDS_ReadCondition_as_condition(fresh)) == fresh);
  CHECK(DDS_Condition_as_guard_condition(DDS_ReadCondition_as_condition(fresh)) == NULL);

  query = DDS_DataReader_create_querycondition(reader, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                               DDS_ANY_INSTANCE_STATE, "value > 0", parameters);
  CHECK(query != NULL);
  CHECK(DDS_DataReader_delete_readcondition(reader, query) == DDS_RETCODE_OK);
  DDS_CStringSequence_destroy(parameters);

  CHECK(DDS_GuardCondition_get_trigger_value(guard) == 0);
  CHECK(DDS_GuardCondition_set_trigger_value(guard, 2) == DDS_RETCODE_OK);
  CHECK(DDS_GuardCondition_get_trigger_value(guard) == 1);
  CHECK(DDS_Condition_as_guard_condition(DDS_GuardCondition_as_condition(guard)) == guard);
  CHECK(DDS_Condition_as_status_condition(DDS_GuardCondition_as_condition(guard)) == NULL);
  DDS_GuardCondition_delete(guard);
  DDS_GuardCondition_delete(NULL);

  CHECK(status != NULL);
  CHECK(DDS_StatusCondition_get_entity(status) == DDS_Subscriber_as_entity(subscriber));
  CHECK(DDS_StatusCondition_set_enabled_statuses(status, DDS_DATA_ON_READERS_STATUS) == DDS_RETCODE_OK);
  CHECK(DDS_StatusCondition_get_enabled_statuses(status) == DDS_DATA_ON_READERS_STATUS);
  CHECK(DDS_Condition_as_status_condition(DDS_StatusCondition_as_condition(status)) == status);

  CHECK(DDS_Subscriber_delete_datareader(subscriber, reader) == DDS_RETCODE_PRECONDITION_NOT_MET);
  CHECK(DDS_DataReader_delete_readcondition(reader, fresh) == DDS_RETCODE_OK);
}

static void* set_guard_later(void* guard) {
  sleep_ms(20);
  DDS_GuardCondition_set_trigger_value((DDS_GuardCondition*)guard, 1);
  return NULL;
}

static void* write_later(void* unused) {
  (void)unused;
  sleep_ms(20);
  subscription_stand_in_write(5, 50);
  return NULL;
}

/* The wait-set through its C names. */
static void waitsets(DDS_DataReader* reader) {
  DDS_WaitSet* waitset = DDS_WaitSet_new();
  DDS_GuardCondition* guard = DDS_GuardCondition_new();
  DDS_ReadCondition* fresh =
      DDS_DataReader_create_readcondition(reader, DDS_NOT_READ_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                          DDS_ANY_INSTANCE_STATE);
  DDS_ConditionSequence* active = DDS_ConditionSequence_create_with_size(2);
  DDS_ConditionSequence* attached = DDS_ConditionSequence_create();
  DDS_Duration_t forever = {DDS_DURATION_INFINITE_SEC, DDS_DURATION_INFINITE_NSEC};
  DDS_Duration_t brief = {0, 30000000};
  DDS_Long values[4];
  pthread_t thread;

  CHECK(waitset != NULL);
  CHECK(DDS_WaitSet_attach_condition(waitset, DDS_GuardCondition_as_condition(guard)) == DDS_RETCODE_OK);
  CHECK(DDS_WaitSet_attach_condition(waitset, DDS_ReadCondition_as_condition(fresh)) == DDS_RETCODE_OK);
  CHECK(DDS_WaitSet_get_conditions(waitset, attached) == DDS_RETCODE_OK);
  CHECK(DDS_ConditionSequence_size(attached) == 2);
  CHECK(*DDS_ConditionSequence_at(attached, 0) == (void*)guard);
  CHECK(*DDS_ConditionSequence_at(attached, 1) == (void*)fresh);

  /* Nothing triggers: a time-out, with no condition. */
  CHECK(DDS_WaitSet_wait(waitset, active, &brief) == DDS_RETCODE_TIMEOUT);
  CHECK(DDS_ConditionSequence_size(active) == 0);

  /* A guard set from another thread wakes the waiter. */
  CHECK(pthread_create(&thread, NULL, set_guard_later, guard) == 0);
  CHECK(DDS_WaitSet_wait(waitset, active, &forever) == DDS_RETCODE_OK);
  pthread_join(thread, NULL);
  CHECK(DDS_ConditionSequence_size(active) == 1 && *DDS_ConditionSequence_at(active, 0) == (void*)guard);
  CHECK(DDS_GuardCondition_set_trigger_value(guard, 0) == DDS_RETCODE_OK);

  /* So do samples another thread writes. */
  CHECK(pthread_create(&thread, NULL, write_later, NULL) == 0);
  CHECK(DDS_WaitSet_wait(waitset, active, &forever) == DDS_RETCODE_OK);
  pthread_join(thread, NULL);
  CHECK(DDS_ConditionSequence_size(active) == 1 && *DDS_ConditionSequence_at(active, 0) == (void*)fresh);
  CHECK(take_values(reader, values, 4) == 1 && values[0] == 50);

  CHECK(DDS_WaitSet_detach_condition(waitset, DDS_ReadCondition_as_condition(fresh)) == DDS_RETCODE_OK);
  CHECK(DDS_WaitSet_detach_condition(waitset, DDS_ReadCondition_as_condition(fresh)) ==
        DDS_RETCODE_PRECONDITION_NOT_MET);
  CHECK(DDS_DataReader_delete_readcondition(reader, fresh) == DDS_RETCODE_OK);
  DDS_WaitSet_delete(waitset);
  DDS_WaitSet_delete(NULL);
  DDS_GuardCondition_delete(guard);
  DDS_ConditionSequence_destroy(attached);
  DDS_ConditionSequence_destroy(active);
}

int main(void) {
  DDS_Subscriber* subscriber = NULL;
  DDS_TopicDescription* topic = NULL;
  DDS_DataReaderListener listener;
  DDS_DataReader* reader;
  DDS_SubscriptionMatchedStatus matched;
  DDS_DataReaderQos qos;

  if (subscription_stand_in_open(&subscriber, &topic) != 0) {
    fprintf(stderr, "the stand-in core could not be set up\n");
    return 1;
  }
  subscriber_records(subscriber);

  memset(&listener, 0, sizeof listener);
  listener.on_data_available = on_data_available;
  reader = DDS_Subscriber_create_datareader(subscriber, topic, DDS_DATAREADER_QOS_DEFAULT, &listener,
                                            DDS_DATA_AVAILABLE_STATUS);
  CHECK(reader != NULL);
  CHECK(DDS_DataReader_get_listener(reader) == &listener);
  CHECK(DDS_Subscriber_lookup_datareader(subscriber, "Readings") == reader);
  CHECK(DDS_DataReader_get_topicdescription(reader) == topic);
  CHECK(DDS_DataReader_get_subscriber(reader) == subscriber);
  DDS_DataReaderQos_initialize(&qos);
  CHECK(DDS_DataReader_get_qos(reader, &qos) == DDS_RETCODE_OK);
  CHECK(qos.history.kind == DDS_KEEP_ALL_HISTORY_QOS); /* the default set above */
  DDS_DataReaderQos_finalize(&qos);
  CHECK(DDS_DataReader_get_subscription_matched_status(reader, &matched) == DDS_RETCODE_OK);
  CHECK(matched.current_count == 1);

  /* The listener takes inside its callback. */
  CHECK(subscription_stand_in_write(7, 70) == 0);
  CHECK(subscription_stand_in_write(8, 80) == 0);
  CHECK(available_calls == 2 && available_reader == reader);
  CHECK(available_count == 2 && available_values[0] == 70 && available_values[1] == 80);
  CHECK(DDS_DataReader_set_listener(reader, NULL, DDS_STATUS_MASK_NONE) == DDS_RETCODE_OK);
  CHECK(DDS_DataReader_get_listener(reader) == NULL);

  samples(subscriber, reader);
  conditions(subscriber, reader);
  waitsets(reader);

  CHECK(DDS_Subscriber_delete_datareader(subscriber, reader) == DDS_RETCODE_OK);
  CHECK(DDS_Subscriber_lookup_datareader(subscriber, "Readings") == NULL);
  CHECK(DDS_Subscriber_create_datareader(subscriber, topic, NULL, NULL, 0) != NULL);
  CHECK(DDS_Subscriber_delete_contained_entities(subscriber) == DDS_RETCODE_OK);
  CHECK(subscription_stand_in_close() == 0);
  return check_failures;
}
