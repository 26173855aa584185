// The factory and the domain participant.
#ifndef ZORVEX_DOMAIN_H
#define ZORVEX_DOMAIN_H

#include <string>
#include <vector>

#include "zorvex/entity.h"
#include "zorvex/listeners.h"
#include "zorvex/qos.h"
#include "zorvex/status.h"
#include "zorvex/type_descriptor.h"

namespace ZORVEX {

class QUILLMAR_API DomainParticipantFactory {
public:
    // The process-wide factory of the in-process engine; never destroyed.
    static DomainParticipantFactory* get_instance();

    virtual ~DomainParticipantFactory();
    // PARTICIPANT_QOS_DEFAULT: the factory's default participant QoS.
    virtual DomainParticipant* create_participant(DomainId_t domain_id, const DomainParticipantQos& qos,
                                                  DomainParticipantListener* listener, const StatusMask& mask);
    virtual DomainParticipant* create_participant_with_qos_profile(DomainId_t domain_id, const char* library_name,
                                                                   const char* profile_name, const char* qos_name,
                                                                   DomainParticipantListener* listener,
                                                                   StatusMask mask);
    // Sets `participant` to null on success; RETCODE_PRECONDITION_NOT_MET
    // while it has publishers, subscribers or topics.
    virtual ReturnCode_t delete_participant(DomainParticipant*& participant);
    virtual DomainParticipant* lookup_participant(DomainId_t domain_id);
    virtual ReturnCode_t set_default_participant_qos(const DomainParticipantQos& qos);
    virtual ReturnCode_t get_default_participant_qos(DomainParticipantQos& qos);
    virtual ReturnCode_t set_qos(const DomainParticipantFactoryQos& qos);
    virtual ReturnCode_t get_qos(DomainParticipantFactoryQos& qos);
    virtual ReturnCode_t load_qos_from_xml(const char* xml_location);
    virtual ReturnCode_t unload_qos(const char* library_name);
    virtual ReturnCode_t set_default_participant_qos_with_profile(const char* library_name,
                                                                  const char* profile_name,
                                                                  const char* qos_name);
    virtual ReturnCode_t set_qos_with_profile(const char* library_name, const char* profile_name,
                                              const char* qos_name);
    virtual ReturnCode_t get_participant_factory_qos_from_profile(DomainParticipantFactoryQos& qos,
                                                                  const char* library_name,
                                                                  const char* profile_name,
                                                                  const char* qos_name);
    virtual ReturnCode_t get_participant_qos_from_profile(DomainParticipantQos& qos, const char* library_name,
                                                          const char* profile_name, const char* qos_name);
    virtual ReturnCode_t get_topic_qos_from_profile(TopicQos& qos, const char* library_name,
                                                    const char* profile_name, const char* qos_name);
    virtual ReturnCode_t get_publisher_qos_from_profile(PublisherQos& qos, const char* library_name,
                                                        const char* profile_name, const char* qos_name);
    virtual ReturnCode_t get_subscriber_qos_from_profile(SubscriberQos& qos, const char* library_name,
                                                         const char* profile_name, const char* qos_name);
    virtual ReturnCode_t get_datareader_qos_from_profile(DataReaderQos& qos, const char* library_name,
                                                         const char* profile_name, const char* qos_name);
    virtual ReturnCode_t get_datawriter_qos_from_profile(DataWriterQos& qos, const char* library_name,
                                                         const char* profile_name, const char* qos_name);

protected:
    DomainParticipantFactory() = default;
    DomainParticipantFactory(const DomainParticipantFactory&) = delete;
    DomainParticipantFactory& operator=(const DomainParticipantFactory&) = delete;
};

class QUILLMAR_API DomainParticipant : public virtual Entity {
public:
    ~DomainParticipant() override;
    virtual Publisher* create_publisher(const PublisherQos& qos, PublisherListener* listener,
                                        const StatusMask& mask);
    virtual Publisher* create_publisher_with_qos_profile(const char* library_name, const char* profile_name,
                                                         const char* qos_name, PublisherListener* listener,
                                                         StatusMask mask);
    virtual ReturnCode_t delete_publisher(Publisher*& publisher);
    virtual Subscriber* create_subscriber(const SubscriberQos& qos, SubscriberListener* listener,
                                          const StatusMask& mask);
    virtual Subscriber* create_subscriber_with_qos_profile(const char* library_name, const char* profile_name,
                                                           const char* qos_name, SubscriberListener* listener,
                                                           StatusMask mask);
    virtual ReturnCode_t delete_subscriber(Subscriber*& subscriber);
    virtual Subscriber* get_builtin_subscriber();
    // Registers `type_name` with the layout `descriptor` describes (copied).
    // Registering a name again with another layout: PRECONDITION_NOT_MET.
    virtual ReturnCode_t register_type(const std::string& type_name, const TypeDescriptor* descriptor);
    // The type must be registered here, and the name not yet used here.
    virtual Topic* create_topic(const std::string& topic_name, const std::string& type_name, const TopicQos& qos,
                                TopicListener* listener, const StatusMask& mask);
    virtual Topic* create_topic_with_qos_profile(const std::string& topic_name, const std::string& type_name,
                                                 const char* library_name, const char* profile_name,
                                                 const char* qos_name, TopicListener* listener, StatusMask mask);
    // A topic found or created n times is deleted after n calls.
    virtual ReturnCode_t delete_topic(Topic*& topic);
    virtual ContentFilteredTopic* create_contentfilteredtopic(const std::string& name, Topic* related_topic,
                                                              const std::string& filter_expression,
                                                              const std::vector<std::string>& expression_parameters);
    virtual ReturnCode_t delete_contentfilteredtopic(ContentFilteredTopic*& topic);
    // This participant's topic of that name, or one made after another
    // participant's of the domain; waits up to `timeout` for one to appear.
    virtual Topic* find_topic(const std::string& topic_name, const Duration_t& timeout);
    virtual TopicDescription* lookup_topicdescription(const std::string& name);
    virtual ReturnCode_t delete_contained_entities();
    virtual ReturnCode_t set_qos(const DomainParticipantQos& qos);
    virtual ReturnCode_t get_qos(DomainParticipantQos& qos);
    virtual ReturnCode_t set_qos_with_profile(const char* library_name, const char* profile_name,
                                              const char* qos_name);
    virtual ReturnCode_t set_listener(DomainParticipantListener* listener, const StatusMask& mask);
    virtual DomainParticipantListener* get_listener();
    virtual ReturnCode_t ignore_participant(const InstanceHandle_t& handle);
    virtual ReturnCode_t ignore_topic(const InstanceHandle_t& handle);
    virtual ReturnCode_t ignore_publication(const InstanceHandle_t& handle);
    virtual ReturnCode_t ignore_subscription(const InstanceHandle_t& handle);
    virtual DomainId_t get_domain_id();
    virtual ReturnCode_t assert_liveliness();
    virtual ReturnCode_t set_default_publisher_qos(const PublisherQos& qos);
    virtual ReturnCode_t get_default_publisher_qos(PublisherQos& qos);
    virtual ReturnCode_t set_default_publisher_qos_with_profile(const char* library_name,
                                                                const char* profile_name, const char* qos_name);
    virtual ReturnCode_t set_default_subscriber_qos(const SubscriberQos& qos);
    virtual ReturnCode_t get_default_subscriber_qos(SubscriberQos& qos);
    virtual ReturnCode_t set_default_subscriber_qos_with_profile(const char* library_name,
                                                                 const char* profile_name, const char* qos_name);
    virtual ReturnCode_t set_default_topic_qos(const TopicQos& qos);
    virtual ReturnCode_t get_default_topic_qos(TopicQos& qos);
    virtual ReturnCode_t set_default_topic_qos_with_profile(const char* library_name, const char* profile_name,
                                                            const char* qos_name);
    // Whether a publisher, subscriber, topic, writer or reader of this
    // participant has that handle.
    virtual bool contains_entity(const InstanceHandle_t& handle);
    // Participants and topics of the domain, this participant's included.
    virtual ReturnCode_t get_discovered_participants(std::vector<InstanceHandle_t>& participant_handles);
    virtual ReturnCode_t get_discovered_participant_data(ParticipantBuiltinTopicData& participant_data,
                                                         const InstanceHandle_t& participant_handle);
    virtual ReturnCode_t get_discovered_topics(std::vector<InstanceHandle_t>& topic_handles);
    virtual ReturnCode_t get_discovered_topic_data(TopicBuiltinTopicData& topic_data,
                                                   const InstanceHandle_t& topic_handle);

    // The system clock.
    static ReturnCode_t get_current_time(Time_t& current_time);
};

}  // namespace ZORVEX

#endif
