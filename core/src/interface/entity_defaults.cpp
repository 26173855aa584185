// Default bodies of Entity and the topic classes: "not provided here".
#include "zorvex/topic.h"

namespace ZORVEX {

namespace {
const StatusMask no_status_changes = 0;
}

Entity::~Entity() = default;
ReturnCode_t Entity::enable() { return RETCODE_UNSUPPORTED; }
StatusCondition* Entity::get_statuscondition() { return nullptr; }
const StatusMask& Entity::get_status_changes() { return no_status_changes; }
const InstanceHandle_t& Entity::get_instance_handle() { return HANDLE_NIL; }

TopicDescription::~TopicDescription() = default;
const char* TopicDescription::get_type_name() { return ""; }
const char* TopicDescription::get_name() { return ""; }
DomainParticipant* TopicDescription::get_participant() { return nullptr; }

Topic::~Topic() = default;
ReturnCode_t Topic::get_qos(TopicQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Topic::set_qos(const TopicQos&) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Topic::set_qos_with_profile(const char*, const char*, const char*) { return RETCODE_UNSUPPORTED; }
ReturnCode_t Topic::set_listener(TopicListener* listener, const StatusMask&) {
    delete listener;  // a listener handed over belongs to the core
    return RETCODE_UNSUPPORTED;
}
TopicListener* Topic::get_listener() { return nullptr; }
ReturnCode_t Topic::get_inconsistent_topic_status(InconsistentTopicStatus&) { return RETCODE_UNSUPPORTED; }

ContentFilteredTopic::~ContentFilteredTopic() = default;
const char* ContentFilteredTopic::get_filter_expression() { return ""; }
ReturnCode_t ContentFilteredTopic::get_expression_parameters(std::vector<std::string>&) {
    return RETCODE_UNSUPPORTED;
}
ReturnCode_t ContentFilteredTopic::set_expression_parameters(const std::vector<std::string>&) {
    return RETCODE_UNSUPPORTED;
}
Topic* ContentFilteredTopic::get_related_topic() { return nullptr; }

}  // namespace ZORVEX
