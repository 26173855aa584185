/* The road of a sample through the C interface: a participant publishes
 * temperature readings of a few sensors (one instance per sensor), a reader's
 * listener takes them as they arrive, a second reader waits for them in a
 * wait-set, and disposing a sensor shows up as an instance state change. */
#include <stdio.h>
#include <string.h>

#include <quillmarc/dds_c.h>

/* The sample type; sensor_id is the key that tells the instances apart. */
typedef struct Reading {
  DDS_Long sensor_id;
  DDS_Double celsius;
  char place[16];
} Reading;

static int taken_by_listener = 0;

/* Which sensor each instance handle stands for, as learnt from its samples:
 * a disposal carries no data, only its instance handle. */
static struct {
  DDS_InstanceHandle_t handle;
  DDS_Long sensor_id;
} known[8];
static int known_count = 0;

static void remember(const DDS_InstanceHandle_t* handle, DDS_Long sensor_id) {
  int i;
  for (i = 0; i < known_count; ++i)
    if (memcmp(&known[i].handle, handle, sizeof *handle) == 0) return;
  if (known_count < 8) {
    known[known_count].handle = *handle;
    known[known_count++].sensor_id = sensor_id;
  }
}

static int sensor_of(const DDS_InstanceHandle_t* handle) {
  int i;
  for (i = 0; i < known_count; ++i)
    if (memcmp(&known[i].handle, handle, sizeof *handle) == 0) return (int)known[i].sensor_id;
  return -1;
}

static const char* instance_state_name(DDS_ULong state) {
  switch (state) {
    case DDS_ALIVE_INSTANCE_STATE: return "alive";
    case DDS_NOT_ALIVE_DISPOSED_INSTANCE_STATE: return "disposed";
    case DDS_NOT_ALIVE_NO_WRITERS_INSTANCE_STATE: return "no writers";
    default: return "?";
  }
}

/* Takes whatever the reader holds and prints it; returns the count. */
static int take_and_print(DDS_DataReader* reader, const char* who) {
  DDS_SampleSequence* samples = DDS_SampleSequence_create();
  DDS_SampleInfoSequence* infos = DDS_SampleInfoSequence_create();
  int count = 0;
  size_t i;
  if (DDS_DataReader_take(reader, samples, infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                          DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE) == DDS_RETCODE_OK) {
    for (i = 0; i < DDS_SampleInfoSequence_size(infos); ++i) {
      const DDS_SampleInfo* info = DDS_SampleInfoSequence_at(infos, i);
      const Reading* r = (const Reading*)*DDS_SampleSequence_at(samples, i);
      if (info->valid_data) {
        remember(&info->instance_handle, r->sensor_id);
        printf("  %s took sensor %d: %.1f C in the %s (%s, %s)\n", who, (int)r->sensor_id, r->celsius,
               r->place, info->view_state == DDS_NEW_VIEW_STATE ? "new instance" : "known instance",
               instance_state_name(info->instance_state));
      } else {
        printf("  %s learnt that sensor %d is %s\n", who, sensor_of(&info->instance_handle),
               instance_state_name(info->instance_state));
      }
      ++count;
    }
    DDS_DataReader_return_loan(reader, samples, infos);
  }
  DDS_SampleInfoSequence_destroy(infos);
  DDS_SampleSequence_destroy(samples);
  return count;
}

/* Runs on the writing thread, inside DDS_DataWriter_write. */
static void on_data_available(DDS_DataReader* reader) {
  taken_by_listener += take_and_print(reader, "listener");
}

static DDS_ReturnCode_t publish(DDS_DataWriter* writer, DDS_Long sensor, DDS_Double celsius,
                                const char* place) {
  Reading r;
  memset(&r, 0, sizeof r);
  r.sensor_id = sensor;
  r.celsius = celsius;
  strncpy(r.place, place, sizeof r.place - 1);
  printf("wrote sensor %d: %.1f C\n", (int)sensor, celsius);
  return DDS_DataWriter_write(writer, &r, &DDS_HANDLE_NIL);
}

/* Waits up to a fifth of a second and reports which of the two conditions woke it. */
static void wait_and_report(DDS_WaitSet* waitset, DDS_ReadCondition* data_ready, DDS_GuardCondition* stop,
                            DDS_DataReader* reader) {
  const DDS_Duration_t timeout = {0, 200000000};
  DDS_ConditionSequence* active = DDS_ConditionSequence_create();
  size_t i;
  DDS_ReturnCode_t rc = DDS_WaitSet_wait(waitset, active, &timeout);
  if (rc == DDS_RETCODE_TIMEOUT) printf("wait-set: timed out\n");
  for (i = 0; i < DDS_ConditionSequence_size(active); ++i) {
    DDS_Condition* c = (DDS_Condition*)*DDS_ConditionSequence_at(active, i);
    if (c == DDS_ReadCondition_as_condition(data_ready)) {
      printf("wait-set: the read condition triggered\n");
      take_and_print(reader, "waiter");
    } else if (c == DDS_GuardCondition_as_condition(stop)) {
      printf("wait-set: the guard condition triggered\n");
    }
  }
  DDS_ConditionSequence_destroy(active);
}

