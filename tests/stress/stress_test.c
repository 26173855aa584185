/* Several threads on one reliable, keep-all topic through the C interface:
 * writers on their own threads, two readers taking in their listeners (one
 * with take, one with take_next_sample), a third drained by a wait-set
 * thread, and a thread that keeps creating and deleting unrelated readers.
 * Every reader must see every sample of every writer exactly once, intact
 * and in that writer's order, and the whole run must end within its time
 * bound.
 *
 * QUILLMARC_STRESS_SAMPLES: samples written in all (default 4000, spread
 * over the writers); QUILLMARC_STRESS_SECONDS: the time bound (default 120). */
#define _POSIX_C_SOURCE 200809L

#include <errno.h>
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <quillmarc/dds_c.h>

#define WRITERS 4

typedef struct Sample {
  DDS_Long writer; /* the key: one instance per writer */
  DDS_Long seq;
  DDS_Long check; /* a function of the two above: a torn copy shows */
  char text[32];
} Sample;

static DDS_Long check_of(DDS_Long writer, DDS_Long seq) { return (DDS_Long)((seq * 2654435761u) ^ (writer << 28)); }

static void fill(Sample* s, DDS_Long writer, DDS_Long seq) {
  memset(s, 0, sizeof *s);
  s->writer = writer;
  s->seq = seq;
  s->check = check_of(writer, seq);
  snprintf(s->text, sizeof s->text, "w%d #%d", (int)writer, (int)seq);
}

static long per_writer = 1000;

/* What one reader has seen: the next sequence number due from each writer. */
typedef struct Tally {
  const char* name;
  pthread_mutex_t lock; /* also held across a take and its tally, so batches count in order */
  long next[WRITERS];
  long total;
  long errors;
  char first_error[160];
} Tally;

static Tally by_take = {"listener (take)", PTHREAD_MUTEX_INITIALIZER, {0}, 0, 0, ""};
static Tally by_next = {"listener (take_next_sample)", PTHREAD_MUTEX_INITIALIZER, {0}, 0, 0, ""};
static Tally by_waitset = {"wait-set thread", PTHREAD_MUTEX_INITIALIZER, {0}, 0, 0, ""};

/* Called with the tally locked. */
static void count(Tally* t, const Sample* s, const DDS_SampleInfo* info) {
  char why[120] = "";
  if (!info->valid_data)
    snprintf(why, sizeof why, "a sample without data (instance state %u)", (unsigned)info->instance_state);
  else if (s->writer < 0 || s->writer >= WRITERS)
    snprintf(why, sizeof why, "writer %d unknown", (int)s->writer);
  else if (s->check != check_of(s->writer, s->seq))
    snprintf(why, sizeof why, "writer %d #%d corrupted", (int)s->writer, (int)s->seq);
  else if (s->seq != t->next[s->writer])
    snprintf(why, sizeof why, "writer %d: #%d where #%ld was due", (int)s->writer, (int)s->seq,
             t->next[s->writer]);
  if (why[0] != '\0') {
    if (t->errors++ == 0) snprintf(t->first_error, sizeof t->first_error, "%s", why);
    return;
  }
  ++t->next[s->writer];
  ++t->total;
}

static long total_of(Tally* t) {
  long n;
  pthread_mutex_lock(&t->lock);
  n = t->total + t->errors;
  pthread_mutex_unlock(&t->lock);
  return n;
}

/* Takes up to max samples (DDS_LENGTH_UNLIMITED: all) and counts them; the
 * loan goes back before the lock is released. */
static void take_into(DDS_DataReader* reader, Tally* t, DDS_Long max) {
  DDS_SampleSequence* data = DDS_SampleSequence_create();
  DDS_SampleInfoSequence* infos = DDS_SampleInfoSequence_create();
  size_t i;
  pthread_mutex_lock(&t->lock);
  if (DDS_DataReader_take(reader, data, infos, max, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                          DDS_ANY_INSTANCE_STATE) == DDS_RETCODE_OK) {
    for (i = 0; i < DDS_SampleInfoSequence_size(infos); ++i)
      count(t, (const Sample*)*DDS_SampleSequence_at(data, i), DDS_SampleInfoSequence_at(infos, i));
    if (DDS_DataReader_return_loan(reader, data, infos) != DDS_RETCODE_OK && t->errors++ == 0)
      snprintf(t->first_error, sizeof t->first_error, "return_loan failed");
  }
  pthread_mutex_unlock(&t->lock);
  DDS_SampleInfoSequence_destroy(infos);
  DDS_SampleSequence_destroy(data);
}

