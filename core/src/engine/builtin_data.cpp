#include "engine/builtin_data.h"

#include "engine/participant.h"
#include "engine/publisher.h"
#include "engine/reader.h"
#include "engine/subscriber.h"
#include "engine/topic.h"
#include "engine/writer.h"

namespace ZORVEX::engine {

void describe(const ParticipantImpl& p, ParticipantBuiltinTopicData& out) {
    out.key = builtin_key(p.handle_);
    out.user_data = p.qos_.user_data;
}

void describe(const TopicImpl& t, TopicBuiltinTopicData& out) {
    const TopicQos& q = t.qos_;
    out.key = builtin_key(t.handle_);
    out.name = t.name_;
    out.type_name = t.type_name_;
    out.durability = q.durability;
    out.durability_service = q.durability_service;
    out.deadline = q.deadline;
    out.latency_budget = q.latency_budget;
    out.liveliness = q.liveliness;
    out.reliability = q.reliability;
    out.transport_priority = q.transport_priority;
    out.lifespan = q.lifespan;
    out.destination_order = q.destination_order;
    out.history = q.history;
    out.resource_limits = q.resource_limits;
    out.ownership = q.ownership;
    out.topic_data = q.topic_data;
}

void describe(const WriterImpl& w, PublicationBuiltinTopicData& out) {
    const DataWriterQos& q = w.qos_;
    out.key = builtin_key(w.handle_);
    out.participant_key = builtin_key(w.publisher_.participant_.handle_);
    out.topic_name = w.topic_.name_;
    out.type_name = w.topic_.type_name_;
    out.durability = q.durability;
    out.durability_service = q.durability_service;
    out.deadline = q.deadline;
    out.latency_budget = q.latency_budget;
    out.liveliness = q.liveliness;
    out.reliability = q.reliability;
    out.lifespan = q.lifespan;
    out.user_data = q.user_data;
    out.ownership = q.ownership;
    out.ownership_strength = q.ownership_strength;
    out.destination_order = q.destination_order;
    out.presentation = w.publisher_.qos_.presentation;
    out.partition = w.publisher_.qos_.partition;
    out.topic_data = w.topic_.qos_.topic_data;
    out.group_data = w.publisher_.qos_.group_data;
}

void describe(const ReaderImpl& r, SubscriptionBuiltinTopicData& out) {
    const DataReaderQos& q = r.qos_;
    out.key = builtin_key(r.handle_);
    out.participant_key = builtin_key(r.subscriber_.participant_.handle_);
    out.topic_name = r.topic_.name_;
    out.type_name = r.topic_.type_name_;
    out.durability = q.durability;
    out.deadline = q.deadline;
    out.latency_budget = q.latency_budget;
    out.liveliness = q.liveliness;
    out.reliability = q.reliability;
    out.ownership = q.ownership;
    out.destination_order = q.destination_order;
    out.user_data = q.user_data;
    out.time_based_filter = q.time_based_filter;
    out.presentation = r.subscriber_.qos_.presentation;
    out.partition = r.subscriber_.qos_.partition;
    out.topic_data = r.topic_.qos_.topic_data;
    out.group_data = r.subscriber_.qos_.group_data;
}

}  // namespace ZORVEX::engine
