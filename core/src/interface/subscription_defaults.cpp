// Default bodies of the subscriber and reader interfaces.
#include "zorvex/subscription.h"

namespace ZORVEX {

Subscriber::~Subscriber() = default;
DataReader* Subscriber::create_datareader(TopicDescription*, const DataReaderQos&, DataReaderListener* listener,
                                          const StatusMask&) {
    delete listener;  // a listener handed over belongs to the core
    return nullptr;
}
DataReader* Subscriber::create_datareader_with_qos_profile(TopicDescription*, const char*, const char*,
                                                           const char*, DataReaderListener* listener,
                                                           StatusMask) {
    delete listener;
    return nullptr;
}
ReturnCode_t Subscriber::delete_datareader(DataReader*&) { return RETCODE_UNSUPPORTED; }
DataReader* Subscriber::lookup_datareader(const std::string&) { return nullptr; }
ReturnCode_t Subscriber::get_datareaders(std::vector<DataReader*>&, const SampleStateMask&, const ViewStateMask&,
                                         const InstanceStateMask&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t Subscriber::notify_datareaders() { return RETCODE_UNSUPPORTED; }
ReturnCode_t Subscriber::begin_access() { return RETCODE_UNSUPPORTED; }
ReturnCode_t Subscriber::end_access() { return RETCODE_UNSUPPORTED; }
DomainParticipant* Subscriber::get_participant() { return nullptr; }
ReturnCode_t Subscriber::delete_contained_entities() { return RETCODE_UNSUPPORTED; }
ReturnCode_t Subscriber::set_qos(const SubscriberQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Subscriber::get_qos(SubscriberQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Subscriber::set_qos_with_profile(const char*, const char*, const char*) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Subscriber::set_listener(SubscriberListener* listener, const StatusMask&) {
    delete listener;
    return RETCODE_UNSUPPORTED;
}
SubscriberListener* Subscriber::get_listener() { return nullptr; }
ReturnCode_t Subscriber::set_default_datareader_qos(const DataReaderQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Subscriber::get_default_datareader_qos(DataReaderQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Subscriber::set_default_datareader_qos_with_profile(const char*, const char*, const char*) {
    return RETCODE_UNSUPPORTED;
}

DataReader::~DataReader() = default;
ReturnCode_t DataReader::read(SequenceBase&, SequenceBase&, int32_t, SampleStateMask, ViewStateMask,
                              InstanceStateMask) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DataReader::take(SequenceBase&, SequenceBase&, int32_t, SampleStateMask, ViewStateMask,
                              InstanceStateMask) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DataReader::read_next_sample(void*, SampleInfo&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::take_next_sample(void*, SampleInfo&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::return_loan(SequenceBase&, SequenceBase&) { return RETCODE_UNSUPPORTED; }
InstanceHandle_t DataReader::lookup_instance(const void*) { return HANDLE_NIL; }
ReturnCode_t DataReader::get_key_value(void*, const InstanceHandle_t&) { return RETCODE_UNSUPPORTED; }
ReadCondition* DataReader::create_readcondition(SampleStateMask, ViewStateMask, InstanceStateMask) {
    return nullptr;
}
QueryCondition* DataReader::create_querycondition(SampleStateMask, ViewStateMask, InstanceStateMask,
                                                  const std::string&, const std::vector<std::string>&) {
    return nullptr;
}
ReturnCode_t DataReader::delete_readcondition(ReadCondition*) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::get_liveliness_changed_status(LivelinessChangedStatus&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::get_requested_deadline_missed_status(RequestedDeadlineMissedStatus&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DataReader::get_requested_incompatible_qos_status(RequestedIncompatibleQosStatus&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DataReader::get_sample_lost_status(SampleLostStatus&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::get_sample_rejected_status(SampleRejectedStatus&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::get_subscription_matched_status(SubscriptionMatchedStatus&) {
    return RETCODE_UNSUPPORTED;
}
TopicDescription* DataReader::get_topicdescription() { return nullptr; }
Subscriber* DataReader::get_subscriber() { return nullptr; }
ReturnCode_t DataReader::delete_contained_entities() { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::wait_for_historical_data(const Duration_t&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::get_matched_publication_data(PublicationBuiltinTopicData&, const InstanceHandle_t&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DataReader::get_matched_publications(std::vector<InstanceHandle_t>&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::set_qos(const DataReaderQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::get_qos(DataReaderQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::set_qos_with_profile(const char*, const char*, const char*) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataReader::set_listener(DataReaderListener* listener, const StatusMask&) {
    delete listener;
    return RETCODE_UNSUPPORTED;
}
DataReaderListener* DataReader::get_listener() { return nullptr; }

}  // namespace ZORVEX
