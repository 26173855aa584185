// Listener destructors and their empty callbacks: a listener hears only what
// it overrides.
#include "zorvex/listeners.h"

namespace ZORVEX {

Listener::~Listener() = default;

DataWriterListener::~DataWriterListener() = default;
void DataWriterListener::on_liveliness_lost(DataWriter*, const LivelinessLostStatus&) {}
void DataWriterListener::on_offered_deadline_missed(DataWriter*, const OfferedDeadlineMissedStatus&) {}
void DataWriterListener::on_offered_incompatible_qos(DataWriter*, const OfferedIncompatibleQosStatus&) {}
void DataWriterListener::on_publication_matched(DataWriter*, const PublicationMatchedStatus&) {}

PublisherListener::~PublisherListener() = default;

DataReaderListener::~DataReaderListener() = default;
void DataReaderListener::on_data_available(DataReader*) {}
void DataReaderListener::on_sample_rejected(DataReader*, const SampleRejectedStatus&) {}
void DataReaderListener::on_liveliness_changed(DataReader*, const LivelinessChangedStatus&) {}
void DataReaderListener::on_requested_deadline_missed(DataReader*, const RequestedDeadlineMissedStatus&) {}
void DataReaderListener::on_requested_incompatible_qos(DataReader*, const RequestedIncompatibleQosStatus&) {}
void DataReaderListener::on_subscription_matched(DataReader*, const SubscriptionMatchedStatus&) {}
void DataReaderListener::on_sample_lost(DataReader*, const SampleLostStatus&) {}

SubscriberListener::~SubscriberListener() = default;
void SubscriberListener::on_data_on_readers(Subscriber*) {}

TopicListener::~TopicListener() = default;
void TopicListener::on_inconsistent_topic(Topic*, const InconsistentTopicStatus&) {}

DomainParticipantListener::~DomainParticipantListener() = default;

}  // namespace ZORVEX
