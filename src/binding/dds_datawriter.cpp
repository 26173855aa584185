// The data writer's functions: one core call each. Sample pointers go to the
// core as they are; instance handles given by pointer become core handles as
// HandleArgument says; a timestamp is copied before anything else is read.
#include "quillmarc/dds_datawriter.h"

#include <vector>

#include "binding/shapes.h"

using quillmarc::core;
using quillmarc::handle;
using quillmarc::HandleArgument;
using quillmarc::to_c;
using quillmarc::to_core;
using ZORVEX::DataWriter;

extern "C" {

DDS_InstanceHandle_t DDS_DataWriter_register_instance(DDS_DataWriter* writer, const void* instance_data) {
  return to_c(core(writer)->register_instance(instance_data));
}

DDS_InstanceHandle_t DDS_DataWriter_register_instance_w_timestamp(DDS_DataWriter* writer, const void* instance_data,
                                                                  const DDS_Time_t* source_timestamp) {
  const ZORVEX::Time_t time = to_core(*source_timestamp);
  return to_c(core(writer)->register_instance_w_timestamp(instance_data, time));
}

DDS_ReturnCode_t DDS_DataWriter_unregister_instance(DDS_DataWriter* writer, const void* instance_data,
                                                    const DDS_InstanceHandle_t* handle) {
  return core(writer)->unregister_instance(instance_data, HandleArgument(handle));
}

DDS_ReturnCode_t DDS_DataWriter_unregister_instance_w_timestamp(DDS_DataWriter* writer, const void* instance_data,
                                                                const DDS_InstanceHandle_t* handle,
                                                                const DDS_Time_t* source_timestamp) {
  const ZORVEX::Time_t time = to_core(*source_timestamp);
  return core(writer)->unregister_instance_w_timestamp(instance_data, HandleArgument(handle), time);
}

DDS_ReturnCode_t DDS_DataWriter_get_key_value(DDS_DataWriter* writer, void* key_holder,
                                              const DDS_InstanceHandle_t* handle) {
  return core(writer)->get_key_value(key_holder, HandleArgument(handle));
}

DDS_InstanceHandle_t DDS_DataWriter_lookup_instance(DDS_DataWriter* writer, const void* instance_data) {
  return to_c(core(writer)->lookup_instance(instance_data));
}

DDS_ReturnCode_t DDS_DataWriter_write(DDS_DataWriter* writer, const void* data, const DDS_InstanceHandle_t* handle) {
  return core(writer)->write(data, HandleArgument(handle));
}

DDS_ReturnCode_t DDS_DataWriter_write_w_timestamp(DDS_DataWriter* writer, const void* data,
                                                  const DDS_InstanceHandle_t* handle,
                                                  const DDS_Time_t* source_timestamp) {
  const ZORVEX::Time_t time = to_core(*source_timestamp);
  return core(writer)->write_w_timestamp(data, HandleArgument(handle), time);
}

DDS_ReturnCode_t DDS_DataWriter_dispose(DDS_DataWriter* writer, const void* data,
                                        const DDS_InstanceHandle_t* handle) {
  return core(writer)->dispose(data, HandleArgument(handle));
}

DDS_ReturnCode_t DDS_DataWriter_dispose_w_timestamp(DDS_DataWriter* writer, const void* data,
                                                    const DDS_InstanceHandle_t* handle,
                                                    const DDS_Time_t* source_timestamp) {
  const ZORVEX::Time_t time = to_core(*source_timestamp);
  return core(writer)->dispose_w_timestamp(data, HandleArgument(handle), time);
}

DDS_ReturnCode_t DDS_DataWriter_get_qos(DDS_DataWriter* writer, DDS_DataWriterQos* qos) {
  return quillmarc::get_record(core(writer), &DataWriter::get_qos, qos);
}

DDS_ReturnCode_t DDS_DataWriter_set_qos(DDS_DataWriter* writer, const DDS_DataWriterQos* qos) {
  return quillmarc::set_record(core(writer), &DataWriter::set_qos, qos);
}

DDS_ReturnCode_t DDS_DataWriter_set_qos_with_profile(DDS_DataWriter* writer, const char* library_name,
                                                     const char* profile_name, const char* qos_name) {
  return core(writer)->set_qos_with_profile(library_name, profile_name, qos_name);
}

DDS_ReturnCode_t DDS_DataWriter_set_listener(DDS_DataWriter* writer, const DDS_DataWriterListener* listener,
                                             DDS_StatusMask mask) {
  return quillmarc::set_listener<DataWriterListenerImpl>(core(writer), listener, mask);
}

const DDS_DataWriterListener* DDS_DataWriter_get_listener(DDS_DataWriter* writer) {
  return quillmarc::get_listener<DataWriterListenerImpl>(core(writer));
}

DDS_ReturnCode_t DDS_DataWriter_get_liveliness_lost_status(DDS_DataWriter* writer, DDS_LivelinessLostStatus* status) {
  return quillmarc::get_record(core(writer), &DataWriter::get_liveliness_lost_status, status);
}

DDS_ReturnCode_t DDS_DataWriter_get_offered_deadline_missed_status(DDS_DataWriter* writer,
                                                                   DDS_OfferedDeadlineMissedStatus* status) {
  return quillmarc::get_record(core(writer), &DataWriter::get_offered_deadline_missed_status, status);
}

DDS_ReturnCode_t DDS_DataWriter_get_offered_incompatible_qos_status(DDS_DataWriter* writer,
                                                                    DDS_OfferedIncompatibleQosStatus* status) {
  return quillmarc::get_record(core(writer), &DataWriter::get_offered_incompatible_qos_status, status);
}

DDS_ReturnCode_t DDS_DataWriter_get_publication_matched_status(DDS_DataWriter* writer,
                                                               DDS_PublicationMatchedStatus* status) {
  return quillmarc::get_record(core(writer), &DataWriter::get_publication_matched_status, status);
}

DDS_ReturnCode_t DDS_DataWriter_wait_for_acknowledgments(DDS_DataWriter* writer, const DDS_Duration_t* max_wait) {
  const ZORVEX::Duration_t wait = to_core(*max_wait);
  return core(writer)->wait_for_acknowledgments(wait);
}

DDS_ReturnCode_t DDS_DataWriter_assert_liveliness(DDS_DataWriter* writer) {
  return core(writer)->assert_liveliness();
}

DDS_Topic* DDS_DataWriter_get_topic(DDS_DataWriter* writer) { return handle(core(writer)->get_topic()); }

DDS_Publisher* DDS_DataWriter_get_publisher(DDS_DataWriter* writer) { return handle(core(writer)->get_publisher()); }

DDS_ReturnCode_t DDS_DataWriter_get_matched_subscription_data(DDS_DataWriter* writer,
                                                              DDS_SubscriptionBuiltinTopicData* subscription_data,
                                                              const DDS_InstanceHandle_t* subscription_handle) {
  return quillmarc::get_record(core(writer), &DataWriter::get_matched_subscription_data, subscription_data,
                               HandleArgument(subscription_handle));
}

DDS_ReturnCode_t DDS_DataWriter_get_matched_subscriptions(DDS_DataWriter* writer,
                                                          DDS_InstanceHandle_tSequence* subscription_handles) {
  std::vector<ZORVEX::InstanceHandle_t> matched;
  const ZORVEX::ReturnCode_t rc = core(writer)->get_matched_subscriptions(matched);
  quillmarc::replace(*subscription_handles, matched);
  return rc;
}

}  // extern "C"
