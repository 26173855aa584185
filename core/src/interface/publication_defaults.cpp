// Default bodies of the publisher and writer interfaces.
#include "zorvex/publication.h"

namespace ZORVEX {

Publisher::~Publisher() = default;
DataWriter* Publisher::create_datawriter(Topic*, const DataWriterQos&, DataWriterListener* listener,
                                         const StatusMask&) {
    delete listener;  // a listener handed over belongs to the core
    return nullptr;
}
DataWriter* Publisher::create_datawriter_with_qos_profile(Topic*, const char*, const char*, const char*,
                                                          DataWriterListener* listener, StatusMask) {
    delete listener;
    return nullptr;
}
ReturnCode_t Publisher::delete_datawriter(DataWriter*&) { return RETCODE_UNSUPPORTED; }
DataWriter* Publisher::lookup_datawriter(const std::string&) { return nullptr; }
ReturnCode_t Publisher::suspend_publications() { return RETCODE_UNSUPPORTED; }
ReturnCode_t Publisher::resume_publications() { return RETCODE_UNSUPPORTED; }
ReturnCode_t Publisher::begin_coherent_changes() { return RETCODE_UNSUPPORTED; }
ReturnCode_t Publisher::end_coherent_changes() { return RETCODE_UNSUPPORTED; }
ReturnCode_t Publisher::wait_for_acknowledgments(const Duration_t&) { return RETCODE_UNSUPPORTED; }
DomainParticipant* Publisher::get_participant() { return nullptr; }
ReturnCode_t Publisher::delete_contained_entities() { return RETCODE_UNSUPPORTED; }
ReturnCode_t Publisher::set_qos(const PublisherQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Publisher::get_qos(PublisherQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Publisher::set_qos_with_profile(const char*, const char*, const char*) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Publisher::set_listener(PublisherListener* listener, const StatusMask&) {
    delete listener;
    return RETCODE_UNSUPPORTED;
}
PublisherListener* Publisher::get_listener() { return nullptr; }
ReturnCode_t Publisher::set_default_datawriter_qos(const DataWriterQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Publisher::get_default_datawriter_qos(DataWriterQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Publisher::set_default_datawriter_qos_with_profile(const char*, const char*, const char*) {
    return RETCODE_UNSUPPORTED;
}

DataWriter::~DataWriter() = default;
InstanceHandle_t DataWriter::register_instance(const void*) { return HANDLE_NIL; }
InstanceHandle_t DataWriter::register_instance_w_timestamp(const void*, const Time_t&) { return HANDLE_NIL; }
ReturnCode_t DataWriter::unregister_instance(const void*, const InstanceHandle_t&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataWriter::unregister_instance_w_timestamp(const void*, const InstanceHandle_t&, const Time_t&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DataWriter::get_key_value(void*, const InstanceHandle_t&) { return RETCODE_UNSUPPORTED; }
InstanceHandle_t DataWriter::lookup_instance(const void*) { return HANDLE_NIL; }
ReturnCode_t DataWriter::write(const void*, const InstanceHandle_t&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataWriter::write_w_timestamp(const void*, const InstanceHandle_t&, const Time_t&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DataWriter::dispose(const void*, const InstanceHandle_t&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataWriter::dispose_w_timestamp(const void*, const InstanceHandle_t&, const Time_t&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DataWriter::wait_for_acknowledgments(const Duration_t&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataWriter::get_liveliness_lost_status(LivelinessLostStatus&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataWriter::get_offered_deadline_missed_status(OfferedDeadlineMissedStatus&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DataWriter::get_offered_incompatible_qos_status(OfferedIncompatibleQosStatus&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DataWriter::get_publication_matched_status(PublicationMatchedStatus&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataWriter::assert_liveliness() { return RETCODE_UNSUPPORTED; }
Topic* DataWriter::get_topic() { return nullptr; }
Publisher* DataWriter::get_publisher() { return nullptr; }
ReturnCode_t DataWriter::get_matched_subscription_data(SubscriptionBuiltinTopicData&, const InstanceHandle_t&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DataWriter::get_matched_subscriptions(std::vector<InstanceHandle_t>&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataWriter::set_qos(const DataWriterQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataWriter::get_qos(DataWriterQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataWriter::set_qos_with_profile(const char*, const char*, const char*) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DataWriter::set_listener(DataWriterListener* listener, const StatusMask&) {
    delete listener;
    return RETCODE_UNSUPPORTED;
}
DataWriterListener* DataWriter::get_listener() { return nullptr; }

}  // namespace ZORVEX
