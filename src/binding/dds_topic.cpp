// Topic descriptions, topics and content-filtered topics: one core call per
// function.
#include "quillmarc/dds_topic.h"

#include <string>
#include <vector>

#include "binding/shapes.h"

using quillmarc::core;
using quillmarc::handle;

extern "C" {

const char* DDS_TopicDescription_get_name(DDS_TopicDescription* topic_description) {
  return core(topic_description)->get_name();
}

const char* DDS_TopicDescription_get_type_name(DDS_TopicDescription* topic_description) {
  return core(topic_description)->get_type_name();
}

DDS_DomainParticipant* DDS_TopicDescription_get_participant(DDS_TopicDescription* topic_description) {
  return handle(core(topic_description)->get_participant());
}

DDS_ReturnCode_t DDS_Topic_get_qos(DDS_Topic* topic, DDS_TopicQos* qos) {
  return quillmarc::get_record(core(topic), &ZORVEX::Topic::get_qos, qos);
}

DDS_ReturnCode_t DDS_Topic_set_qos(DDS_Topic* topic, const DDS_TopicQos* qos) {
  return quillmarc::set_record(core(topic), &ZORVEX::Topic::set_qos, qos);
}

DDS_ReturnCode_t DDS_Topic_set_qos_with_profile(DDS_Topic* topic, const char* library_name,
                                                const char* profile_name, const char* qos_name) {
  return core(topic)->set_qos_with_profile(library_name, profile_name, qos_name);
}

DDS_ReturnCode_t DDS_Topic_set_listener(DDS_Topic* topic, const DDS_TopicListener* listener, DDS_StatusMask mask) {
  return quillmarc::set_listener<TopicListenerImpl>(core(topic), listener, mask);
}

const DDS_TopicListener* DDS_Topic_get_listener(DDS_Topic* topic) {
  return quillmarc::get_listener<TopicListenerImpl>(core(topic));
}

DDS_ReturnCode_t DDS_Topic_get_inconsistent_topic_status(DDS_Topic* topic, DDS_InconsistentTopicStatus* status) {
  return quillmarc::get_record(core(topic), &ZORVEX::Topic::get_inconsistent_topic_status, status);
}

DDS_Topic* DDS_ContentFilterTopic_get_related_topic(DDS_ContentFilteredTopic* content_filtered_topic) {
  return handle(core(content_filtered_topic)->get_related_topic());
}

DDS_ReturnCode_t DDS_ContentFilteredTopic_get_expression_parameters(DDS_ContentFilteredTopic* content_filtered_topic,
                                                                    DDS_CStringSequence* expression_parameters) {
  std::vector<std::string> parameters;
  const ZORVEX::ReturnCode_t rc = core(content_filtered_topic)->get_expression_parameters(parameters);
  DDSTypeConvert::convert(static_cast<const std::vector<std::string>&>(parameters), *expression_parameters);
  return rc;
}

DDS_ReturnCode_t DDS_ContentFilteredTopic_set_expression_parameters(DDS_ContentFilteredTopic* content_filtered_topic,
                                                                    const DDS_CStringSequence* expression_parameters) {
  return core(content_filtered_topic)->set_expression_parameters(quillmarc::strings(*expression_parameters));
}
}
