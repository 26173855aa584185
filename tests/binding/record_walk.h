// Walks the members of a C record (or two records of one type side by side)
// in the test's own lists, to give every member a value that differs from
// its default and to compare records member by member.
#ifndef QUILLMARC_TESTS_BINDING_RECORD_WALK_H
#define QUILLMARC_TESTS_BINDING_RECORD_WALK_H

#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

#include "c_records.h"

namespace walk {

// A value other than the one the member holds, still inside the kind table.
inline void vary(DDS_Long& v, int seed) { v = 1000 + seed; }
inline void vary(DDS_Boolean& b, int) { b = b ? 0 : 1; }
inline void vary(DDS_Duration_t& d, int seed) { d = {seed, 1000u * static_cast<DDS_ULong>(seed) + 7u}; }
template <class Kind, std::enable_if_t<std::is_enum<Kind>::value, int> = 0>
void vary(Kind& k, int) {
  k = static_cast<Kind>(k == 0 ? 1 : 0);
}
inline void vary(DDS_UCharSequence& s, int seed) { bytes(s).assign(3, static_cast<unsigned char>(seed)); }
inline void vary(DDS_CStringSequence& s, int seed) { set_names(s, {"p" + std::to_string(seed), "q"}); }
inline void vary(DDS_CString& s, int seed) { s = "name" + std::to_string(seed); }
inline void vary(DDS_BuiltinTopicKey_t& k, int seed) { k = {{seed, -seed, 7 * seed}}; }

inline bool same(const DDS_UCharSequence& a, const DDS_UCharSequence& b) {
  return static_cast<std::vector<unsigned char>&>(a) == static_cast<std::vector<unsigned char>&>(b);
}
inline bool same(const DDS_CStringSequence& a, const DDS_CStringSequence& b) {
  return names(const_cast<DDS_CStringSequence&>(a)) == names(const_cast<DDS_CStringSequence&>(b));
}
inline bool same(const DDS_CString& a, const DDS_CString& b) {
  return static_cast<std::string&>(a) == static_cast<std::string&>(b);
}
template <class Plain, std::enable_if_t<std::is_trivially_copyable<Plain>::value, int> = 0>
bool same(const Plain& a, const Plain& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// Policy members, side by side in a and b.
#define WALK(m) f(a.m, b.m);
template <class F> void policy(DDS_UserDataQosPolicy& a, DDS_UserDataQosPolicy& b, F f) { WALK(value) }
template <class F> void policy(DDS_TopicDataQosPolicy& a, DDS_TopicDataQosPolicy& b, F f) { WALK(value) }
template <class F> void policy(DDS_GroupDataQosPolicy& a, DDS_GroupDataQosPolicy& b, F f) { WALK(value) }
template <class F> void policy(DDS_PartitionQosPolicy& a, DDS_PartitionQosPolicy& b, F f) { WALK(name) }
template <class F> void policy(DDS_EntityFactoryQosPolicy& a, DDS_EntityFactoryQosPolicy& b, F f) {
  WALK(autoenable_created_entities)
}
template <class F> void policy(DDS_PresentationQosPolicy& a, DDS_PresentationQosPolicy& b, F f) {
  WALK(access_scope) WALK(coherent_access) WALK(ordered_access)
}
template <class F> void policy(DDS_DurabilityQosPolicy& a, DDS_DurabilityQosPolicy& b, F f) { WALK(kind) }
template <class F> void policy(DDS_DurabilityServiceQosPolicy& a, DDS_DurabilityServiceQosPolicy& b, F f) {
  WALK(service_cleanup_delay) WALK(history_kind) WALK(history_depth) WALK(max_samples) WALK(max_instances)
  WALK(max_samples_per_instance)
}
template <class F> void policy(DDS_DeadlineQosPolicy& a, DDS_DeadlineQosPolicy& b, F f) { WALK(period) }
template <class F> void policy(DDS_LatencyBudgetQosPolicy& a, DDS_LatencyBudgetQosPolicy& b, F f) { WALK(duration) }
template <class F> void policy(DDS_LivelinessQosPolicy& a, DDS_LivelinessQosPolicy& b, F f) {
  WALK(kind) WALK(lease_duration)
}
template <class F> void policy(DDS_ReliabilityQosPolicy& a, DDS_ReliabilityQosPolicy& b, F f) {
  WALK(kind) WALK(max_blocking_time)
}
template <class F> void policy(DDS_DestinationOrderQosPolicy& a, DDS_DestinationOrderQosPolicy& b, F f) { WALK(kind) }
template <class F> void policy(DDS_HistoryQosPolicy& a, DDS_HistoryQosPolicy& b, F f) { WALK(kind) WALK(depth) }
template <class F> void policy(DDS_ResourceLimitsQosPolicy& a, DDS_ResourceLimitsQosPolicy& b, F f) {
  WALK(max_samples) WALK(max_instances) WALK(max_samples_per_instance)
}
template <class F> void policy(DDS_TransportPriorityQosPolicy& a, DDS_TransportPriorityQosPolicy& b, F f) { WALK(value) }
template <class F> void policy(DDS_LifespanQosPolicy& a, DDS_LifespanQosPolicy& b, F f) { WALK(duration) }
template <class F> void policy(DDS_OwnershipQosPolicy& a, DDS_OwnershipQosPolicy& b, F f) { WALK(kind) }
template <class F> void policy(DDS_OwnershipStrengthQosPolicy& a, DDS_OwnershipStrengthQosPolicy& b, F f) { WALK(value) }
template <class F> void policy(DDS_WriterDataLifecycleQosPolicy& a, DDS_WriterDataLifecycleQosPolicy& b, F f) {
  WALK(autodispose_unregistered_instances)
}
template <class F> void policy(DDS_ReaderDataLifecycleQosPolicy& a, DDS_ReaderDataLifecycleQosPolicy& b, F f) {
  WALK(autopurge_nowriter_samples_delay) WALK(autopurge_disposed_samples_delay)
}
template <class F> void policy(DDS_TimeBasedFilterQosPolicy& a, DDS_TimeBasedFilterQosPolicy& b, F f) {
  WALK(minimum_separation)
}
// Keys and names are leaves of their own.
template <class F> void policy(DDS_BuiltinTopicKey_t& a, DDS_BuiltinTopicKey_t& b, F f) { f(a, b); }
template <class F> void policy(DDS_CString& a, DDS_CString& b, F f) { f(a, b); }
#undef WALK

// Every leaf member of two records of one type, side by side.
#define WALK(m) policy(a.m, b.m, f);
template <class F> void record(DDS_DomainParticipantQos& a, DDS_DomainParticipantQos& b, F f) {
  WALK(user_data) WALK(entity_factory)
}
template <class F> void record(DDS_PublisherQos& a, DDS_PublisherQos& b, F f) {
  WALK(presentation) WALK(partition) WALK(group_data) WALK(entity_factory)
}
template <class F> void record(DDS_SubscriberQos& a, DDS_SubscriberQos& b, F f) {
  WALK(presentation) WALK(partition) WALK(group_data) WALK(entity_factory)
}
template <class F> void record(DDS_TopicQos& a, DDS_TopicQos& b, F f) {
  WALK(topic_data) WALK(durability) WALK(durability_service) WALK(deadline) WALK(latency_budget)
  WALK(liveliness) WALK(reliability) WALK(destination_order) WALK(history) WALK(resource_limits)
  WALK(transport_priority) WALK(lifespan) WALK(ownership)
}
template <class F> void record(DDS_DataWriterQos& a, DDS_DataWriterQos& b, F f) {
  WALK(durability) WALK(durability_service) WALK(deadline) WALK(latency_budget) WALK(liveliness)
  WALK(reliability) WALK(destination_order) WALK(history) WALK(resource_limits) WALK(transport_priority)
  WALK(lifespan) WALK(user_data) WALK(ownership) WALK(ownership_strength) WALK(writer_data_lifecycle)
}
template <class F> void record(DDS_DataReaderQos& a, DDS_DataReaderQos& b, F f) {
  WALK(durability) WALK(deadline) WALK(latency_budget) WALK(liveliness) WALK(reliability)
  WALK(destination_order) WALK(history) WALK(resource_limits) WALK(user_data) WALK(ownership)
  WALK(time_based_filter) WALK(reader_data_lifecycle)
}
template <class F> void record(DDS_ParticipantBuiltinTopicData& a, DDS_ParticipantBuiltinTopicData& b, F f) {
  WALK(key) WALK(user_data)
}
template <class F> void record(DDS_TopicBuiltinTopicData& a, DDS_TopicBuiltinTopicData& b, F f) {
  WALK(key) WALK(name) WALK(type_name) WALK(durability) WALK(durability_service) WALK(deadline)
  WALK(latency_budget) WALK(liveliness) WALK(reliability) WALK(transport_priority) WALK(lifespan)
  WALK(destination_order) WALK(history) WALK(resource_limits) WALK(ownership) WALK(topic_data)
}
template <class F> void record(DDS_PublicationBuiltinTopicData& a, DDS_PublicationBuiltinTopicData& b, F f) {
  WALK(key) WALK(participant_key) WALK(topic_name) WALK(type_name) WALK(durability) WALK(durability_service)
  WALK(deadline) WALK(latency_budget) WALK(liveliness) WALK(reliability) WALK(lifespan) WALK(user_data)
  WALK(ownership) WALK(ownership_strength) WALK(destination_order) WALK(presentation) WALK(partition)
  WALK(topic_data) WALK(group_data)
}
template <class F> void record(DDS_SubscriptionBuiltinTopicData& a, DDS_SubscriptionBuiltinTopicData& b, F f) {
  WALK(key) WALK(participant_key) WALK(topic_name) WALK(type_name) WALK(durability) WALK(deadline)
  WALK(latency_budget) WALK(liveliness) WALK(reliability) WALK(ownership) WALK(destination_order)
  WALK(user_data) WALK(time_based_filter) WALK(presentation) WALK(partition) WALK(topic_data) WALK(group_data)
}
#undef WALK

// Every member of `r` changed from what it holds.
template <class R>
void vary_all(R& r) {
  int seed = 1;
  record(r, r, [&seed](auto& m, auto&) { vary(m, seed++); });
}

// How many leaf members of a and b differ.
template <class R>
int differences(R& a, R& b) {
  int n = 0;
  record(a, b, [&n](auto& x, auto& y) { n += same(x, y) ? 0 : 1; });
  return n;
}

}  // namespace walk

#endif
