// The domain participant: one core call per function.
#include "quillmarc/dds_domain_participant.h"

#include <string>
#include <vector>

#include "binding/shapes.h"

using quillmarc::core;
using quillmarc::handle;
using quillmarc::text;
using Participant = ZORVEX::DomainParticipant;

extern "C" {

// QoS and listener.

DDS_ReturnCode_t DDS_DomainParticipant_get_qos(DDS_DomainParticipant* participant, DDS_DomainParticipantQos* qos) {
  return quillmarc::get_record(core(participant), &Participant::get_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipant_set_qos(DDS_DomainParticipant* participant,
                                               const DDS_DomainParticipantQos* qos) {
  return quillmarc::set_record(core(participant), &Participant::set_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipant_set_qos_with_profile(DDS_DomainParticipant* participant,
                                                            const char* library_name, const char* profile_name,
                                                            const char* qos_name) {
  return core(participant)->set_qos_with_profile(library_name, profile_name, qos_name);
}

DDS_ReturnCode_t DDS_DomainParticipant_set_listener(DDS_DomainParticipant* participant,
                                                    const DDS_DomainParticipantListener* listener,
                                                    DDS_StatusMask mask) {
  return quillmarc::set_listener<DomainParticipantListenerImpl>(core(participant), listener, mask);
}

const DDS_DomainParticipantListener* DDS_DomainParticipant_get_listener(DDS_DomainParticipant* participant) {
  return quillmarc::get_listener<DomainParticipantListenerImpl>(core(participant));
}

// Types and children.

DDS_ReturnCode_t DDS_DomainParticipant_registe_type(DDS_DomainParticipant* participant, const char* type_name,
                                                    const ZORVEX_TypeDescriptor* descriptor) {
  return core(participant)->register_type(text(type_name), descriptor);
}

DDS_Publisher* DDS_DomainParticipant_create_publisher(DDS_DomainParticipant* participant, const DDS_PublisherQos* qos,
                                                      const DDS_PublisherListener* listener, DDS_StatusMask mask) {
  quillmarc::Creation<DDS_PublisherQos, PublisherListenerImpl> c(qos, listener, mask);
  return handle(core(participant)->create_publisher(c.qos(), c.bridge(), c.mask));
}

DDS_Publisher* DDS_DomainParticipant_create_publisher_with_qos_profile(DDS_DomainParticipant* participant,
                                                                       const char* library_name,
                                                                       const char* profile_name, const char* qos_name,
                                                                       const DDS_PublisherListener* listener,
                                                                       DDS_StatusMask mask) {
  auto bridge = quillmarc::make_bridge<PublisherListenerImpl>(listener);
  return handle(core(participant)->create_publisher_with_qos_profile(library_name, profile_name, qos_name,
                                                                     bridge.release(), mask));
}

DDS_ReturnCode_t DDS_DomainParticipant_delete_publisher(DDS_DomainParticipant* participant, DDS_Publisher* publisher) {
  return quillmarc::delete_child(core(participant), &Participant::delete_publisher, publisher);
}

DDS_Subscriber* DDS_DomainParticipant_create_subscriber(DDS_DomainParticipant* participant,
                                                        const DDS_SubscriberQos* qos,
                                                        const DDS_SubscriberListener* listener, DDS_StatusMask mask) {
  quillmarc::Creation<DDS_SubscriberQos, SubscriberListenerImpl> c(qos, listener, mask);
  return handle(core(participant)->create_subscriber(c.qos(), c.bridge(), c.mask));
}

DDS_Subscriber* DDS_DomainParticipant_create_subscriber_with_qos_profile(DDS_DomainParticipant* participant,
                                                                         const char* library_name,
                                                                         const char* profile_name,
                                                                         const char* qos_name,
                                                                         const DDS_SubscriberListener* listener,
                                                                         DDS_StatusMask mask) {
  auto bridge = quillmarc::make_bridge<SubscriberListenerImpl>(listener);
  return handle(core(participant)->create_subscriber_with_qos_profile(library_name, profile_name, qos_name,
                                                                      bridge.release(), mask));
}

DDS_ReturnCode_t DDS_DomainParticipant_delete_subscriber(DDS_DomainParticipant* participant,
                                                         DDS_Subscriber* subscriber) {
  return quillmarc::delete_child(core(participant), &Participant::delete_subscriber, subscriber);
}

DDS_Subscriber* DDS_DomainParticipant_get_builtin_subscriber(DDS_DomainParticipant* participant) {
  return handle(core(participant)->get_builtin_subscriber());
}

// The type name is built before the topic name, which the core receives
// first.
DDS_Topic* DDS_DomainParticipant_create_topic(DDS_DomainParticipant* participant, const char* topic_name,
                                              const char* type_name, const DDS_TopicQos* qos,
                                              const DDS_TopicListener* listener, DDS_StatusMask mask) {
  quillmarc::Creation<DDS_TopicQos, TopicListenerImpl> c(qos, listener, mask);
  const std::string type = text(type_name);
  const std::string name = text(topic_name);
  return handle(core(participant)->create_topic(name, type, c.qos(), c.bridge(), c.mask));
}

DDS_Topic* DDS_DomainParticipant_create_topic_with_qos_profile(DDS_DomainParticipant* participant,
                                                               const char* topic_name, const char* type_name,
                                                               const char* library_name, const char* profile_name,
                                                               const char* qos_name,
                                                               const DDS_TopicListener* listener,
                                                               DDS_StatusMask mask) {
  auto bridge = quillmarc::make_bridge<TopicListenerImpl>(listener);
  const std::string type = text(type_name);
  const std::string name = text(topic_name);
  return handle(core(participant)->create_topic_with_qos_profile(name, type, library_name, profile_name, qos_name,
                                                                 bridge.release(), mask));
}

DDS_ReturnCode_t DDS_DomainParticipant_delete_topic(DDS_DomainParticipant* participant, DDS_Topic* topic) {
  return quillmarc::delete_child(core(participant), &Participant::delete_topic, topic);
}

// The parameters are converted first, then the filter and the name built.
DDS_ContentFilteredTopic* DDS_DomainParticipant_create_contentfilteredtopic(
    DDS_DomainParticipant* participant, const char* name, DDS_Topic* related_topic, const char* filter_expression,
    const DDS_CStringSequence* expression_parameters) {
  const std::vector<std::string> parameters = quillmarc::strings(*expression_parameters);
  const std::string filter = text(filter_expression);
  const std::string topic_name = text(name);
  return handle(core(participant)->create_contentfilteredtopic(topic_name, core(related_topic), filter, parameters));
}

DDS_ReturnCode_t DDS_DomainParticipant_delete_contentfilteredtopic(DDS_DomainParticipant* participant,
                                                                   DDS_ContentFilteredTopic* content_filtered_topic) {
  return quillmarc::delete_child(core(participant), &Participant::delete_contentfilteredtopic,
                                 content_filtered_topic);
}

DDS_Topic* DDS_DomainParticipant_find_topic(DDS_DomainParticipant* participant, const char* topic_name,
                                            const DDS_Duration_t* timeout) {
  const ZORVEX::Duration_t wait = quillmarc::to_core(*timeout);
  const std::string name = text(topic_name);
  return handle(core(participant)->find_topic(name, wait));
}

DDS_TopicDescription* DDS_DomainParticipant_lookup_topicdescription(DDS_DomainParticipant* participant,
                                                                    const char* name) {
  return handle(core(participant)->lookup_topicdescription(text(name)));
}

DDS_ReturnCode_t DDS_DomainParticipant_delete_contained_entities(DDS_DomainParticipant* participant) {
  return core(participant)->delete_contained_entities();
}

// Default QoS of the children.

DDS_ReturnCode_t DDS_DomainParticipant_set_default_publisher_qos(DDS_DomainParticipant* participant,
                                                                 const DDS_PublisherQos* qos) {
  return quillmarc::set_record(core(participant), &Participant::set_default_publisher_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipant_get_default_publisher_qos(DDS_DomainParticipant* participant,
                                                                 DDS_PublisherQos* qos) {
  return quillmarc::get_record(core(participant), &Participant::get_default_publisher_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipant_set_default_subscriber_qos(DDS_DomainParticipant* participant,
                                                                  const DDS_SubscriberQos* qos) {
  return quillmarc::set_record(core(participant), &Participant::set_default_subscriber_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipant_get_default_subscriber_qos(DDS_DomainParticipant* participant,
                                                                  DDS_SubscriberQos* qos) {
  return quillmarc::get_record(core(participant), &Participant::get_default_subscriber_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipant_set_default_topic_qos(DDS_DomainParticipant* participant,
                                                             const DDS_TopicQos* qos) {
  return quillmarc::set_record(core(participant), &Participant::set_default_topic_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipant_get_default_topic_qos(DDS_DomainParticipant* participant, DDS_TopicQos* qos) {
  return quillmarc::get_record(core(participant), &Participant::get_default_topic_qos, qos);
}

DDS_ReturnCode_t DDS_DomainParticipant_set_default_publisher_qos_with_profile(DDS_DomainParticipant* participant,
                                                                              const char* library_name,
                                                                              const char* profile_name,
                                                                              const char* qos_name) {
  return core(participant)->set_default_publisher_qos_with_profile(library_name, profile_name, qos_name);
}

DDS_ReturnCode_t DDS_DomainParticipant_set_default_subscriber_qos_with_profile(DDS_DomainParticipant* participant,
                                                                               const char* library_name,
                                                                               const char* profile_name,
                                                                               const char* qos_name) {
  return core(participant)->set_default_subscriber_qos_with_profile(library_name, profile_name, qos_name);
}

DDS_ReturnCode_t DDS_DomainParticipant_set_default_topic_qos_with_profile(DDS_DomainParticipant* participant,
                                                                          const char* library_name,
                                                                          const char* profile_name,
                                                                          const char* qos_name) {
  return core(participant)->set_default_topic_qos_with_profile(library_name, profile_name, qos_name);
}

// Participant-wide queries.

DDS_ReturnCode_t DDS_DomainParticipant_ignore_participant(DDS_DomainParticipant* participant,
                                                          const DDS_InstanceHandle_t* handle) {
  return core(participant)->ignore_participant(quillmarc::to_core(*handle));
}

DDS_ReturnCode_t DDS_DomainParticipant_ignore_topic(DDS_DomainParticipant* participant,
                                                    const DDS_InstanceHandle_t* handle) {
  return core(participant)->ignore_topic(quillmarc::to_core(*handle));
}

DDS_ReturnCode_t DDS_DomainParticipant_ignore_publication(DDS_DomainParticipant* participant,
                                                          const DDS_InstanceHandle_t* handle) {
  return core(participant)->ignore_publication(quillmarc::to_core(*handle));
}

DDS_ReturnCode_t DDS_DomainParticipant_ignore_subscription(DDS_DomainParticipant* participant,
                                                           const DDS_InstanceHandle_t* handle) {
  return core(participant)->ignore_subscription(quillmarc::to_core(*handle));
}

DDS_Boolean DDS_DomainParticipant_contains_entity(DDS_DomainParticipant* participant,
                                                  const DDS_InstanceHandle_t* handle) {
  return core(participant)->contains_entity(quillmarc::to_core(*handle));
}

DDS_ReturnCode_t DDS_DomainParticipant_get_discovered_participant_data(DDS_DomainParticipant* participant,
                                                                       DDS_ParticipantBuiltinTopicData* participant_data,
                                                                       const DDS_InstanceHandle_t* participant_handle) {
  return quillmarc::get_record(core(participant), &Participant::get_discovered_participant_data, participant_data,
                               quillmarc::to_core(*participant_handle));
}

DDS_ReturnCode_t DDS_DomainParticipant_get_discovered_topic_data(DDS_DomainParticipant* participant,
                                                                 DDS_TopicBuiltinTopicData* topic_data,
                                                                 const DDS_InstanceHandle_t* topic_handle) {
  return quillmarc::get_record(core(participant), &Participant::get_discovered_topic_data, topic_data,
                               quillmarc::to_core(*topic_handle));
}

DDS_ReturnCode_t DDS_DomainParticipant_get_discovered_participants(DDS_DomainParticipant*,
                                                                   DDS_InstanceHandle_tSequence*) {
  return DDS_RETCODE_UNSUPPORTED;
}

DDS_ReturnCode_t DDS_DomainParticipant_get_discovered_topics(DDS_DomainParticipant*, DDS_InstanceHandle_tSequence*) {
  return DDS_RETCODE_UNSUPPORTED;
}

DDS_ReturnCode_t DDS_DomainParticipant_assert_liveliness(DDS_DomainParticipant* participant) {
  return core(participant)->assert_liveliness();
}

DDS_DomainId_t DDS_DomainParticipant_get_domain_id(DDS_DomainParticipant* participant) {
  return core(participant)->get_domain_id();
}

// The clock is the core's static function: the participant is not used.
DDS_ReturnCode_t DDS_DomainParticipant_get_current_time(DDS_DomainParticipant*, DDS_Time_t* current_time) {
  ZORVEX::Time_t now;
  const ZORVEX::ReturnCode_t rc = Participant::get_current_time(now);
  quillmarc::to_c(now, *current_time);
  return rc;
}
}