/* Both run on the writing threads, inside DDS_DataWriter_write. */
static void on_data_take(DDS_DataReader* reader) { take_into(reader, &by_take, DDS_LENGTH_UNLIMITED); }

static void on_data_take_next(DDS_DataReader* reader) {
  Sample s;
  DDS_SampleInfo info;
  pthread_mutex_lock(&by_next.lock);
  while (DDS_DataReader_take_next_sample(reader, &s, &info) == DDS_RETCODE_OK) count(&by_next, &s, &info);
  pthread_mutex_unlock(&by_next.lock);
}

/* ---- the run's shared state ---- */

static pthread_mutex_t run_lock = PTHREAD_MUTEX_INITIALIZER;
static pthread_cond_t run_changed = PTHREAD_COND_INITIALIZER;
static int threads_done = 0;
static int stopping = 0;
static long written[WRITERS];
static long write_failures = 0;
static long churn_cycles = 0;
static long churn_failures = 0;

static int should_stop(void) {
  int s;
  pthread_mutex_lock(&run_lock);
  s = stopping;
  pthread_mutex_unlock(&run_lock);
  return s;
}

static void thread_done(void) {
  pthread_mutex_lock(&run_lock);
  ++threads_done;
  pthread_cond_signal(&run_changed);
  pthread_mutex_unlock(&run_lock);
}

typedef struct Writing {
  DDS_DataWriter* writer;
  DDS_Long id;
} Writing;

static void* write_all(void* arg) {
  const Writing* w = (const Writing*)arg;
  Sample s;
  long seq;
  for (seq = 0; seq < per_writer && !should_stop(); ++seq) {
    DDS_ReturnCode_t rc;
    fill(&s, w->id, (DDS_Long)seq);
    rc = DDS_DataWriter_write(w->writer, &s, &DDS_HANDLE_NIL);
    pthread_mutex_lock(&run_lock);
    if (rc == DDS_RETCODE_OK) ++written[w->id]; else ++write_failures;
    pthread_mutex_unlock(&run_lock);
    if (rc != DDS_RETCODE_OK) break;
  }
  thread_done();
  return NULL;
}

static DDS_DataReader* waited_reader;

static void* wait_and_take(void* unused) {
  DDS_WaitSet* waitset = DDS_WaitSet_new();
  DDS_ReadCondition* ready = DDS_DataReader_create_readcondition(waited_reader, DDS_ANY_SAMPLE_STATE,
                                                                 DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE);
  DDS_ConditionSequence* active = DDS_ConditionSequence_create();
  const DDS_Duration_t tenth = {0, 100000000};
  (void)unused;
  DDS_WaitSet_attach_condition(waitset, DDS_ReadCondition_as_condition(ready));
  while (total_of(&by_waitset) < per_writer * WRITERS && !should_stop())
    if (DDS_WaitSet_wait(waitset, active, &tenth) == DDS_RETCODE_OK) take_into(waited_reader, &by_waitset, 7);
  DDS_ConditionSequence_destroy(active);
  DDS_WaitSet_delete(waitset);
  DDS_DataReader_delete_readcondition(waited_reader, ready);
  thread_done();
  return NULL;
}

typedef struct Churning {
  DDS_Subscriber* subscriber;
  DDS_TopicDescription* topic;
} Churning;

static void ignore_data(DDS_DataReader* reader) { (void)reader; }

/* Readers of another topic come and go; one with a read condition must
 * refuse to go until the condition is deleted. */
static void* churn(void* arg) {
  const Churning* c = (const Churning*)arg;
  DDS_DataReaderListener listener;
  long cycles = 0, failures = 0;
  memset(&listener, 0, sizeof listener);
  listener.on_data_available = ignore_data; /* a bridge made and released each time */
  while (!should_stop()) {
    DDS_DataReader* r = DDS_Subscriber_create_datareader(c->subscriber, c->topic, DDS_DATAREADER_QOS_DEFAULT,
                                                         &listener, DDS_DATA_AVAILABLE_STATUS);
    if (r == NULL) {
      ++failures;
      break;
    }
    if (cycles % 8 == 0) {
      DDS_ReadCondition* rc = DDS_DataReader_create_readcondition(r, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                                                  DDS_ANY_INSTANCE_STATE);
      failures += DDS_Subscriber_delete_datareader(c->subscriber, r) != DDS_RETCODE_PRECONDITION_NOT_MET;
      failures += DDS_DataReader_delete_readcondition(r, rc) != DDS_RETCODE_OK;
    }
    failures += DDS_Subscriber_delete_datareader(c->subscriber, r) != DDS_RETCODE_OK;
    ++cycles;
  }
  pthread_mutex_lock(&run_lock);
  churn_cycles = cycles;
  churn_failures = failures;
  pthread_mutex_unlock(&run_lock);
  thread_done();
  return NULL;
}

