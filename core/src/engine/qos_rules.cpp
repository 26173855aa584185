#include "engine/qos_rules.h"

#include <fnmatch.h>

#include <cstring>

#include "common/durations.h"

namespace ZORVEX::engine::qos {

namespace {

using durations::longer;
using durations::valid;

bool same(const Duration_t& a, const Duration_t& b) { return a.sec == b.sec && a.nanosec == b.nanosec; }

// A deadline period or liveliness lease of zero, the value a C record starts
// from, names no period: this engine runs no deadline or liveliness timers,
// so it matches such an endpoint as one with an infinite period.
Duration_t period(const Duration_t& d) { return d.sec == 0 && d.nanosec == 0 ? DURATION_INFINITE : d; }

bool limit_ok(int32_t v) { return v == LENGTH_UNLIMITED || v > 0; }

// A bounded `small` may not exceed a bounded `big`.
bool within(int32_t small, int32_t big) { return small == LENGTH_UNLIMITED || big == LENGTH_UNLIMITED || small <= big; }

bool history_ok(const HistoryQosPolicy& h, const ResourceLimitsQosPolicy& r) {
    if (h.kind > KEEP_ALL_HISTORY_QOS) return false;
    if (!limit_ok(r.max_samples) || !limit_ok(r.max_instances) || !limit_ok(r.max_samples_per_instance))
        return false;
    if (!within(r.max_samples_per_instance, r.max_samples)) return false;
    return h.kind == KEEP_ALL_HISTORY_QOS || (h.depth > 0 && within(h.depth, r.max_samples_per_instance));
}

bool durability_service_ok(const DurabilityServiceQosPolicy& d) {
    return valid(d.service_cleanup_delay) &&
           history_ok({d.history_kind, d.history_depth}, {d.max_samples, d.max_instances, d.max_samples_per_instance});
}

bool kinds_ok(DurabilityQosPolicyKind durability, const LivelinessQosPolicy& liveliness,
              const ReliabilityQosPolicy& reliability, DestinationOrderQosPolicyKind order,
              OwnershipQosPolicyKind ownership) {
    return durability <= PERSISTENT_DURABILITY_QOS && liveliness.kind <= MANUAL_BY_TOPIC_LIVELINESS_QOS &&
           (reliability.kind == BEST_EFFORT_RELIABILITY_QOS || reliability.kind == RELIABLE_RELIABILITY_QOS) &&
           order <= BY_SOURCE_TIMESTAMP_DESTINATIONORDER_QOS && ownership <= EXCLUSIVE_OWNERSHIP_QOS &&
           valid(liveliness.lease_duration) && valid(reliability.max_blocking_time);
}

bool same(const PresentationQosPolicy& a, const PresentationQosPolicy& b) {
    return a.access_scope == b.access_scope && a.coherent_access == b.coherent_access &&
           a.ordered_access == b.ordered_access;
}
bool same(const DurabilityServiceQosPolicy& a, const DurabilityServiceQosPolicy& b) {
    return same(a.service_cleanup_delay, b.service_cleanup_delay) && a.history_kind == b.history_kind &&
           a.history_depth == b.history_depth && a.max_samples == b.max_samples &&
           a.max_instances == b.max_instances && a.max_samples_per_instance == b.max_samples_per_instance;
}
// Leases compare as matching reads them, so a zero lease (what a C record
// starts from) is the default's infinite one.
bool same(const LivelinessQosPolicy& a, const LivelinessQosPolicy& b) {
    return a.kind == b.kind && same(period(a.lease_duration), period(b.lease_duration));
}
bool same(const ReliabilityQosPolicy& a, const ReliabilityQosPolicy& b) {
    return a.kind == b.kind && same(a.max_blocking_time, b.max_blocking_time);
}
bool same(const HistoryQosPolicy& a, const HistoryQosPolicy& b) { return a.kind == b.kind && a.depth == b.depth; }
bool same(const ResourceLimitsQosPolicy& a, const ResourceLimitsQosPolicy& b) {
    return a.max_samples == b.max_samples && a.max_instances == b.max_instances &&
           a.max_samples_per_instance == b.max_samples_per_instance;
}

// The policies fixed at enable that topics, writers and readers share.
template <class A, class B>
bool same_endpoint_policies(const A& a, const B& b) {
    return a.durability.kind == b.durability.kind && same(a.liveliness, b.liveliness) &&
           same(a.reliability, b.reliability) && a.destination_order.kind == b.destination_order.kind &&
           same(a.history, b.history) && same(a.resource_limits, b.resource_limits) &&
           a.ownership.kind == b.ownership.kind;
}

bool is_wildcard(const std::string& name) { return name.find_first_of("*?[") != std::string::npos; }

bool names_meet(const std::string& a, const std::string& b) {
    if (a == b) return true;
    const bool wa = is_wildcard(a), wb = is_wildcard(b);
    if (wa == wb) return false;
    return wa ? fnmatch(a.c_str(), b.c_str(), 0) == 0 : fnmatch(b.c_str(), a.c_str(), 0) == 0;
}

}  // namespace

bool consistent(const DomainParticipantQos&) { return true; }
bool consistent(const PublisherQos& q) { return q.presentation.access_scope <= GROUP_PRESENTATION_QOS; }
bool consistent(const SubscriberQos& q) { return q.presentation.access_scope <= GROUP_PRESENTATION_QOS; }

bool consistent(const TopicQos& q) {
    return kinds_ok(q.durability.kind, q.liveliness, q.reliability, q.destination_order.kind, q.ownership.kind) &&
           history_ok(q.history, q.resource_limits) && durability_service_ok(q.durability_service) &&
           valid(q.deadline.period) && valid(q.latency_budget.duration) && valid(q.lifespan.duration);
}

bool consistent(const DataWriterQos& q) {
    return kinds_ok(q.durability.kind, q.liveliness, q.reliability, q.destination_order.kind, q.ownership.kind) &&
           history_ok(q.history, q.resource_limits) && durability_service_ok(q.durability_service) &&
           valid(q.deadline.period) && valid(q.latency_budget.duration) && valid(q.lifespan.duration);
}

bool consistent(const DataReaderQos& q) {
    return kinds_ok(q.durability.kind, q.liveliness, q.reliability, q.destination_order.kind, q.ownership.kind) &&
           history_ok(q.history, q.resource_limits) && valid(q.deadline.period) &&
           valid(q.latency_budget.duration) && valid(q.time_based_filter.minimum_separation) &&
           !longer(q.time_based_filter.minimum_separation, period(q.deadline.period)) &&
           valid(q.reader_data_lifecycle.autopurge_nowriter_samples_delay) &&
           valid(q.reader_data_lifecycle.autopurge_disposed_samples_delay);
}

bool changeable(const DomainParticipantQos&, const DomainParticipantQos&) { return true; }
bool changeable(const PublisherQos& now, const PublisherQos& next) { return same(now.presentation, next.presentation); }
bool changeable(const SubscriberQos& now, const SubscriberQos& next) {
    return same(now.presentation, next.presentation);
}
bool changeable(const TopicQos& now, const TopicQos& next) {
    return same_endpoint_policies(now, next) && same(now.durability_service, next.durability_service);
}
bool changeable(const DataWriterQos& now, const DataWriterQos& next) {
    return same_endpoint_policies(now, next) && same(now.durability_service, next.durability_service);
}
bool changeable(const DataReaderQos& now, const DataReaderQos& next) { return same_endpoint_policies(now, next); }

std::vector<QosPolicyId_t> incompatible_policies(const DataWriterQos& w, const PublisherQos& pub,
                                                 const DataReaderQos& r, const SubscriberQos& sub) {
    std::vector<QosPolicyId_t> out;
    if (w.durability.kind < r.durability.kind) out.push_back(DURABILITY_QOS_POLICY_ID);
    const PresentationQosPolicy& offered = pub.presentation;
    const PresentationQosPolicy& requested = sub.presentation;
    if (offered.access_scope < requested.access_scope || (requested.coherent_access && !offered.coherent_access) ||
        (requested.ordered_access && !offered.ordered_access))
        out.push_back(PRESENTATION_QOS_POLICY_ID);
    if (longer(period(w.deadline.period), period(r.deadline.period))) out.push_back(DEADLINE_QOS_POLICY_ID);
    if (longer(w.latency_budget.duration, r.latency_budget.duration)) out.push_back(LATENCYBUDGET_QOS_POLICY_ID);
    if (w.ownership.kind != r.ownership.kind) out.push_back(OWNERSHIP_QOS_POLICY_ID);
    if (w.liveliness.kind < r.liveliness.kind || longer(period(w.liveliness.lease_duration), period(r.liveliness.lease_duration)))
        out.push_back(LIVELINESS_QOS_POLICY_ID);
    if (w.reliability.kind < r.reliability.kind) out.push_back(RELIABILITY_QOS_POLICY_ID);
    if (w.destination_order.kind < r.destination_order.kind) out.push_back(DESTINATIONORDER_QOS_POLICY_ID);
    return out;
}

bool partitions_meet(const PartitionQosPolicy& a, const PartitionQosPolicy& b) {
    static const std::vector<std::string> default_partition{""};
    const auto& as = a.name.empty() ? default_partition : a.name;
    const auto& bs = b.name.empty() ? default_partition : b.name;
    for (const auto& x : as)
        for (const auto& y : bs)
            if (names_meet(x, y)) return true;
    return false;
}

}  // namespace ZORVEX::engine::qos
