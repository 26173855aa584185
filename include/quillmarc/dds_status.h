/* Communication statuses, sample information and built-in topic data.
 *
 * A built-in topic data record embeds strings and sequences: give it its
 * defaults with its DDS_<X>BuiltinTopicData_initialize before a matched- or
 * discovered-data call fills it, and release it with the _finalize twin
 * (in C++, only on storage not constructed as a record: see dds_qos.h). */
#ifndef QUILLMARC_DDS_STATUS_H
#define QUILLMARC_DDS_STATUS_H

#include "dds_c_string.h"
#include "dds_infrastructure.h"
#include "dds_qos.h"

typedef QUILLMARC_ENUM(DDS_SampleRejectedStatusKind){
    DDS_NOT_REJECTED = 0,
    DDS_REJECTED_BY_INSTANCES_LIMIT = 1,
    DDS_REJECTED_BY_SAMPLES_LIMIT = 2,
    DDS_REJECTED_BY_SAMPLES_PER_INSTANCE_LIMIT = 3,
} DDS_SampleRejectedStatusKind;

/* Policy identifiers, as the incompatible-QoS statuses report them. */
typedef DDS_Long DDS_QosPolicyId_t;
#define DDS_INVALID_QOS_POLICY_ID 0
#define DDS_USERDATA_QOS_POLICY_ID 1
#define DDS_DURABILITY_QOS_POLICY_ID 2
#define DDS_PRESENTATION_QOS_POLICY_ID 3
#define DDS_DEADLINE_QOS_POLICY_ID 4
#define DDS_LATENCYBUDGET_QOS_POLICY_ID 5
#define DDS_OWNERSHIP_QOS_POLICY_ID 6
#define DDS_OWNERSHIPSTRENGTH_QOS_POLICY_ID 7
#define DDS_LIVELINESS_QOS_POLICY_ID 8
#define DDS_TIMEBASEDFILTER_QOS_POLICY_ID 9
#define DDS_PARTITION_QOS_POLICY_ID 10
#define DDS_RELIABILITY_QOS_POLICY_ID 11
#define DDS_DESTINATIONORDER_QOS_POLICY_ID 12
#define DDS_HISTORY_QOS_POLICY_ID 13
#define DDS_RESOURCELIMITS_QOS_POLICY_ID 14
#define DDS_ENTITYFACTORY_QOS_POLICY_ID 15
#define DDS_WRITERDATALIFECYCLE_QOS_POLICY_ID 16
#define DDS_READERDATALIFECYCLE_QOS_POLICY_ID 17
#define DDS_TOPICDATA_QOS_POLICY_ID 18
#define DDS_GROUPDATA_QOS_POLICY_ID 19
#define DDS_TRANSPORTPRIORITY_QOS_POLICY_ID 20
#define DDS_LIFESPAN_QOS_POLICY_ID 21
#define DDS_DURABILITYSERVICE_QOS_POLICY_ID 22

typedef struct DDS_InconsistentTopicStatus {
  DDS_Long total_count;
  DDS_Long total_count_change;
} DDS_InconsistentTopicStatus;

typedef struct DDS_SampleLostStatus {
  DDS_Long total_count;
  DDS_Long total_count_change;
} DDS_SampleLostStatus;

typedef struct DDS_LivelinessLostStatus {
  DDS_Long total_count;
  DDS_Long total_count_change;
} DDS_LivelinessLostStatus;

typedef struct DDS_SampleRejectedStatus {
  DDS_Long total_count;
  DDS_Long total_count_change;
  DDS_SampleRejectedStatusKind last_reason;
  DDS_InstanceHandle_t last_instance_handle;
} DDS_SampleRejectedStatus;

typedef struct DDS_LivelinessChangedStatus {
  DDS_Long alive_count;
  DDS_Long not_alive_count;
  DDS_Long alive_count_change;
  DDS_Long not_alive_count_change;
  DDS_InstanceHandle_t last_publication_handle;
} DDS_LivelinessChangedStatus;

typedef struct DDS_OfferedDeadlineMissedStatus {
  DDS_Long total_count;
  DDS_Long total_count_change;
  DDS_InstanceHandle_t last_instance_handle;
} DDS_OfferedDeadlineMissedStatus;

typedef struct DDS_RequestedDeadlineMissedStatus {
  DDS_Long total_count;
  DDS_Long total_count_change;
  DDS_InstanceHandle_t last_instance_handle;
} DDS_RequestedDeadlineMissedStatus;

typedef struct DDS_OfferedIncompatibleQosStatus {
  DDS_Long total_count;
  DDS_Long total_count_change;
  DDS_QosPolicyId_t last_policy_id;
} DDS_OfferedIncompatibleQosStatus;

typedef struct DDS_RequestedIncompatibleQosStatus {
  DDS_Long total_count;
  DDS_Long total_count_change;
  DDS_QosPolicyId_t last_policy_id;
} DDS_RequestedIncompatibleQosStatus;

typedef struct DDS_PublicationMatchedStatus {
  DDS_Long total_count;
  DDS_Long total_count_change;
  DDS_Long current_count;
  DDS_Long current_count_change;
  DDS_InstanceHandle_t last_subscription_handle;
} DDS_PublicationMatchedStatus;

typedef struct DDS_SubscriptionMatchedStatus {
  DDS_Long total_count;
  DDS_Long total_count_change;
  DDS_Long current_count;
  DDS_Long current_count_change;
  DDS_InstanceHandle_t last_publication_handle;
} DDS_SubscriptionMatchedStatus;

