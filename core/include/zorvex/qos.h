// QoS policies and the QoS records of the factory and of every entity, with
// the DDS standard's member names and default values. Kinds are unsigned
// 8-bit values, booleans one-byte bools.
#ifndef ZORVEX_QOS_H
#define ZORVEX_QOS_H

#include <string>
#include <vector>

#include "zorvex/types.h"

namespace ZORVEX {

enum DurabilityQosPolicyKind : uint8_t {
    VOLATILE_DURABILITY_QOS = 0,
    TRANSIENT_LOCAL_DURABILITY_QOS = 1,
    TRANSIENT_DURABILITY_QOS = 2,
    PERSISTENT_DURABILITY_QOS = 3,
};
enum HistoryQosPolicyKind : uint8_t { KEEP_LAST_HISTORY_QOS = 0, KEEP_ALL_HISTORY_QOS = 1 };
enum LivelinessQosPolicyKind : uint8_t {
    AUTOMATIC_LIVELINESS_QOS = 0,
    MANUAL_BY_PARTICIPANT_LIVELINESS_QOS = 1,
    MANUAL_BY_TOPIC_LIVELINESS_QOS = 2,
};
enum ReliabilityQosPolicyKind : uint8_t {
    BEST_EFFORT_RELIABILITY_QOS = 1,
    RELIABLE_RELIABILITY_QOS = 2,
};
enum DestinationOrderQosPolicyKind : uint8_t {
    BY_RECEPTION_TIMESTAMP_DESTINATIONORDER_QOS = 0,
    BY_SOURCE_TIMESTAMP_DESTINATIONORDER_QOS = 1,
};
enum OwnershipQosPolicyKind : uint8_t { SHARED_OWNERSHIP_QOS = 0, EXCLUSIVE_OWNERSHIP_QOS = 1 };
enum PresentationQosPolicyAccessScopeKind : uint8_t {
    INSTANCE_PRESENTATION_QOS = 0,
    TOPIC_PRESENTATION_QOS = 1,
    GROUP_PRESENTATION_QOS = 2,
};

// Policy identifiers, as the incompatible-QoS statuses report them.
constexpr QosPolicyId_t INVALID_QOS_POLICY_ID = 0;
constexpr QosPolicyId_t USERDATA_QOS_POLICY_ID = 1;
constexpr QosPolicyId_t DURABILITY_QOS_POLICY_ID = 2;
constexpr QosPolicyId_t PRESENTATION_QOS_POLICY_ID = 3;
constexpr QosPolicyId_t DEADLINE_QOS_POLICY_ID = 4;
constexpr QosPolicyId_t LATENCYBUDGET_QOS_POLICY_ID = 5;
constexpr QosPolicyId_t OWNERSHIP_QOS_POLICY_ID = 6;
constexpr QosPolicyId_t OWNERSHIPSTRENGTH_QOS_POLICY_ID = 7;
constexpr QosPolicyId_t LIVELINESS_QOS_POLICY_ID = 8;
constexpr QosPolicyId_t TIMEBASEDFILTER_QOS_POLICY_ID = 9;
constexpr QosPolicyId_t PARTITION_QOS_POLICY_ID = 10;
constexpr QosPolicyId_t RELIABILITY_QOS_POLICY_ID = 11;
constexpr QosPolicyId_t DESTINATIONORDER_QOS_POLICY_ID = 12;
constexpr QosPolicyId_t HISTORY_QOS_POLICY_ID = 13;
constexpr QosPolicyId_t RESOURCELIMITS_QOS_POLICY_ID = 14;
constexpr QosPolicyId_t ENTITYFACTORY_QOS_POLICY_ID = 15;
constexpr QosPolicyId_t WRITERDATALIFECYCLE_QOS_POLICY_ID = 16;
constexpr QosPolicyId_t READERDATALIFECYCLE_QOS_POLICY_ID = 17;
constexpr QosPolicyId_t TOPICDATA_QOS_POLICY_ID = 18;
constexpr QosPolicyId_t GROUPDATA_QOS_POLICY_ID = 19;
constexpr QosPolicyId_t TRANSPORTPRIORITY_QOS_POLICY_ID = 20;
constexpr QosPolicyId_t LIFESPAN_QOS_POLICY_ID = 21;
constexpr QosPolicyId_t DURABILITYSERVICE_QOS_POLICY_ID = 22;

struct UserDataQosPolicy { std::vector<unsigned char> value; };
struct TopicDataQosPolicy { std::vector<unsigned char> value; };
struct GroupDataQosPolicy { std::vector<unsigned char> value; };
struct EntityFactoryQosPolicy { bool autoenable_created_entities = true; };
struct PresentationQosPolicy {
    PresentationQosPolicyAccessScopeKind access_scope = INSTANCE_PRESENTATION_QOS;
    bool coherent_access = false;
    bool ordered_access = false;
};
// No names: the default partition (the empty name).
struct PartitionQosPolicy { std::vector<std::string> name; };
struct DurabilityQosPolicy { DurabilityQosPolicyKind kind = VOLATILE_DURABILITY_QOS; };
struct DurabilityServiceQosPolicy {
    Duration_t service_cleanup_delay = DURATION_ZERO;
    HistoryQosPolicyKind history_kind = KEEP_LAST_HISTORY_QOS;
    int32_t history_depth = 1;
    int32_t max_samples = LENGTH_UNLIMITED;
    int32_t max_instances = LENGTH_UNLIMITED;
    int32_t max_samples_per_instance = LENGTH_UNLIMITED;
};
struct DeadlineQosPolicy { Duration_t period = DURATION_INFINITE; };
struct LatencyBudgetQosPolicy { Duration_t duration = DURATION_ZERO; };
struct LivelinessQosPolicy {
    LivelinessQosPolicyKind kind = AUTOMATIC_LIVELINESS_QOS;
    Duration_t lease_duration = DURATION_INFINITE;
};
struct ReliabilityQosPolicy {
    ReliabilityQosPolicyKind kind = BEST_EFFORT_RELIABILITY_QOS;
    Duration_t max_blocking_time = {0, 100000000u};
};
struct DestinationOrderQosPolicy {
    DestinationOrderQosPolicyKind kind = BY_RECEPTION_TIMESTAMP_DESTINATIONORDER_QOS;
};
struct HistoryQosPolicy {
    HistoryQosPolicyKind kind = KEEP_LAST_HISTORY_QOS;
    int32_t depth = 1;
};
struct ResourceLimitsQosPolicy {
    int32_t max_samples = LENGTH_UNLIMITED;
    int32_t max_instances = LENGTH_UNLIMITED;
    int32_t max_samples_per_instance = LENGTH_UNLIMITED;
};
struct TransportPriorityQosPolicy { int32_t value = 0; };
struct LifespanQosPolicy { Duration_t duration = DURATION_INFINITE; };
struct OwnershipQosPolicy { OwnershipQosPolicyKind kind = SHARED_OWNERSHIP_QOS; };
struct OwnershipStrengthQosPolicy { int32_t value = 0; };
struct WriterDataLifecycleQosPolicy { bool autodispose_unregistered_instances = true; };
struct ReaderDataLifecycleQosPolicy {
    Duration_t autopurge_nowriter_samples_delay = DURATION_INFINITE;
    Duration_t autopurge_disposed_samples_delay = DURATION_INFINITE;
};
struct TimeBasedFilterQosPolicy { Duration_t minimum_separation = DURATION_ZERO; };

struct DomainParticipantFactoryQos {
    EntityFactoryQosPolicy entity_factory;
};

struct DomainParticipantQos {
    UserDataQosPolicy user_data;
    EntityFactoryQosPolicy entity_factory;
};

struct PublisherQos {
    PresentationQosPolicy presentation;
    PartitionQosPolicy partition;
    GroupDataQosPolicy group_data;
    EntityFactoryQosPolicy entity_factory;
};

struct SubscriberQos {
    PresentationQosPolicy presentation;
    PartitionQosPolicy partition;
    GroupDataQosPolicy group_data;
    EntityFactoryQosPolicy entity_factory;
};

struct TopicQos {
    TopicDataQosPolicy topic_data;
    DurabilityQosPolicy durability;
    DurabilityServiceQosPolicy durability_service;
    DeadlineQosPolicy deadline;
    LatencyBudgetQosPolicy latency_budget;
    LivelinessQosPolicy liveliness;
    ReliabilityQosPolicy reliability;
    DestinationOrderQosPolicy destination_order;
    HistoryQosPolicy history;
    ResourceLimitsQosPolicy resource_limits;
    TransportPriorityQosPolicy transport_priority;
    LifespanQosPolicy lifespan;
    OwnershipQosPolicy ownership;
};

struct DataWriterQos {
    DurabilityQosPolicy durability;
    DurabilityServiceQosPolicy durability_service;
    DeadlineQosPolicy deadline;
    LatencyBudgetQosPolicy latency_budget;
    LivelinessQosPolicy liveliness;
    ReliabilityQosPolicy reliability{RELIABLE_RELIABILITY_QOS, {0, 100000000u}};
    DestinationOrderQosPolicy destination_order;
    HistoryQosPolicy history;
    ResourceLimitsQosPolicy resource_limits;
    TransportPriorityQosPolicy transport_priority;
    LifespanQosPolicy lifespan;
    UserDataQosPolicy user_data;
    OwnershipQosPolicy ownership;
    OwnershipStrengthQosPolicy ownership_strength;
    WriterDataLifecycleQosPolicy writer_data_lifecycle;
};

struct DataReaderQos {
    DurabilityQosPolicy durability;
    DeadlineQosPolicy deadline;
    LatencyBudgetQosPolicy latency_budget;
    LivelinessQosPolicy liveliness;
    ReliabilityQosPolicy reliability;
    DestinationOrderQosPolicy destination_order;
    HistoryQosPolicy history;
    ResourceLimitsQosPolicy resource_limits;
    UserDataQosPolicy user_data;
    OwnershipQosPolicy ownership;
    TimeBasedFilterQosPolicy time_based_filter;
    ReaderDataLifecycleQosPolicy reader_data_lifecycle;
};

// Markers for "the parent's current default": a creator given one of these
// objects (by address) uses the default QoS that its parent holds, and a
// set_default_*_qos given one restores the initial default.
extern QUILLMAR_API const DomainParticipantQos PARTICIPANT_QOS_DEFAULT;
extern QUILLMAR_API const PublisherQos PUBLISHER_QOS_DEFAULT;
extern QUILLMAR_API const SubscriberQos SUBSCRIBER_QOS_DEFAULT;
extern QUILLMAR_API const TopicQos TOPIC_QOS_DEFAULT;
extern QUILLMAR_API const DataWriterQos DATAWRITER_QOS_DEFAULT;
extern QUILLMAR_API const DataReaderQos DATAREADER_QOS_DEFAULT;

}  // namespace ZORVEX

#endif
