// Topics: a topic names a registered type in a participant. Topic's entity
// part lies at the topic's own address; TopicDescription is a virtual base.
#ifndef ZORVEX_TOPIC_H
#define ZORVEX_TOPIC_H

#include <string>
#include <vector>

#include "zorvex/entity.h"
#include "zorvex/listeners.h"
#include "zorvex/qos.h"
#include "zorvex/status.h"

namespace ZORVEX {

class QUILLMAR_API TopicDescription {
public:
    virtual ~TopicDescription();
    // Text that lives as long as the topic description.
    virtual const char* get_type_name();
    virtual const char* get_name();
    virtual DomainParticipant* get_participant();

protected:
    TopicDescription() = default;
    TopicDescription(const TopicDescription&) = delete;
    TopicDescription& operator=(const TopicDescription&) = delete;
};

class QUILLMAR_API Topic : public Entity, public virtual TopicDescription {
public:
    ~Topic() override;
    virtual ReturnCode_t get_qos(TopicQos& qos);
    virtual ReturnCode_t set_qos(const TopicQos& qos);
    virtual ReturnCode_t set_qos_with_profile(const char* library_name, const char* profile_name,
                                              const char* qos_name);
    virtual ReturnCode_t set_listener(TopicListener* listener, const StatusMask& mask);
    virtual TopicListener* get_listener();
    virtual ReturnCode_t get_inconsistent_topic_status(InconsistentTopicStatus& status);
};

// Keeps its filter expression and parameters; no data reader can be created
// on one (the engine evaluates no filter).
class QUILLMAR_API ContentFilteredTopic : public virtual TopicDescription {
public:
    ~ContentFilteredTopic() override;
    virtual const char* get_filter_expression();
    virtual ReturnCode_t get_expression_parameters(std::vector<std::string>& expression_parameters);
    virtual ReturnCode_t set_expression_parameters(const std::vector<std::string>& expression_parameters);
    virtual Topic* get_related_topic();
};

}  // namespace ZORVEX

#endif
