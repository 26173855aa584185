// Communication statuses, sample information and built-in topic data.
#ifndef ZORVEX_STATUS_H
#define ZORVEX_STATUS_H

#include <string>
#include <vector>

#include "zorvex/qos.h"
#include "zorvex/types.h"

namespace ZORVEX {

enum SampleRejectedStatusKind : int32_t {
    NOT_REJECTED = 0,
    REJECTED_BY_INSTANCES_LIMIT = 1,
    REJECTED_BY_SAMPLES_LIMIT = 2,
    REJECTED_BY_SAMPLES_PER_INSTANCE_LIMIT = 3,
};

struct InconsistentTopicStatus {
    int32_t total_count = 0;
    int32_t total_count_change = 0;
};
struct SampleLostStatus {
    int32_t total_count = 0;
    int32_t total_count_change = 0;
};
struct LivelinessLostStatus {
    int32_t total_count = 0;
    int32_t total_count_change = 0;
};
struct SampleRejectedStatus {
    int32_t total_count = 0;
    int32_t total_count_change = 0;
    SampleRejectedStatusKind last_reason = NOT_REJECTED;
    InstanceHandle_t last_instance_handle;
};
struct LivelinessChangedStatus {
    int32_t alive_count = 0;
    int32_t not_alive_count = 0;
    int32_t alive_count_change = 0;
    int32_t not_alive_count_change = 0;
    InstanceHandle_t last_publication_handle;
};
struct OfferedDeadlineMissedStatus {
    int32_t total_count = 0;
    int32_t total_count_change = 0;
    InstanceHandle_t last_instance_handle;
};
struct RequestedDeadlineMissedStatus {
    int32_t total_count = 0;
    int32_t total_count_change = 0;
    InstanceHandle_t last_instance_handle;
};

// How often one policy was found incompatible.
struct QosPolicyCount {
    QosPolicyId_t policy_id = INVALID_QOS_POLICY_ID;
    int32_t count = 0;
};
typedef std::vector<QosPolicyCount> QosPolicyCountSeq;

// `policies` holds one entry per policy found incompatible so far, by id.
struct OfferedIncompatibleQosStatus {
    int32_t total_count = 0;
    int32_t total_count_change = 0;
    QosPolicyId_t last_policy_id = INVALID_QOS_POLICY_ID;
    QosPolicyCountSeq policies;
};
struct RequestedIncompatibleQosStatus {
    int32_t total_count = 0;
    int32_t total_count_change = 0;
    QosPolicyId_t last_policy_id = INVALID_QOS_POLICY_ID;
    QosPolicyCountSeq policies;
};
struct PublicationMatchedStatus {
    int32_t total_count = 0;
    int32_t total_count_change = 0;
    int32_t current_count = 0;
    int32_t current_count_change = 0;
    InstanceHandle_t last_subscription_handle;
};
struct SubscriptionMatchedStatus {
    int32_t total_count = 0;
    int32_t total_count_change = 0;
    int32_t current_count = 0;
    int32_t current_count_change = 0;
    InstanceHandle_t last_publication_handle;
};

struct SampleInfo {
    SampleStateKind sample_state = NOT_READ_SAMPLE_STATE;
    ViewStateKind view_state = NEW_VIEW_STATE;
    InstanceStateKind instance_state = ALIVE_INSTANCE_STATE;
    Time_t source_timestamp = TIME_INVALID;
    InstanceHandle_t instance_handle;
    InstanceHandle_t publication_handle;
    int32_t disposed_generation_count = 0;
    int32_t no_writers_generation_count = 0;
    int32_t sample_rank = 0;
    int32_t generation_rank = 0;
    int32_t absolute_generation_rank = 0;
    bool valid_data = false;
};

struct BuiltinTopicKey_t {
    int32_t value[3] = {0, 0, 0};
};

struct ParticipantBuiltinTopicData {
    BuiltinTopicKey_t key;
    UserDataQosPolicy user_data;
};

struct TopicBuiltinTopicData {
    BuiltinTopicKey_t key;
    std::string name;
    std::string type_name;
    DurabilityQosPolicy durability;
    DurabilityServiceQosPolicy durability_service;
    DeadlineQosPolicy deadline;
    LatencyBudgetQosPolicy latency_budget;
    LivelinessQosPolicy liveliness;
    ReliabilityQosPolicy reliability;
    TransportPriorityQosPolicy transport_priority;
    LifespanQosPolicy lifespan;
    DestinationOrderQosPolicy destination_order;
    HistoryQosPolicy history;
    ResourceLimitsQosPolicy resource_limits;
    OwnershipQosPolicy ownership;
    TopicDataQosPolicy topic_data;
};

struct PublicationBuiltinTopicData {
    BuiltinTopicKey_t key;
    BuiltinTopicKey_t participant_key;
    std::string topic_name;
    std::string type_name;
    DurabilityQosPolicy durability;
    DurabilityServiceQosPolicy durability_service;
    DeadlineQosPolicy deadline;
    LatencyBudgetQosPolicy latency_budget;
    LivelinessQosPolicy liveliness;
    ReliabilityQosPolicy reliability{RELIABLE_RELIABILITY_QOS, {0, 100000000u}};
    LifespanQosPolicy lifespan;
    UserDataQosPolicy user_data;
    OwnershipQosPolicy ownership;
    OwnershipStrengthQosPolicy ownership_strength;
    DestinationOrderQosPolicy destination_order;
    PresentationQosPolicy presentation;
    PartitionQosPolicy partition;
    TopicDataQosPolicy topic_data;
    GroupDataQosPolicy group_data;
};

struct SubscriptionBuiltinTopicData {
    BuiltinTopicKey_t key;
    BuiltinTopicKey_t participant_key;
    std::string topic_name;
    std::string type_name;
    DurabilityQosPolicy durability;
    DeadlineQosPolicy deadline;
    LatencyBudgetQosPolicy latency_budget;
    LivelinessQosPolicy liveliness;
    ReliabilityQosPolicy reliability;
    OwnershipQosPolicy ownership;
    DestinationOrderQosPolicy destination_order;
    UserDataQosPolicy user_data;
    TimeBasedFilterQosPolicy time_based_filter;
    PresentationQosPolicy presentation;
    PartitionQosPolicy partition;
    TopicDataQosPolicy topic_data;
    GroupDataQosPolicy group_data;
};

}  // namespace ZORVEX

#endif
