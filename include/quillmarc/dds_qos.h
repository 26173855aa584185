/* QoS policies and the QoS records of the factory and of every entity, the
 * functions that give a record its defaults and release it, and the six
 * default-QoS variables.
 *
 * A record embeds sequences: before any use, give it its defaults with its
 * DDS_<X>Qos_initialize (once, on a record not yet initialised), and release
 * it with DDS_<X>Qos_finalize. The factory's record has no sequence and needs
 * neither.
 *
 * In C++ a record object declared as such already has its sequences
 * constructed, and its destructor releases them: pair _initialize and
 * _finalize only on storage that C++ has not constructed as a record (as C
 * holds it), never _finalize on an object that its destructor will release
 * again. */
#ifndef QUILLMARC_DDS_QOS_H
#define QUILLMARC_DDS_QOS_H

#include "dds_infrastructure.h"
#include "dds_sequence.h"

typedef QUILLMARC_ENUM(DDS_DurabilityQosPolicyKind){
    DDS_VOLATILE_DURABILITY_QOS = 0,
    DDS_TRANSIENT_LOCAL_DURABILITY_QOS = 1,
    DDS_TRANSIENT_DURABILITY_QOS = 2,
    DDS_PERSISTENT_DURABILITY_QOS = 3,
} DDS_DurabilityQosPolicyKind;

typedef QUILLMARC_ENUM(DDS_HistoryQosPolicyKind){
    DDS_KEEP_LAST_HISTORY_QOS = 0,
    DDS_KEEP_ALL_HISTORY_QOS = 1,
} DDS_HistoryQosPolicyKind;

typedef QUILLMARC_ENUM(DDS_LivelinessQosPolicyKind){
    DDS_AUTOMATIC_LIVELINESS_QOS = 0,
    DDS_MANUAL_BY_PARTICIPANT_LIVELINESS_QOS = 1,
    DDS_MANUAL_BY_TOPIC_LIVELINESS_QOS = 2,
} DDS_LivelinessQosPolicyKind;

typedef QUILLMARC_ENUM(DDS_ReliabilityQosPolicyKind){
    DDS_BEST_EFFORT_RELIABILITY_QOS = 0,
    DDS_RELIABLE_RELIABILITY_QOS = 1,
} DDS_ReliabilityQosPolicyKind;

typedef QUILLMARC_ENUM(DDS_DestinationOrderQosPolicyKind){
    DDS_BY_RECEPTION_TIMESTAMP_DESTINATIONORDER_QOS = 0,
    DDS_BY_SOURCE_TIMESTAMP_DESTINATIONORDER_QOS = 1,
} DDS_DestinationOrderQosPolicyKind;

typedef QUILLMARC_ENUM(DDS_OwnershipQosPolicyKind){
    DDS_SHARED_OWNERSHIP_QOS = 0,
    DDS_EXCLUSIVE_OWNERSHIP_QOS = 1,
} DDS_OwnershipQosPolicyKind;

typedef QUILLMARC_ENUM(DDS_PresentationQosPolicyAccessScopeKind){
    DDS_INSTANCE_PRESENTATION_QOS = 0,
    DDS_TOPIC_PRESENTATION_QOS = 1,
    DDS_GROUP_PRESENTATION_QOS = 2,
} DDS_PresentationQosPolicyAccessScopeKind;

typedef struct DDS_UserDataQosPolicy {
  DDS_UCharSequence value;
} DDS_UserDataQosPolicy;

typedef struct DDS_TopicDataQosPolicy {
  DDS_UCharSequence value;
} DDS_TopicDataQosPolicy;

typedef struct DDS_GroupDataQosPolicy {
  DDS_UCharSequence value;
} DDS_GroupDataQosPolicy;

typedef struct DDS_EntityFactoryQosPolicy {
  DDS_Boolean autoenable_created_entities;
} DDS_EntityFactoryQosPolicy;

typedef struct DDS_PresentationQosPolicy {
  DDS_PresentationQosPolicyAccessScopeKind access_scope;
  DDS_Boolean coherent_access;
  DDS_Boolean ordered_access;
} DDS_PresentationQosPolicy;

typedef struct DDS_PartitionQosPolicy {
  DDS_CStringSequence name;
} DDS_PartitionQosPolicy;

