// The interface's plain functions that need no engine state.
#include "common/clock.h"
#include "zorvex/domain.h"
#include "zorvex/publication.h"
#include "zorvex/subscription.h"

namespace ZORVEX {

ReturnCode_t DomainParticipant::get_current_time(Time_t& current_time) {
    current_time = clock_now();
    return RETCODE_OK;
}

ReturnCode_t Publisher::copy_from_topic_qos(DataWriterQos& w, const TopicQos& t) {
    w.durability = t.durability;
    w.durability_service = t.durability_service;
    w.deadline = t.deadline;
    w.latency_budget = t.latency_budget;
    w.liveliness = t.liveliness;
    w.reliability = t.reliability;
    w.destination_order = t.destination_order;
    w.history = t.history;
    w.resource_limits = t.resource_limits;
    w.transport_priority = t.transport_priority;
    w.lifespan = t.lifespan;
    w.ownership = t.ownership;
    return RETCODE_OK;
}

ReturnCode_t Subscriber::copy_from_topic_qos(DataReaderQos& r, const TopicQos& t) {
    r.durability = t.durability;
    r.deadline = t.deadline;
    r.latency_budget = t.latency_budget;
    r.liveliness = t.liveliness;
    r.reliability = t.reliability;
    r.destination_order = t.destination_order;
    r.history = t.history;
    r.resource_limits = t.resource_limits;
    r.ownership = t.ownership;
    return RETCODE_OK;
}

}  // namespace ZORVEX
