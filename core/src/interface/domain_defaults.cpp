// Default bodies of the factory and participant interfaces. A listener handed
// to a default creator or set_listener is deleted: it belongs to the core.
#include "zorvex/domain.h"

namespace ZORVEX {

DomainParticipantFactory::~DomainParticipantFactory() = default;
DomainParticipant* DomainParticipantFactory::create_participant(DomainId_t, const DomainParticipantQos&,
                                                                DomainParticipantListener* listener,
                                                                const StatusMask&) {
    delete listener;
    return nullptr;
}
DomainParticipant* DomainParticipantFactory::create_participant_with_qos_profile(
    DomainId_t, const char*, const char*, const char*, DomainParticipantListener* listener, StatusMask) {
    delete listener;
    return nullptr;
}
ReturnCode_t DomainParticipantFactory::delete_participant(DomainParticipant*&) { return RETCODE_UNSUPPORTED; }
DomainParticipant* DomainParticipantFactory::lookup_participant(DomainId_t) { return nullptr; }
ReturnCode_t DomainParticipantFactory::set_default_participant_qos(const DomainParticipantQos&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipantFactory::get_default_participant_qos(DomainParticipantQos&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipantFactory::set_qos(const DomainParticipantFactoryQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipantFactory::get_qos(DomainParticipantFactoryQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipantFactory::load_qos_from_xml(const char*) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipantFactory::unload_qos(const char*) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipantFactory::set_default_participant_qos_with_profile(const char*, const char*,
                                                                               const char*) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipantFactory::set_qos_with_profile(const char*, const char*, const char*) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipantFactory::get_participant_factory_qos_from_profile(DomainParticipantFactoryQos&,
                                                                               const char*, const char*,
                                                                               const char*) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipantFactory::get_participant_qos_from_profile(DomainParticipantQos&, const char*,
                                                                       const char*, const char*) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipantFactory::get_topic_qos_from_profile(TopicQos&, const char*, const char*,
                                                                 const char*) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipantFactory::get_publisher_qos_from_profile(PublisherQos&, const char*, const char*,
                                                                     const char*) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipantFactory::get_subscriber_qos_from_profile(SubscriberQos&, const char*,
                                                                      const char*, const char*) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipantFactory::get_datareader_qos_from_profile(DataReaderQos&, const char*,
                                                                      const char*, const char*) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipantFactory::get_datawriter_qos_from_profile(DataWriterQos&, const char*,
                                                                      const char*, const char*) {
    return RETCODE_UNSUPPORTED;
}

DomainParticipant::~DomainParticipant() = default;
Publisher* DomainParticipant::create_publisher(const PublisherQos&, PublisherListener* listener,
                                               const StatusMask&) {
    delete listener;
    return nullptr;
}
Publisher* DomainParticipant::create_publisher_with_qos_profile(const char*, const char*, const char*,
                                                                PublisherListener* listener, StatusMask) {
    delete listener;
    return nullptr;
}
ReturnCode_t DomainParticipant::delete_publisher(Publisher*&) { return RETCODE_UNSUPPORTED; }
Subscriber* DomainParticipant::create_subscriber(const SubscriberQos&, SubscriberListener* listener,
                                                 const StatusMask&) {
    delete listener;
    return nullptr;
}
Subscriber* DomainParticipant::create_subscriber_with_qos_profile(const char*, const char*, const char*,
                                                                  SubscriberListener* listener, StatusMask) {
    delete listener;
    return nullptr;
}
ReturnCode_t DomainParticipant::delete_subscriber(Subscriber*&) { return RETCODE_UNSUPPORTED; }
Subscriber* DomainParticipant::get_builtin_subscriber() { return nullptr; }
ReturnCode_t DomainParticipant::register_type(const std::string&, const TypeDescriptor*) {
    return RETCODE_UNSUPPORTED;
}
Topic* DomainParticipant::create_topic(const std::string&, const std::string&, const TopicQos&,
                                       TopicListener* listener, const StatusMask&) {
    delete listener;
    return nullptr;
}
Topic* DomainParticipant::create_topic_with_qos_profile(const std::string&, const std::string&, const char*,
                                                        const char*, const char*, TopicListener* listener,
                                                        StatusMask) {
    delete listener;
    return nullptr;
}
ReturnCode_t DomainParticipant::delete_topic(Topic*&) { return RETCODE_UNSUPPORTED; }
ContentFilteredTopic* DomainParticipant::create_contentfilteredtopic(const std::string&, Topic*,
                                                                     const std::string&,
                                                                     const std::vector<std::string>&) {
    return nullptr;
}
ReturnCode_t DomainParticipant::delete_contentfilteredtopic(ContentFilteredTopic*&) {
    return RETCODE_UNSUPPORTED;
}
Topic* DomainParticipant::find_topic(const std::string&, const Duration_t&) { return nullptr; }
TopicDescription* DomainParticipant::lookup_topicdescription(const std::string&) { return nullptr; }
ReturnCode_t DomainParticipant::delete_contained_entities() { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::set_qos(const DomainParticipantQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::get_qos(DomainParticipantQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::set_qos_with_profile(const char*, const char*, const char*) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipant::set_listener(DomainParticipantListener* listener, const StatusMask&) {
    delete listener;
    return RETCODE_UNSUPPORTED;
}
DomainParticipantListener* DomainParticipant::get_listener() { return nullptr; }
ReturnCode_t DomainParticipant::ignore_participant(const InstanceHandle_t&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::ignore_topic(const InstanceHandle_t&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::ignore_publication(const InstanceHandle_t&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::ignore_subscription(const InstanceHandle_t&) { return RETCODE_UNSUPPORTED; }
DomainId_t DomainParticipant::get_domain_id() { return 0; }
ReturnCode_t DomainParticipant::assert_liveliness() { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::set_default_publisher_qos(const PublisherQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::get_default_publisher_qos(PublisherQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::set_default_publisher_qos_with_profile(const char*, const char*, const char*) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipant::set_default_subscriber_qos(const SubscriberQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::get_default_subscriber_qos(SubscriberQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::set_default_subscriber_qos_with_profile(const char*, const char*, const char*) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipant::set_default_topic_qos(const TopicQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::get_default_topic_qos(TopicQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t DomainParticipant::set_default_topic_qos_with_profile(const char*, const char*, const char*) {
    return RETCODE_UNSUPPORTED;
}
bool DomainParticipant::contains_entity(const InstanceHandle_t&) { return false; }
ReturnCode_t DomainParticipant::get_discovered_participants(std::vector<InstanceHandle_t>&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipant::get_discovered_participant_data(ParticipantBuiltinTopicData&,
                                                                const InstanceHandle_t&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipant::get_discovered_topics(std::vector<InstanceHandle_t>&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t DomainParticipant::get_discovered_topic_data(TopicBuiltinTopicData&, const InstanceHandle_t&) {
    return RETCODE_UNSUPPORTED;
}

}  // namespace ZORVEX