typedef struct DDS_DurabilityQosPolicy {
  DDS_DurabilityQosPolicyKind kind;
} DDS_DurabilityQosPolicy;

typedef struct DDS_DurabilityServiceQosPolicy {
  DDS_Duration_t service_cleanup_delay;
  DDS_HistoryQosPolicyKind history_kind;
  DDS_Long history_depth;
  DDS_Long max_samples;
  DDS_Long max_instances;
  DDS_Long max_samples_per_instance;
} DDS_DurabilityServiceQosPolicy;

typedef struct DDS_DeadlineQosPolicy {
  DDS_Duration_t period;
} DDS_DeadlineQosPolicy;

typedef struct DDS_LatencyBudgetQosPolicy {
  DDS_Duration_t duration;
} DDS_LatencyBudgetQosPolicy;

typedef struct DDS_LivelinessQosPolicy {
  DDS_LivelinessQosPolicyKind kind;
  DDS_Duration_t lease_duration;
} DDS_LivelinessQosPolicy;

typedef struct DDS_ReliabilityQosPolicy {
  DDS_ReliabilityQosPolicyKind kind;
  DDS_Duration_t max_blocking_time;
} DDS_ReliabilityQosPolicy;

typedef struct DDS_DestinationOrderQosPolicy {
  DDS_DestinationOrderQosPolicyKind kind;
} DDS_DestinationOrderQosPolicy;

typedef struct DDS_HistoryQosPolicy {
  DDS_HistoryQosPolicyKind kind;
  DDS_Long depth;
} DDS_HistoryQosPolicy;

/* DDS_LENGTH_UNLIMITED (-1): no limit. */
typedef struct DDS_ResourceLimitsQosPolicy {
  DDS_Long max_samples;
  DDS_Long max_instances;
  DDS_Long max_samples_per_instance;
} DDS_ResourceLimitsQosPolicy;

typedef struct DDS_TransportPriorityQosPolicy {
  DDS_Long value;
} DDS_TransportPriorityQosPolicy;

typedef struct DDS_LifespanQosPolicy {
  DDS_Duration_t duration;
} DDS_LifespanQosPolicy;

typedef struct DDS_OwnershipQosPolicy {
  DDS_OwnershipQosPolicyKind kind;
} DDS_OwnershipQosPolicy;

typedef struct DDS_OwnershipStrengthQosPolicy {
  DDS_Long value;
} DDS_OwnershipStrengthQosPolicy;

typedef struct DDS_WriterDataLifecycleQosPolicy {
  DDS_Boolean autodispose_unregistered_instances;
} DDS_WriterDataLifecycleQosPolicy;

typedef struct DDS_ReaderDataLifecycleQosPolicy {
  DDS_Duration_t autopurge_nowriter_samples_delay;
  DDS_Duration_t autopurge_disposed_samples_delay;
} DDS_ReaderDataLifecycleQosPolicy;

typedef struct DDS_TimeBasedFilterQosPolicy {
  DDS_Duration_t minimum_separation;
} DDS_TimeBasedFilterQosPolicy;

typedef struct DDS_DomainParticipantFactoryQos {
  DDS_EntityFactoryQosPolicy entity_factory;
} DDS_DomainParticipantFactoryQos;

typedef struct DDS_DomainParticipantQos {
  DDS_UserDataQosPolicy user_data;
  DDS_EntityFactoryQosPolicy entity_factory;
} DDS_DomainParticipantQos;

typedef struct DDS_PublisherQos {
  DDS_PresentationQosPolicy presentation;
  DDS_PartitionQosPolicy partition;
  DDS_GroupDataQosPolicy group_data;
  DDS_EntityFactoryQosPolicy entity_factory;
} DDS_PublisherQos;

typedef struct DDS_SubscriberQos {
  DDS_PresentationQosPolicy presentation;
  DDS_PartitionQosPolicy partition;
  DDS_GroupDataQosPolicy group_data;
  DDS_EntityFactoryQosPolicy entity_factory;
} DDS_SubscriberQos;

