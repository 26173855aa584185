// Topics and content-filtered topics of a participant.
#ifndef ZORVEX_SRC_ENGINE_TOPIC_H
#define ZORVEX_SRC_ENGINE_TOPIC_H

#include <memory>
#include <string>
#include <vector>

#include "engine/entity_base.h"
#include "engine/listener_slot.h"
#include "zorvex/topic.h"
#include "zorvex/type_descriptor.h"

namespace ZORVEX::engine {

class ParticipantImpl;

inline bool same_layout(const TypeDescriptor& a, const TypeDescriptor& b) {
    return a.sample_size == b.sample_size && a.key_offset == b.key_offset && a.key_size == b.key_size;
}

class TopicImpl final : public EntityBase<Topic>, public std::enable_shared_from_this<TopicImpl> {
public:
    TopicImpl(ParticipantImpl& participant, const std::string& name, const std::string& type_name,
              const TypeDescriptor& type, const TopicQos& qos, HeldListener<TopicListener> listener,
              StatusMask mask);

    const char* get_type_name() override { return type_name_.c_str(); }
    const char* get_name() override { return name_.c_str(); }
    DomainParticipant* get_participant() override;
    ReturnCode_t enable() override;
    ReturnCode_t get_qos(TopicQos& qos) override;
    ReturnCode_t set_qos(const TopicQos& qos) override;
    ReturnCode_t set_listener(TopicListener* listener, const StatusMask& mask) override;
    TopicListener* get_listener() override;
    ReturnCode_t get_inconsistent_topic_status(InconsistentTopicStatus& status) override;

    // Under the engine lock: another topic of the same name disagrees.
    void inconsistent_with_another(Deferred& after);

    ParticipantImpl& participant_;
    const std::string name_;
    const std::string type_name_;
    const TypeDescriptor type_;
    TopicQos qos_;
    ListenerSlot<TopicListener> listener_;
    InconsistentTopicStatus inconsistent_;
    int references_ = 1;  // create_topic and each find_topic
    int users_ = 0;       // writers, readers and filtered topics on it
};

class FilteredTopicImpl final : public ContentFilteredTopic {
public:
    FilteredTopicImpl(ParticipantImpl& participant, const std::string& name, TopicImpl& related,
                      const std::string& filter, const std::vector<std::string>& parameters);

    const char* get_type_name() override { return related_.type_name_.c_str(); }
    const char* get_name() override { return name_.c_str(); }
    DomainParticipant* get_participant() override;
    const char* get_filter_expression() override { return filter_.c_str(); }
    ReturnCode_t get_expression_parameters(std::vector<std::string>& expression_parameters) override;
    ReturnCode_t set_expression_parameters(const std::vector<std::string>& expression_parameters) override;
    Topic* get_related_topic() override;

    ParticipantImpl& participant_;
    const std::string name_;
    TopicImpl& related_;
    const std::string filter_;
    std::vector<std::string> parameters_;
    bool deleted_ = false;
};

}  // namespace ZORVEX::engine

#endif
