// A domain participant: registered types, topics, publishers, subscribers.
#ifndef ZORVEX_SRC_ENGINE_PARTICIPANT_H
#define ZORVEX_SRC_ENGINE_PARTICIPANT_H

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/entity_base.h"
#include "engine/factory.h"
#include "engine/listener_slot.h"

namespace ZORVEX::engine {

class Plan;
class PublisherImpl;
class SubscriberImpl;
class TopicImpl;
class FilteredTopicImpl;

class ParticipantImpl final : public EntityBase<DomainParticipant>,
                              public std::enable_shared_from_this<ParticipantImpl> {
public:
    ParticipantImpl(Domain& domain, const DomainParticipantQos& qos,
                    HeldListener<DomainParticipantListener> listener, StatusMask mask);

    ReturnCode_t enable() override;
    Publisher* create_publisher(const PublisherQos& qos, PublisherListener* listener,
                                const StatusMask& mask) override;
    ReturnCode_t delete_publisher(Publisher*& publisher) override;
    Subscriber* create_subscriber(const SubscriberQos& qos, SubscriberListener* listener,
                                  const StatusMask& mask) override;
    ReturnCode_t delete_subscriber(Subscriber*& subscriber) override;
    ReturnCode_t register_type(const std::string& type_name, const TypeDescriptor* descriptor) override;
    Topic* create_topic(const std::string& topic_name, const std::string& type_name, const TopicQos& qos,
                        TopicListener* listener, const StatusMask& mask) override;
    ReturnCode_t delete_topic(Topic*& topic) override;
    ContentFilteredTopic* create_contentfilteredtopic(const std::string& name, Topic* related_topic,
                                                      const std::string& filter_expression,
                                                      const std::vector<std::string>& expression_parameters) override;
    ReturnCode_t delete_contentfilteredtopic(ContentFilteredTopic*& topic) override;
    Topic* find_topic(const std::string& topic_name, const Duration_t& timeout) override;
    TopicDescription* lookup_topicdescription(const std::string& name) override;
    ReturnCode_t delete_contained_entities() override;
    ReturnCode_t set_qos(const DomainParticipantQos& qos) override;
    ReturnCode_t get_qos(DomainParticipantQos& qos) override;
    ReturnCode_t set_listener(DomainParticipantListener* listener, const StatusMask& mask) override;
    DomainParticipantListener* get_listener() override;
    DomainId_t get_domain_id() override;
    ReturnCode_t assert_liveliness() override;
    ReturnCode_t set_default_publisher_qos(const PublisherQos& qos) override;
    ReturnCode_t get_default_publisher_qos(PublisherQos& qos) override;
    ReturnCode_t set_default_subscriber_qos(const SubscriberQos& qos) override;
    ReturnCode_t get_default_subscriber_qos(SubscriberQos& qos) override;
    ReturnCode_t set_default_topic_qos(const TopicQos& qos) override;
    ReturnCode_t get_default_topic_qos(TopicQos& qos) override;
    bool contains_entity(const InstanceHandle_t& handle) override;
    ReturnCode_t get_discovered_participants(std::vector<InstanceHandle_t>& participant_handles) override;
    ReturnCode_t get_discovered_participant_data(ParticipantBuiltinTopicData& participant_data,
                                                 const InstanceHandle_t& participant_handle) override;
    ReturnCode_t get_discovered_topics(std::vector<InstanceHandle_t>& topic_handles) override;
    ReturnCode_t get_discovered_topic_data(TopicBuiltinTopicData& topic_data,
                                           const InstanceHandle_t& topic_handle) override;

    // Under the engine lock.
    bool autoenables() const { return enabled_ && qos_.entity_factory.autoenable_created_entities; }
    void enable_locked(Plan& plan);
    bool has_children() const;
    bool can_tear_down() const;  // no reader has loans out
    // Deletes every child; it cannot fail once prepared.
    void prepare_tear_down(Plan& plan, std::vector<std::string>& topic_names) const;
    void tear_down(const std::vector<std::string>& topic_names, Deferred& after) noexcept;
    TopicImpl* local_topic(const std::string& name) const;
    TopicDescription* lookup_topicdescription_locked(const std::string& name) const;
    // Topics of every participant of the domain, by name; it cannot fail
    // once prepared.
    void prepare_topic_appeared(Deferred& after) const;
    void topic_appeared(TopicImpl& topic, Deferred& after) noexcept;

    Domain& domain_;  // meaningless once deleted: the domain may be gone
    const DomainId_t domain_id_;
    DomainParticipantQos qos_;
    ListenerSlot<DomainParticipantListener> listener_;
    PublisherQos default_publisher_qos_;
    SubscriberQos default_subscriber_qos_;
    TopicQos default_topic_qos_;
    std::map<std::string, TypeDescriptor> types_;
    std::vector<std::shared_ptr<PublisherImpl>> publishers_;
    std::vector<std::shared_ptr<SubscriberImpl>> subscribers_;
    std::vector<std::shared_ptr<TopicImpl>> topics_;
    std::vector<std::shared_ptr<FilteredTopicImpl>> filtered_topics_;
};

}  // namespace ZORVEX::engine

#endif