/* What a read or take says about one sample. The reserved words are never
 * read or written by the library. */
typedef struct DDS_SampleInfo {
  DDS_SampleStateKind sample_state;
  DDS_ViewStateKind view_state;
  DDS_InstanceStateKind instance_state;
  DDS_Time_t source_timestamp;
  DDS_InstanceHandle_t instance_handle;
  DDS_InstanceHandle_t publication_handle;
  DDS_ULong reserved_0;
  DDS_Long disposed_generation_count;
  DDS_Long no_writers_generation_count;
  DDS_Long sample_rank;
  DDS_Long generation_rank;
  DDS_Long absolute_generation_rank;
  DDS_ULong reserved_1;
  DDS_ULong reserved_2;
  DDS_Boolean valid_data;
} DDS_SampleInfo;

/* Opaque to the library: copied as it is. */
typedef struct DDS_BuiltinTopicKey_t {
  DDS_Long value[3];
} DDS_BuiltinTopicKey_t;

typedef struct DDS_ParticipantBuiltinTopicData {
  DDS_BuiltinTopicKey_t key;
  DDS_UserDataQosPolicy user_data;
} DDS_ParticipantBuiltinTopicData;

typedef struct DDS_TopicBuiltinTopicData {
  DDS_BuiltinTopicKey_t key;
  DDS_CString name;
  DDS_CString type_name;
  DDS_DurabilityQosPolicy durability;
  DDS_DurabilityServiceQosPolicy durability_service;
  DDS_DeadlineQosPolicy deadline;
  DDS_LatencyBudgetQosPolicy latency_budget;
  DDS_LivelinessQosPolicy liveliness;
  DDS_ReliabilityQosPolicy reliability;
  DDS_TransportPriorityQosPolicy transport_priority;
  DDS_LifespanQosPolicy lifespan;
  DDS_DestinationOrderQosPolicy destination_order;
  DDS_HistoryQosPolicy history;
  DDS_ResourceLimitsQosPolicy resource_limits;
  DDS_OwnershipQosPolicy ownership;
  DDS_TopicDataQosPolicy topic_data;
} DDS_TopicBuiltinTopicData;

typedef struct DDS_PublicationBuiltinTopicData {
  DDS_BuiltinTopicKey_t key;
  DDS_BuiltinTopicKey_t participant_key;
  DDS_CString topic_name;
  DDS_CString type_name;
  DDS_DurabilityQosPolicy durability;
  DDS_DurabilityServiceQosPolicy durability_service;
  DDS_DeadlineQosPolicy deadline;
  DDS_LatencyBudgetQosPolicy latency_budget;
  DDS_LivelinessQosPolicy liveliness;
  DDS_ReliabilityQosPolicy reliability;
  DDS_LifespanQosPolicy lifespan;
  DDS_UserDataQosPolicy user_data;
  DDS_OwnershipQosPolicy ownership;
  DDS_OwnershipStrengthQosPolicy ownership_strength;
  DDS_DestinationOrderQosPolicy destination_order;
  DDS_PresentationQosPolicy presentation;
  DDS_PartitionQosPolicy partition;
  DDS_TopicDataQosPolicy topic_data;
  DDS_GroupDataQosPolicy group_data;
} DDS_PublicationBuiltinTopicData;

typedef struct DDS_SubscriptionBuiltinTopicData {
  DDS_BuiltinTopicKey_t key;
  DDS_BuiltinTopicKey_t participant_key;
  DDS_CString topic_name;
  DDS_CString type_name;
  DDS_DurabilityQosPolicy durability;
  DDS_DeadlineQosPolicy deadline;
  DDS_LatencyBudgetQosPolicy latency_budget;
  DDS_LivelinessQosPolicy liveliness;
  DDS_ReliabilityQosPolicy reliability;
  DDS_OwnershipQosPolicy ownership;
  DDS_DestinationOrderQosPolicy destination_order;
  DDS_UserDataQosPolicy user_data;
  DDS_TimeBasedFilterQosPolicy time_based_filter;
  DDS_PresentationQosPolicy presentation;
  DDS_PartitionQosPolicy partition;
  DDS_TopicDataQosPolicy topic_data;
  DDS_GroupDataQosPolicy group_data;
} DDS_SubscriptionBuiltinTopicData;

/* _initialize constructs the record's names empty and its sequences empty,
 * zeroes its keys and gives its policies the QoS defaults; _finalize
 * releases the names and sequences. */
#define QUILLMARC_DECLARE_BUILTIN_LIFECYCLE(X)                                        \
  QUILLMARC_API void DDS_##X##BuiltinTopicData_initialize(DDS_##X##BuiltinTopicData* data); \
  QUILLMARC_API void DDS_##X##BuiltinTopicData_finalize(DDS_##X##BuiltinTopicData* data);

QUILLMARC_EXTERN_C_BEGIN
QUILLMARC_DECLARE_BUILTIN_LIFECYCLE(Participant)
QUILLMARC_DECLARE_BUILTIN_LIFECYCLE(Topic)
QUILLMARC_DECLARE_BUILTIN_LIFECYCLE(Publication)
QUILLMARC_DECLARE_BUILTIN_LIFECYCLE(Subscription)
QUILLMARC_EXTERN_C_END

#endif