int main(void) {
  const ZORVEX_TypeDescriptor reading_type = ZORVEX_KEYED_TYPE(Reading, sensor_id);
  DDS_DomainParticipantFactory* factory = DDS_DomainParticipantFactory_get_instance();
  DDS_DomainParticipant* participant;
  DDS_Topic* topic;
  DDS_Publisher* publisher;
  DDS_Subscriber* subscriber;
  DDS_DataWriter* writer;
  DDS_DataReader* listening_reader;
  DDS_DataReader* waiting_reader;
  DDS_DataWriterQos writer_qos;
  DDS_DataReaderQos reader_qos;
  DDS_DataReaderListener listener;
  DDS_ReadCondition* data_ready;
  DDS_GuardCondition* stop;
  DDS_WaitSet* waitset;
  Reading third;
  int failures = 0;

  participant = DDS_DomainParticipantFactory_create_participant(factory, 0, DDS_DOMAINPARTICIPANT_QOS_DEFAULT,
                                                                NULL, DDS_STATUS_MASK_NONE);
  if (participant == NULL) return 1;
  DDS_DomainParticipant_registe_type(participant, "Reading", &reading_type);
  topic = DDS_DomainParticipant_create_topic(participant, "Temperatures", "Reading", DDS_TOPIC_QOS_DEFAULT,
                                             NULL, DDS_STATUS_MASK_NONE);
  printf("participant on domain %d, topic \"%s\" of type \"%s\"\n",
         (int)DDS_DomainParticipant_get_domain_id(participant),
         DDS_TopicDescription_get_name(DDS_Topic_as_topicdescription(topic)),
         DDS_TopicDescription_get_type_name(DDS_Topic_as_topicdescription(topic)));

  /* Reliable, keep-all endpoints, starting from their parents' defaults. */
  publisher = DDS_DomainParticipant_create_publisher(participant, DDS_PUBLISHER_QOS_DEFAULT, NULL,
                                                     DDS_STATUS_MASK_NONE);
  DDS_DataWriterQos_initialize(&writer_qos);
  DDS_Publisher_get_default_datawriter_qos(publisher, &writer_qos);
  writer_qos.reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
  writer_qos.history.kind = DDS_KEEP_ALL_HISTORY_QOS;
  writer = DDS_Publisher_create_datawriter(publisher, topic, &writer_qos, NULL, DDS_STATUS_MASK_NONE);
  DDS_DataWriterQos_finalize(&writer_qos);

  subscriber = DDS_DomainParticipant_create_subscriber(participant, DDS_SUBSCRIBER_QOS_DEFAULT, NULL,
                                                       DDS_STATUS_MASK_NONE);
  DDS_DataReaderQos_initialize(&reader_qos);
  DDS_Subscriber_get_default_datareader_qos(subscriber, &reader_qos);
  reader_qos.reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
  reader_qos.history.kind = DDS_KEEP_ALL_HISTORY_QOS;
  memset(&listener, 0, sizeof listener);
  listener.on_data_available = on_data_available;
  listening_reader = DDS_Subscriber_create_datareader(subscriber, DDS_Topic_as_topicdescription(topic),
                                                      &reader_qos, &listener, DDS_DATA_AVAILABLE_STATUS);
  waiting_reader = DDS_Subscriber_create_datareader(subscriber, DDS_Topic_as_topicdescription(topic),
                                                    &reader_qos, NULL, DDS_STATUS_MASK_NONE);
  DDS_DataReaderQos_finalize(&reader_qos);
  if (writer == NULL || listening_reader == NULL || waiting_reader == NULL) return 1;

  /* The waiting reader's wait-set: new data, or the guard to stop. */
  data_ready = DDS_DataReader_create_readcondition(waiting_reader, DDS_NOT_READ_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                                   DDS_ANY_INSTANCE_STATE);
  stop = DDS_GuardCondition_new();
  waitset = DDS_WaitSet_new();
  DDS_WaitSet_attach_condition(waitset, DDS_ReadCondition_as_condition(data_ready));
  DDS_WaitSet_attach_condition(waitset, DDS_GuardCondition_as_condition(stop));

  printf("-- three sensors report\n");
  failures += publish(writer, 1, 20.5, "kitchen") != DDS_RETCODE_OK;
  failures += publish(writer, 2, 18.0, "cellar") != DDS_RETCODE_OK;
  failures += publish(writer, 3, 22.5, "attic") != DDS_RETCODE_OK;
  wait_and_report(waitset, data_ready, stop, waiting_reader);

  printf("-- sensor 1 reports again\n");
  failures += publish(writer, 1, 21.0, "kitchen") != DDS_RETCODE_OK;
  wait_and_report(waitset, data_ready, stop, waiting_reader);

  printf("-- sensor 3 is disposed\n");
  memset(&third, 0, sizeof third);
  third.sensor_id = 3;
  failures += DDS_DataWriter_dispose(writer, &third, NULL) != DDS_RETCODE_OK;
  wait_and_report(waitset, data_ready, stop, waiting_reader);

  printf("-- nothing more to read, then the guard is set\n");
  wait_and_report(waitset, data_ready, stop, waiting_reader);
  DDS_GuardCondition_set_trigger_value(stop, 1);
  wait_and_report(waitset, data_ready, stop, waiting_reader);

  DDS_WaitSet_delete(waitset);
  DDS_GuardCondition_delete(stop);
  DDS_DataReader_delete_readcondition(waiting_reader, data_ready);
  failures += DDS_DomainParticipant_delete_contained_entities(participant) != DDS_RETCODE_OK;
  failures += DDS_DomainParticipantFactory_delete_participant(factory, participant) != DDS_RETCODE_OK;
  printf("the listener took %d samples; everything deleted%s\n", taken_by_listener,
         failures == 0 && taken_by_listener == 5 ? "" : " (with FAILURES)");
  return failures == 0 && taken_by_listener == 5 ? 0 : 1;
}
