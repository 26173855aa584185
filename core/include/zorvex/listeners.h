// Listener interfaces. Every callback has an empty default body, so a
// listener overrides only what it wants to hear.
//
// Ownership: a listener handed to a create_* or set_listener operation
// belongs to the core from that call on, whether the call succeeds or not.
// The core deletes it once it is replaced or its entity is deleted, after any
// callback still running on it has returned. Give each entity its own
// listener object, allocated with new.
//
// Callbacks run on the thread whose operation raised the status (a write, a
// create, a set_qos), with no engine lock held: a callback may call back into
// the core. A status goes to the first listener, entity then parent then
// participant, whose mask holds its bit; DATA_ON_READERS, when a subscriber or
// participant listener takes it, is raised instead of DATA_AVAILABLE.
#ifndef ZORVEX_LISTENERS_H
#define ZORVEX_LISTENERS_H

#include "zorvex/fwd.h"
#include "zorvex/status.h"

namespace ZORVEX {

class QUILLMAR_API Listener {
public:
    virtual ~Listener();
};

class QUILLMAR_API DataWriterListener : public Listener {
public:
    ~DataWriterListener() override;
    virtual void on_liveliness_lost(DataWriter* writer, const LivelinessLostStatus& status);
    virtual void on_offered_deadline_missed(DataWriter* writer, const OfferedDeadlineMissedStatus& status);
    virtual void on_offered_incompatible_qos(DataWriter* writer, const OfferedIncompatibleQosStatus& status);
    virtual void on_publication_matched(DataWriter* writer, const PublicationMatchedStatus& status);
};

class QUILLMAR_API PublisherListener : public DataWriterListener {
public:
    ~PublisherListener() override;
};

class QUILLMAR_API DataReaderListener : public Listener {
public:
    ~DataReaderListener() override;
    virtual void on_data_available(DataReader* reader);
    virtual void on_sample_rejected(DataReader* reader, const SampleRejectedStatus& status);
    virtual void on_liveliness_changed(DataReader* reader, const LivelinessChangedStatus& status);
    virtual void on_requested_deadline_missed(DataReader* reader, const RequestedDeadlineMissedStatus& status);
    virtual void on_requested_incompatible_qos(DataReader* reader, const RequestedIncompatibleQosStatus& status);
    virtual void on_subscription_matched(DataReader* reader, const SubscriptionMatchedStatus& status);
    virtual void on_sample_lost(DataReader* reader, const SampleLostStatus& status);
};

class QUILLMAR_API SubscriberListener : public DataReaderListener {
public:
    ~SubscriberListener() override;
    virtual void on_data_on_readers(Subscriber* subscriber);
};

class QUILLMAR_API TopicListener : public Listener {
public:
    ~TopicListener() override;
    virtual void on_inconsistent_topic(Topic* topic, const InconsistentTopicStatus& status);
};

class QUILLMAR_API DomainParticipantListener : public virtual PublisherListener,
                                               public virtual SubscriberListener,
                                               public virtual TopicListener {
public:
    ~DomainParticipantListener() override;
};

}  // namespace ZORVEX

#endif
