#include "engine/entity_operations.h"
#include "engine/topic.h"

#include "engine/participant.h"
#include "engine/qos_rules.h"
#include "engine/statuses.h"

namespace ZORVEX::engine {

TopicImpl::TopicImpl(ParticipantImpl& participant, const std::string& name, const std::string& type_name,
                     const TypeDescriptor& type, const TopicQos& qos, HeldListener<TopicListener> listener,
                     StatusMask mask)
    : participant_(participant),
      name_(name),
      type_name_(type_name),
      type_(type),
      qos_(qos),
      listener_{std::move(listener), mask} {}

DomainParticipant* TopicImpl::get_participant() {
    Guard g;
    return deleted_ ? nullptr : &participant_;
}

ReturnCode_t TopicImpl::enable() {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    if (!participant_.enabled_) return RETCODE_PRECONDITION_NOT_MET;
    enabled_ = true;
    return RETCODE_OK;
}

ReturnCode_t TopicImpl::get_qos(TopicQos& qos) {
    Guard g;
    qos = qos_;
    return RETCODE_OK;
}

ReturnCode_t TopicImpl::set_qos(const TopicQos& qos) { return change_qos(*this, qos_, qos); }

ReturnCode_t TopicImpl::set_listener(TopicListener* listener, const StatusMask& mask) {
    return install_listener(*this, listener_, listener, mask);
}

TopicListener* TopicImpl::get_listener() {
    return listener_.lend();
}

ReturnCode_t TopicImpl::get_inconsistent_topic_status(InconsistentTopicStatus& status) {
    Guard g;
    read_status(*this, INCONSISTENT_TOPIC_STATUS, inconsistent_, status);
    return RETCODE_OK;
}

void TopicImpl::inconsistent_with_another(Deferred& after) {
    ++inconsistent_.total_count;
    ++inconsistent_.total_count_change;
    raise(*this, INCONSISTENT_TOPIC_STATUS, inconsistent_, &TopicListener::on_inconsistent_topic, after);
}

FilteredTopicImpl::FilteredTopicImpl(ParticipantImpl& participant, const std::string& name, TopicImpl& related,
                                     const std::string& filter, const std::vector<std::string>& parameters)
    : participant_(participant), name_(name), related_(related), filter_(filter), parameters_(parameters) {}

DomainParticipant* FilteredTopicImpl::get_participant() {
    Guard g;
    return deleted_ ? nullptr : &participant_;
}

ReturnCode_t FilteredTopicImpl::get_expression_parameters(std::vector<std::string>& expression_parameters) {
    Guard g;
    expression_parameters = parameters_;
    return RETCODE_OK;
}

ReturnCode_t FilteredTopicImpl::set_expression_parameters(const std::vector<std::string>& expression_parameters) {
    std::vector<std::string> copy = expression_parameters;  // made whole before the lock
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    parameters_.swap(copy);
    return RETCODE_OK;
}

Topic* FilteredTopicImpl::get_related_topic() {
    Guard g;
    return deleted_ ? nullptr : &related_;
}

}  // namespace ZORVEX::engine
