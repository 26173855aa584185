/* Listener records: the C callbacks an entity calls when its statuses change.
 *
 * The application owns a record and must keep it valid while an entity uses
 * it; the library reads its fields anew at every callback and never changes
 * it. A NULL field ignores that event. A status pointer is valid only during
 * the call.
 *
 * An entity stops using a record once the set_listener that replaces it, or
 * the delete of the entity, has returned DDS_RETCODE_OK: no callback through
 * it is running then (the call waits for those on other threads) and none
 * starts later, so the record and what its callbacks use may be freed at
 * once. The callback a set_listener or delete is made from is not waited
 * for; it may replace its own listener or delete its own entity, and goes
 * on. So do not replace a listener or delete its entity while holding a lock
 * that one of its callbacks waits for.
 *
 * listener_data is the application's own, and no callback receives it: a
 * callback is given the entity alone. It reaches its data by asking that
 * entity for the record installed on it:
 *
 *   static void on_data_available(DDS_DataReader* reader) {
 *     const DDS_DataReaderListener* self = DDS_DataReader_get_listener(reader);
 *     struct app_state* state = self->listener_data;
 *     ...
 *   }
 *
 * and DDS_DataWriter_get_listener(writer) and DDS_Topic_get_listener(topic)
 * the same. A callback of a parent's record that hears a child's event asks
 * the parent: DDS_Subscriber_get_listener(DDS_DataReader_get_subscriber(reader))
 * for a subscriber's record, DDS_DomainParticipant_get_listener() of the
 * participant that DDS_Subscriber_get_participant or
 * DDS_Publisher_get_participant answers for a participant's. A publisher's
 * record cannot be read back (DDS_Publisher_get_listener answers NULL): its
 * callbacks keep their state elsewhere, in a static variable for instance. */
#ifndef QUILLMARC_DDS_LISTENERS_H
#define QUILLMARC_DDS_LISTENERS_H

#include "dds_infrastructure.h"
#include "dds_status.h"

/* The reader callbacks, in the order of DDS_DataReaderListener. */
#define QUILLMARC_READER_LISTENER_FIELDS                                                     \
  void (*on_requested_deadline_missed)(DDS_DataReader * reader,                              \
                                       DDS_RequestedDeadlineMissedStatus * status);          \
  void (*on_requested_incompatible_qos)(DDS_DataReader * reader,                             \
                                        DDS_RequestedIncompatibleQosStatus * status);        \
  void (*on_sample_rejected)(DDS_DataReader * reader, DDS_SampleRejectedStatus * status);    \
  void (*on_sample_lost)(DDS_DataReader * reader, DDS_SampleLostStatus * status);            \
  void (*on_liveliness_changed)(DDS_DataReader * reader, DDS_LivelinessChangedStatus * status); \
  void (*on_data_available)(DDS_DataReader * reader);                                        \
  void (*on_subscription_matched)(DDS_DataReader * reader, DDS_SubscriptionMatchedStatus * status);

/* The writer callbacks, in the order of DDS_DataWriterListener. */
#define QUILLMARC_WRITER_LISTENER_FIELDS                                                     \
  void (*on_offered_deadline_missed)(DDS_DataWriter * writer,                                \
                                     DDS_OfferedDeadlineMissedStatus * status);              \
  void (*on_offered_incompatible_qos)(DDS_DataWriter * writer,                               \
                                      DDS_OfferedIncompatibleQosStatus * status);            \
  void (*on_liveliness_lost)(DDS_DataWriter * writer, DDS_LivelinessLostStatus * status);    \
  void (*on_publication_matched)(DDS_DataWriter * writer, DDS_PublicationMatchedStatus * status);

typedef struct DDS_DataReaderListener {
  void* listener_data;
  QUILLMARC_READER_LISTENER_FIELDS
} DDS_DataReaderListener;

/* A subscriber's listener also hears the events of its readers. */
typedef struct DDS_SubscriberListener {
  void* listener_data;
  QUILLMARC_READER_LISTENER_FIELDS
  void (*on_data_on_readers)(DDS_Subscriber* subscriber);
} DDS_SubscriberListener;

typedef struct DDS_DataWriterListener {
  void* listener_data;
  QUILLMARC_WRITER_LISTENER_FIELDS
} DDS_DataWriterListener;

/* A publisher's listener hears the events of its writers. */
typedef struct DDS_PublisherListener {
  void* listener_data;
  QUILLMARC_WRITER_LISTENER_FIELDS
} DDS_PublisherListener;

typedef struct DDS_TopicListener {
  void* listener_data;
  void (*on_inconsistent_topic)(DDS_Topic* topic, DDS_InconsistentTopicStatus* status);
} DDS_TopicListener;

/* A participant's listener hears the events of all its entities. */
typedef struct DDS_DomainParticipantListener {
  void* listener_data;
  void (*on_inconsistent_topic)(DDS_Topic* topic, DDS_InconsistentTopicStatus* status);
  QUILLMARC_WRITER_LISTENER_FIELDS
  QUILLMARC_READER_LISTENER_FIELDS
  void (*on_data_on_readers)(DDS_Subscriber* subscriber);
} DDS_DomainParticipantListener;

#endif