/* ---- set-up ---- */

static long env_long(const char* name, long fallback) {
  const char* v = getenv(name);
  return v != NULL && *v != '\0' ? strtol(v, NULL, 0) : fallback;
}

/* A listener record must outlive its reader: the library keeps its address. */
static DDS_DataReaderListener taking_listener, taking_next_listener;

static DDS_DataReader* make_reader(DDS_Subscriber* subscriber, DDS_TopicDescription* topic,
                                   const DDS_DataReaderListener* listener, DDS_Long max_samples) {
  DDS_DataReaderQos qos;
  DDS_DataReader* r;
  DDS_DataReaderQos_initialize(&qos);
  DDS_Subscriber_get_default_datareader_qos(subscriber, &qos);
  qos.reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
  qos.history.kind = DDS_KEEP_ALL_HISTORY_QOS;
  qos.resource_limits.max_samples = max_samples; /* a full reader holds the writers back */
  r = DDS_Subscriber_create_datareader(subscriber, topic, &qos, listener,
                                       listener != NULL ? DDS_DATA_AVAILABLE_STATUS : DDS_STATUS_MASK_NONE);
  DDS_DataReaderQos_finalize(&qos);
  return r;
}

static DDS_DataWriter* make_writer(DDS_Publisher* publisher, DDS_Topic* topic) {
  DDS_DataWriterQos qos;
  DDS_DataWriter* w;
  DDS_DataWriterQos_initialize(&qos);
  DDS_Publisher_get_default_datawriter_qos(publisher, &qos);
  qos.reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
  qos.reliability.max_blocking_time.sec = 30;
  qos.reliability.max_blocking_time.nanosec = 0;
  qos.history.kind = DDS_KEEP_ALL_HISTORY_QOS;
  w = DDS_Publisher_create_datawriter(publisher, topic, &qos, NULL, DDS_STATUS_MASK_NONE);
  DDS_DataWriterQos_finalize(&qos);
  return w;
}

static int report(Tally* t) {
  long want = per_writer * WRITERS;
  int ok = t->errors == 0 && t->total == want;
  printf("  %-28s %ld of %ld samples%s%s\n", t->name, t->total, want, t->errors ? ", first fault: " : "",
         t->first_error);
  return ok;
}

