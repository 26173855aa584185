// The publisher's functions: one core call each, but for the QoS copy (a
// static core function) and the listener pair, which the binding answers.
#include "quillmarc/dds_publisher.h"

#include "binding/shapes.h"

using quillmarc::core;
using quillmarc::handle;
using ZORVEX::Publisher;

extern "C" {

DDS_DataWriter* DDS_Publisher_create_datawriter(DDS_Publisher* publisher, DDS_Topic* topic,
                                                const DDS_DataWriterQos* qos, const DDS_DataWriterListener* listener,
                                                DDS_StatusMask mask) {
  quillmarc::Creation<DDS_DataWriterQos, DataWriterListenerImpl> c(qos, listener, mask);
  return handle(core(publisher)->create_datawriter(core(topic), c.qos(), c.bridge(), c.mask));
}

DDS_DataWriter* DDS_Publisher_create_datawriter_with_qos_profile(DDS_Publisher* publisher, DDS_Topic* topic,
                                                                 const char* library_name, const char* profile_name,
                                                                 const char* qos_name,
                                                                 const DDS_DataWriterListener* listener,
                                                                 DDS_StatusMask mask) {
  DataWriterListenerImpl* bridge = quillmarc::make_bridge<DataWriterListenerImpl>(listener).release();
  return handle(core(publisher)->create_datawriter_with_qos_profile(core(topic), library_name, profile_name, qos_name,
                                                                     bridge, mask));
}

DDS_ReturnCode_t DDS_Publisher_delete_datawriter(DDS_Publisher* publisher, DDS_DataWriter* writer) {
  return quillmarc::delete_child(core(publisher), &Publisher::delete_datawriter, writer);
}

DDS_DataWriter* DDS_Publisher_lookup_datawriter(DDS_Publisher* publisher, const char* topic_name) {
  return handle(core(publisher)->lookup_datawriter(quillmarc::text(topic_name)));
}

DDS_ReturnCode_t DDS_Publisher_delete_contained_entities(DDS_Publisher* publisher) {
  return core(publisher)->delete_contained_entities();
}

DDS_ReturnCode_t DDS_Publisher_suspend_publications(DDS_Publisher* publisher) {
  return core(publisher)->suspend_publications();
}

DDS_ReturnCode_t DDS_Publisher_resume_publications(DDS_Publisher* publisher) {
  return core(publisher)->resume_publications();
}

DDS_ReturnCode_t DDS_Publisher_begin_coherent_changes(DDS_Publisher* publisher) {
  return core(publisher)->begin_coherent_changes();
}

DDS_ReturnCode_t DDS_Publisher_end_coherent_changes(DDS_Publisher* publisher) {
  return core(publisher)->end_coherent_changes();
}

DDS_ReturnCode_t DDS_Publisher_wait_for_acknowledgments(DDS_Publisher* publisher, const DDS_Duration_t* max_wait) {
  const ZORVEX::Duration_t wait = quillmarc::to_core(*max_wait);
  return core(publisher)->wait_for_acknowledgments(wait);
}

DDS_DomainParticipant* DDS_Publisher_get_participant(DDS_Publisher* publisher) {
  return handle(core(publisher)->get_participant());
}

DDS_ReturnCode_t DDS_Publisher_get_qos(DDS_Publisher* publisher, DDS_PublisherQos* qos) {
  return quillmarc::get_record(core(publisher), &Publisher::get_qos, qos);
}

DDS_ReturnCode_t DDS_Publisher_set_qos(DDS_Publisher* publisher, const DDS_PublisherQos* qos) {
  return quillmarc::set_record(core(publisher), &Publisher::set_qos, qos);
}

DDS_ReturnCode_t DDS_Publisher_set_qos_with_profile(DDS_Publisher* publisher, const char* library_name,
                                                    const char* profile_name, const char* qos_name) {
  return core(publisher)->set_qos_with_profile(library_name, profile_name, qos_name);
}

DDS_ReturnCode_t DDS_Publisher_get_default_datawriter_qos(DDS_Publisher* publisher, DDS_DataWriterQos* qos) {
  return quillmarc::get_record(core(publisher), &Publisher::get_default_datawriter_qos, qos);
}

DDS_ReturnCode_t DDS_Publisher_set_default_datawriter_qos(DDS_Publisher* publisher, const DDS_DataWriterQos* qos) {
  return quillmarc::set_record(core(publisher), &Publisher::set_default_datawriter_qos, qos);
}

DDS_ReturnCode_t DDS_Publisher_set_default_datawriter_qos_with_profile(DDS_Publisher* publisher,
                                                                       const char* library_name,
                                                                       const char* profile_name,
                                                                       const char* qos_name) {
  return core(publisher)->set_default_datawriter_qos_with_profile(library_name, profile_name, qos_name);
}

// Both records go to the core converted; the writer's comes back whatever the
// code, so the policies a topic has not are the caller's own again.
DDS_ReturnCode_t DDS_Publisher_copy_from_topic_qos(DDS_Publisher*, DDS_DataWriterQos* datawriter_qos,
                                                   const DDS_TopicQos* topic_qos) {
  ZORVEX::DataWriterQos writer;
  ZORVEX::TopicQos topic;
  DDSTypeConvert::convert(*datawriter_qos, writer);
  DDSTypeConvert::convert(*topic_qos, topic);
  const ZORVEX::ReturnCode_t rc = Publisher::copy_from_topic_qos(writer, topic);
  DDSTypeConvert::convert(static_cast<const ZORVEX::DataWriterQos&>(writer), *datawriter_qos);
  return rc;
}

DDS_ReturnCode_t DDS_Publisher_set_listener(DDS_Publisher*, const DDS_PublisherListener*, DDS_StatusMask) {
  return DDS_RETCODE_UNSUPPORTED;
}

const DDS_PublisherListener* DDS_Publisher_get_listener(DDS_Publisher*) { return nullptr; }

}  // extern "C"