typedef struct DDS_TopicQos {
  DDS_TopicDataQosPolicy topic_data;
  DDS_DurabilityQosPolicy durability;
  DDS_DurabilityServiceQosPolicy durability_service;
  DDS_DeadlineQosPolicy deadline;
  DDS_LatencyBudgetQosPolicy latency_budget;
  DDS_LivelinessQosPolicy liveliness;
  DDS_ReliabilityQosPolicy reliability;
  DDS_DestinationOrderQosPolicy destination_order;
  DDS_HistoryQosPolicy history;
  DDS_ResourceLimitsQosPolicy resource_limits;
  DDS_TransportPriorityQosPolicy transport_priority;
  DDS_LifespanQosPolicy lifespan;
  DDS_OwnershipQosPolicy ownership;
} DDS_TopicQos;

typedef struct DDS_DataWriterQos {
  DDS_DurabilityQosPolicy durability;
  DDS_DurabilityServiceQosPolicy durability_service;
  DDS_DeadlineQosPolicy deadline;
  DDS_LatencyBudgetQosPolicy latency_budget;
  DDS_LivelinessQosPolicy liveliness;
  DDS_ReliabilityQosPolicy reliability;
  DDS_DestinationOrderQosPolicy destination_order;
  DDS_HistoryQosPolicy history;
  DDS_ResourceLimitsQosPolicy resource_limits;
  DDS_TransportPriorityQosPolicy transport_priority;
  DDS_LifespanQosPolicy lifespan;
  DDS_UserDataQosPolicy user_data;
  DDS_OwnershipQosPolicy ownership;
  DDS_OwnershipStrengthQosPolicy ownership_strength;
  DDS_WriterDataLifecycleQosPolicy writer_data_lifecycle;
} DDS_DataWriterQos;

typedef struct DDS_DataReaderQos {
  DDS_DurabilityQosPolicy durability;
  DDS_DeadlineQosPolicy deadline;
  DDS_LatencyBudgetQosPolicy latency_budget;
  DDS_LivelinessQosPolicy liveliness;
  DDS_ReliabilityQosPolicy reliability;
  DDS_DestinationOrderQosPolicy destination_order;
  DDS_HistoryQosPolicy history;
  DDS_ResourceLimitsQosPolicy resource_limits;
  DDS_UserDataQosPolicy user_data;
  DDS_OwnershipQosPolicy ownership;
  DDS_TimeBasedFilterQosPolicy time_based_filter;
  DDS_ReaderDataLifecycleQosPolicy reader_data_lifecycle;
} DDS_DataReaderQos;

/* _initialize constructs the record's sequences empty and writes its
 * defaults; _finalize releases the sequences, after which the record may be
 * initialised again. */
#define QUILLMARC_DECLARE_QOS_LIFECYCLE(X)                 \
  QUILLMARC_API void DDS_##X##Qos_initialize(DDS_##X##Qos* qos); \
  QUILLMARC_API void DDS_##X##Qos_finalize(DDS_##X##Qos* qos);

QUILLMARC_EXTERN_C_BEGIN

QUILLMARC_DECLARE_QOS_LIFECYCLE(DomainParticipant)
QUILLMARC_DECLARE_QOS_LIFECYCLE(Publisher)
QUILLMARC_DECLARE_QOS_LIFECYCLE(Subscriber)
QUILLMARC_DECLARE_QOS_LIFECYCLE(Topic)
QUILLMARC_DECLARE_QOS_LIFECYCLE(DataWriter)
QUILLMARC_DECLARE_QOS_LIFECYCLE(DataReader)

/* NULL until the application stores a record's address here. A creator given
 * the QoS pointer that the matching variable holds at that moment (NULL
 * included, while it is NULL) creates with the core's default QoS and reads
 * no record. */
QUILLMARC_API extern DDS_DomainParticipantQos* DDS_DOMAINPARTICIPANT_QOS_DEFAULT;
QUILLMARC_API extern DDS_PublisherQos* DDS_PUBLISHER_QOS_DEFAULT;
QUILLMARC_API extern DDS_SubscriberQos* DDS_SUBSCRIBER_QOS_DEFAULT;
QUILLMARC_API extern DDS_TopicQos* DDS_TOPIC_QOS_DEFAULT;
QUILLMARC_API extern DDS_DataWriterQos* DDS_DATAWRITER_QOS_DEFAULT;
QUILLMARC_API extern DDS_DataReaderQos* DDS_DATAREADER_QOS_DEFAULT;

QUILLMARC_EXTERN_C_END

#endif