int main(void) {
  const ZORVEX_TypeDescriptor type = ZORVEX_KEYED_TYPE(Sample, writer);
  DDS_DomainParticipantFactory* factory = DDS_DomainParticipantFactory_get_instance();
  DDS_DomainParticipant* participant;
  DDS_Topic *topic, *unrelated;
  DDS_Publisher* publishers[2];
  DDS_Subscriber *subscriber, *other_subscriber;
  Writing writing[WRITERS];
  Churning churning;
  pthread_t writer_threads[WRITERS], waiter, churner;
  struct timespec deadline;
  long seconds = env_long("QUILLMARC_STRESS_SECONDS", 120);
  int i, ok = 1, timed_out = 0;
  time_t started = time(NULL);

  per_writer = env_long("QUILLMARC_STRESS_SAMPLES", 4000) / WRITERS;
  if (per_writer < 1) per_writer = 1;

  participant = DDS_DomainParticipantFactory_create_participant(factory, 7, DDS_DOMAINPARTICIPANT_QOS_DEFAULT, NULL,
                                                                DDS_STATUS_MASK_NONE);
  if (participant == NULL || DDS_DomainParticipant_registe_type(participant, "Sample", &type) != DDS_RETCODE_OK)
    return 1;
  topic = DDS_DomainParticipant_create_topic(participant, "Stress", "Sample", DDS_TOPIC_QOS_DEFAULT, NULL,
                                             DDS_STATUS_MASK_NONE);
  unrelated = DDS_DomainParticipant_create_topic(participant, "Unrelated", "Sample", DDS_TOPIC_QOS_DEFAULT, NULL,
                                                 DDS_STATUS_MASK_NONE);
  subscriber = DDS_DomainParticipant_create_subscriber(participant, DDS_SUBSCRIBER_QOS_DEFAULT, NULL,
                                                       DDS_STATUS_MASK_NONE);
  other_subscriber = DDS_DomainParticipant_create_subscriber(participant, DDS_SUBSCRIBER_QOS_DEFAULT, NULL,
                                                             DDS_STATUS_MASK_NONE);
  for (i = 0; i < 2; ++i)
    publishers[i] = DDS_DomainParticipant_create_publisher(participant, DDS_PUBLISHER_QOS_DEFAULT, NULL,
                                                           DDS_STATUS_MASK_NONE);
  if (topic == NULL || unrelated == NULL || subscriber == NULL || other_subscriber == NULL ||
      publishers[0] == NULL || publishers[1] == NULL)
    return 1;

  taking_listener.on_data_available = on_data_take;
  taking_next_listener.on_data_available = on_data_take_next;
  if (make_reader(subscriber, DDS_Topic_as_topicdescription(topic), &taking_listener, 32) == NULL ||
      make_reader(other_subscriber, DDS_Topic_as_topicdescription(topic), &taking_next_listener,
                  DDS_LENGTH_UNLIMITED) == NULL ||
      (waited_reader = make_reader(subscriber, DDS_Topic_as_topicdescription(topic), NULL, 16)) == NULL)
    return 1;
  for (i = 0; i < WRITERS; ++i) {
    writing[i].id = i;
    writing[i].writer = make_writer(publishers[i % 2], topic);
    if (writing[i].writer == NULL) return 1;
  }

  churning.subscriber = subscriber;
  churning.topic = DDS_Topic_as_topicdescription(unrelated);
  pthread_create(&churner, NULL, churn, &churning);
  pthread_create(&waiter, NULL, wait_and_take, NULL);
  for (i = 0; i < WRITERS; ++i) pthread_create(&writer_threads[i], NULL, write_all, &writing[i]);

  /* The writers and the waiter must finish within the bound, then the
   * churn once told to stop; a thread stuck in the library cannot be joined,
   * so the run ends here with what it saw. */
  clock_gettime(CLOCK_REALTIME, &deadline);
  deadline.tv_sec += seconds;
  pthread_mutex_lock(&run_lock);
  while (threads_done < WRITERS + 1 && !timed_out)
    timed_out = pthread_cond_timedwait(&run_changed, &run_lock, &deadline) == ETIMEDOUT;
  stopping = 1;
  while (threads_done < WRITERS + 2 && !timed_out)
    timed_out = pthread_cond_timedwait(&run_changed, &run_lock, &deadline) == ETIMEDOUT;
  pthread_mutex_unlock(&run_lock);
  if (timed_out) {
    long sent = 0;
    pthread_mutex_lock(&run_lock);
    for (i = 0; i < WRITERS; ++i) sent += written[i];
    pthread_mutex_unlock(&run_lock);
    fprintf(stderr, "stress: not done after %ld s (deadlock?): %ld written, taken %ld / %ld / %ld\n", seconds,
            sent, total_of(&by_take), total_of(&by_next), total_of(&by_waitset));
    _exit(2);
  }
  for (i = 0; i < WRITERS; ++i) pthread_join(writer_threads[i], NULL);
  pthread_join(waiter, NULL);
  pthread_join(churner, NULL);

  printf("stress: %d writers x %ld samples in %ld s, %ld unrelated readers created and deleted\n", WRITERS,
         per_writer, (long)(time(NULL) - started), churn_cycles);
  ok = report(&by_take) & report(&by_next) & report(&by_waitset);
  if (write_failures != 0 || churn_failures != 0) {
    printf("  %ld writes and %ld reader changes failed\n", write_failures, churn_failures);
    ok = 0;
  }
  ok &= DDS_DomainParticipant_delete_contained_entities(participant) == DDS_RETCODE_OK;
  ok &= DDS_DomainParticipantFactory_delete_participant(factory, participant) == DDS_RETCODE_OK;
  printf("%s\n", ok ? "stress: nothing lost, duplicated, corrupted or out of order" : "stress: FAILED");
  return ok ? 0 : 1;
}
