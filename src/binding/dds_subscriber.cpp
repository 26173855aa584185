// The subscriber's functions: one core call each, but for the QoS copy (a
// static core function) and the two access operations, which the binding
// answers itself.
#include "quillmarc/dds_subscriber.h"

#include <vector>

#include "binding/shapes.h"

using quillmarc::core;
using quillmarc::handle;
using ZORVEX::Subscriber;

extern "C" {

DDS_DataReader* DDS_Subscriber_create_datareader(DDS_Subscriber* subscriber, DDS_TopicDescription* topic,
                                                 const DDS_DataReaderQos* qos, const DDS_DataReaderListener* listener,
                                                 DDS_StatusMask mask) {
  quillmarc::Creation<DDS_DataReaderQos, DataReaderListenerImpl> c(qos, listener, mask);
  return handle(core(subscriber)->create_datareader(core(topic), c.qos(), c.bridge(), c.mask));
}

DDS_DataReader* DDS_Subscriber_create_datareader_with_qos_profile(DDS_Subscriber* subscriber,
                                                                  DDS_TopicDescription* topic,
                                                                  const char* library_name, const char* profile_name,
                                                                  const char* qos_name,
                                                                  const DDS_DataReaderListener* listener,
                                                                  DDS_StatusMask mask) {
  DataReaderListenerImpl* bridge = quillmarc::make_bridge<DataReaderListenerImpl>(listener).release();
  return handle(core(subscriber)->create_datareader_with_qos_profile(core(topic), library_name, profile_name,
                                                                      qos_name, bridge, mask));
}

DDS_ReturnCode_t DDS_Subscriber_delete_datareader(DDS_Subscriber* subscriber, DDS_DataReader* reader) {
  return quillmarc::delete_child(core(subscriber), &Subscriber::delete_datareader, reader);
}

DDS_DataReader* DDS_Subscriber_lookup_datareader(DDS_Subscriber* subscriber, const char* topic_name) {
  return handle(core(subscriber)->lookup_datareader(quillmarc::text(topic_name)));
}

DDS_ReturnCode_t DDS_Subscriber_get_datareaders(DDS_Subscriber* subscriber, DDS_DataReaderSequence* readers,
                                                DDS_SampleStateMask sample_states, DDS_ViewStateMask view_states,
                                                DDS_InstanceStateMask instance_states) {
  std::vector<ZORVEX::DataReader*> found;
  const ZORVEX::SampleStateMask samples = sample_states;
  const ZORVEX::ViewStateMask views = view_states;
  const ZORVEX::InstanceStateMask instances = instance_states;
  const ZORVEX::ReturnCode_t rc = core(subscriber)->get_datareaders(found, samples, views, instances);
  quillmarc::replace(*readers, found);
  return rc;
}

DDS_ReturnCode_t DDS_Subscriber_notify_datareaders(DDS_Subscriber* subscriber) {
  return core(subscriber)->notify_datareaders();
}

DDS_ReturnCode_t DDS_Subscriber_begin_access(DDS_Subscriber*) { return DDS_RETCODE_UNSUPPORTED; }

DDS_ReturnCode_t DDS_Subscriber_end_access(DDS_Subscriber*) { return DDS_RETCODE_UNSUPPORTED; }

DDS_DomainParticipant* DDS_Subscriber_get_participant(DDS_Subscriber* subscriber) {
  return handle(core(subscriber)->get_participant());
}

DDS_ReturnCode_t DDS_Subscriber_delete_contained_entities(DDS_Subscriber* subscriber) {
  return core(subscriber)->delete_contained_entities();
}

DDS_ReturnCode_t DDS_Subscriber_get_qos(DDS_Subscriber* subscriber, DDS_SubscriberQos* qos) {
  return quillmarc::get_record(core(subscriber), &Subscriber::get_qos, qos);
}

DDS_ReturnCode_t DDS_Subscriber_set_qos(DDS_Subscriber* subscriber, const DDS_SubscriberQos* qos) {
  return quillmarc::set_record(core(subscriber), &Subscriber::set_qos, qos);
}

DDS_ReturnCode_t DDS_Subscriber_set_qos_with_profile(DDS_Subscriber* subscriber, const char* library_name,
                                                     const char* profile_name, const char* qos_name) {
  return core(subscriber)->set_qos_with_profile(library_name, profile_name, qos_name);
}

DDS_ReturnCode_t DDS_Subscriber_get_default_datareader_qos(DDS_Subscriber* subscriber, DDS_DataReaderQos* qos) {
  return quillmarc::get_record(core(subscriber), &Subscriber::get_default_datareader_qos, qos);
}

DDS_ReturnCode_t DDS_Subscriber_set_default_datareader_qos(DDS_Subscriber* subscriber, const DDS_DataReaderQos* qos) {
  return quillmarc::set_record(core(subscriber), &Subscriber::set_default_datareader_qos, qos);
}

DDS_ReturnCode_t DDS_Subscriber_set_default_datareader_qos_with_profile(DDS_Subscriber* subscriber,
                                                                        const char* library_name,
                                                                        const char* profile_name,
                                                                        const char* qos_name) {
  return core(subscriber)->set_default_datareader_qos_with_profile(library_name, profile_name, qos_name);
}

// Both records go to the core converted; the reader's comes back whatever the
// code, so the policies a topic has not are the caller's own again.
DDS_ReturnCode_t DDS_Subscriber_copy_from_topic_qos(DDS_Subscriber*, DDS_DataReaderQos* datareader_qos,
                                                    const DDS_TopicQos* topic_qos) {
  ZORVEX::DataReaderQos reader;
  ZORVEX::TopicQos topic;
  DDSTypeConvert::convert(*datareader_qos, reader);
  DDSTypeConvert::convert(*topic_qos, topic);
  const ZORVEX::ReturnCode_t rc = Subscriber::copy_from_topic_qos(reader, topic);
  DDSTypeConvert::convert(static_cast<const ZORVEX::DataReaderQos&>(reader), *datareader_qos);
  return rc;
}

DDS_ReturnCode_t DDS_Subscriber_set_listener(DDS_Subscriber* subscriber, const DDS_SubscriberListener* listener,
                                             DDS_StatusMask mask) {
  return quillmarc::set_listener<SubscriberListenerImpl>(core(subscriber), listener, mask);
}

const DDS_SubscriberListener* DDS_Subscriber_get_listener(DDS_Subscriber* subscriber) {
  return quillmarc::get_listener<SubscriberListenerImpl>(core(subscriber));
}

}  // extern "C"
