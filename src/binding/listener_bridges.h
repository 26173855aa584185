// Listener bridges: core listeners that turn each core callback into a call
// of the matching C function of the application's listener record.
//
// A bridge holds the record's address and nothing else; it reads the record
// at every callback. A null record or a null field: nothing is converted or
// called. A status is converted into a C record local to the callback (no
// allocation) whose address the C function receives; the entity handle is
// the core object the core named. Bridges are made with new and handed to the
// core, which owns them from then on.
#ifndef QUILLMARC_SRC_BINDING_LISTENER_BRIDGES_H
#define QUILLMARC_SRC_BINDING_LISTENER_BRIDGES_H

#include "binding/dds_type_convert.h"
#include "binding/handles.h"
#include "quillmarc/dds_listeners.h"

namespace quillmarc {

// One event with a status.
template <class CEntity, class CStatus, class CoreEntity, class CoreStatus>
void deliver(void (*callback)(CEntity*, CStatus*), CoreEntity* entity, const CoreStatus& status) {
  if (callback == nullptr) return;
  CStatus local{};
  DDSTypeConvert::convert(status, local);
  callback(handle(entity), &local);
}

// One event without status.
template <class CEntity, class CoreEntity>
void deliver(void (*callback)(CEntity*), CoreEntity* entity) {
  if (callback != nullptr) callback(handle(entity));
}

}  // namespace quillmarc

// The overriding callbacks, each reading field `event` of *c_listener.
#define QUILLMARC_BRIDGE_STATUS(event, Entity, Status)                    \
  void event(ZORVEX::Entity* entity, const ZORVEX::Status& status) override { \
    if (c_listener != nullptr) quillmarc::deliver(c_listener->event, entity, status); \
  }
#define QUILLMARC_BRIDGE_EVENT(event, Entity)                   \
  void event(ZORVEX::Entity* entity) override {                \
    if (c_listener != nullptr) quillmarc::deliver(c_listener->event, entity); \
  }
#define QUILLMARC_BRIDGE_WRITER_CALLBACKS                                                  \
  QUILLMARC_BRIDGE_STATUS(on_liveliness_lost, DataWriter, LivelinessLostStatus)            \
  QUILLMARC_BRIDGE_STATUS(on_offered_deadline_missed, DataWriter, OfferedDeadlineMissedStatus) \
  QUILLMARC_BRIDGE_STATUS(on_offered_incompatible_qos, DataWriter, OfferedIncompatibleQosStatus) \
  QUILLMARC_BRIDGE_STATUS(on_publication_matched, DataWriter, PublicationMatchedStatus)
#define QUILLMARC_BRIDGE_READER_CALLBACKS                                                   \
  QUILLMARC_BRIDGE_EVENT(on_data_available, DataReader)                                     \
  QUILLMARC_BRIDGE_STATUS(on_sample_rejected, DataReader, SampleRejectedStatus)             \
  QUILLMARC_BRIDGE_STATUS(on_liveliness_changed, DataReader, LivelinessChangedStatus)       \
  QUILLMARC_BRIDGE_STATUS(on_requested_deadline_missed, DataReader, RequestedDeadlineMissedStatus) \
  QUILLMARC_BRIDGE_STATUS(on_requested_incompatible_qos, DataReader, RequestedIncompatibleQosStatus) \
  QUILLMARC_BRIDGE_STATUS(on_subscription_matched, DataReader, SubscriptionMatchedStatus)   \
  QUILLMARC_BRIDGE_STATUS(on_sample_lost, DataReader, SampleLostStatus)
#define QUILLMARC_BRIDGE_TOPIC_CALLBACKS \
  QUILLMARC_BRIDGE_STATUS(on_inconsistent_topic, Topic, InconsistentTopicStatus)
#define QUILLMARC_BRIDGE_SUBSCRIBER_CALLBACKS QUILLMARC_BRIDGE_EVENT(on_data_on_readers, Subscriber)

// Bridge `Name` over core listener `Base`, for C record `Record`.
#define QUILLMARC_BRIDGE(Name, Base, Record, callbacks)                       \
  class Name : public ZORVEX::Base {                                           \
   public:                                                                     \
    using record_type = Record;                                                \
    explicit Name(const Record* listener) : c_listener(listener) {}            \
    Name(const Name&) = delete;                                                \
    Name& operator=(const Name&) = delete;                                     \
    callbacks                                                                  \
    const Record* const c_listener;                                            \
  };

QUILLMARC_BRIDGE(DataReaderListenerImpl, DataReaderListener, DDS_DataReaderListener,
                 QUILLMARC_BRIDGE_READER_CALLBACKS)
// A subscriber's record also hears its readers' events.
QUILLMARC_BRIDGE(SubscriberListenerImpl, SubscriberListener, DDS_SubscriberListener,
                 QUILLMARC_BRIDGE_READER_CALLBACKS QUILLMARC_BRIDGE_SUBSCRIBER_CALLBACKS)
QUILLMARC_BRIDGE(DataWriterListenerImpl, DataWriterListener, DDS_DataWriterListener,
                 QUILLMARC_BRIDGE_WRITER_CALLBACKS)
// A publisher's record hears its writers' events.
QUILLMARC_BRIDGE(PublisherListenerImpl, PublisherListener, DDS_PublisherListener,
                 QUILLMARC_BRIDGE_WRITER_CALLBACKS)
QUILLMARC_BRIDGE(TopicListenerImpl, TopicListener, DDS_TopicListener, QUILLMARC_BRIDGE_TOPIC_CALLBACKS)
// A participant's record hears the events of all its entities.
QUILLMARC_BRIDGE(DomainParticipantListenerImpl, DomainParticipantListener, DDS_DomainParticipantListener,
                 QUILLMARC_BRIDGE_TOPIC_CALLBACKS QUILLMARC_BRIDGE_WRITER_CALLBACKS
                     QUILLMARC_BRIDGE_READER_CALLBACKS QUILLMARC_BRIDGE_SUBSCRIBER_CALLBACKS)

#undef QUILLMARC_BRIDGE
#undef QUILLMARC_BRIDGE_STATUS
#undef QUILLMARC_BRIDGE_EVENT
#undef QUILLMARC_BRIDGE_WRITER_CALLBACKS
#undef QUILLMARC_BRIDGE_READER_CALLBACKS
#undef QUILLMARC_BRIDGE_TOPIC_CALLBACKS
#undef QUILLMARC_BRIDGE_SUBSCRIBER_CALLBACKS

#endif
