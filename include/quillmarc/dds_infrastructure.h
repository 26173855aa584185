/* The vocabulary every entity function shares: entity and condition handles,
 * instance handles, durations and times, return codes, status kinds, states
 * and their masks. */
#ifndef QUILLMARC_DDS_INFRASTRUCTURE_H
#define QUILLMARC_DDS_INFRASTRUCTURE_H

#include "dds_primitives.h"

/* Entity and condition handles. A handle is the address of the core object
 * itself; the types are never complete, so a handle is only passed around. */
typedef struct DDS_DomainParticipantFactory DDS_DomainParticipantFactory;
typedef struct DDS_DomainParticipant DDS_DomainParticipant;
typedef struct DDS_Publisher DDS_Publisher;
typedef struct DDS_Subscriber DDS_Subscriber;
typedef struct DDS_Topic DDS_Topic;
typedef struct DDS_TopicDescription DDS_TopicDescription;
typedef struct DDS_ContentFilteredTopic DDS_ContentFilteredTopic;
typedef struct DDS_DataWriter DDS_DataWriter;
typedef struct DDS_DataReader DDS_DataReader;
typedef struct DDS_Entity DDS_Entity;
typedef struct DDS_Condition DDS_Condition;
typedef struct DDS_StatusCondition DDS_StatusCondition;
typedef struct DDS_GuardCondition DDS_GuardCondition;
typedef struct DDS_ReadCondition DDS_ReadCondition;
typedef struct DDS_WaitSet DDS_WaitSet;

/* An instance handle: 16 opaque value bytes, meaningful only while `valid`
 * is nonzero. Octets only, so it is 17 bytes aligned to 1. */
typedef struct DDS_InstanceHandle_t {
  DDS_UChar value[16];
  DDS_Boolean valid;
} DDS_InstanceHandle_t;

/* The nil handle, every byte zero. Each program unit has its own copy; any
 * of them passed where a handle is expected means "no handle". */
static const DDS_InstanceHandle_t DDS_HANDLE_NIL = {{0}, 0};

typedef struct DDS_Duration_t {
  DDS_Long sec;
  DDS_ULong nanosec;
} DDS_Duration_t;

typedef struct DDS_Time_t {
  DDS_Long sec;
  DDS_ULong nanosec;
} DDS_Time_t;

#define DDS_DURATION_INFINITE_SEC 0x7fffffff
#define DDS_DURATION_INFINITE_NSEC 0x7fffffffu
#define DDS_LENGTH_UNLIMITED (-1)

typedef DDS_Long DDS_DomainId_t;

/* Return codes, numbered as the DDS standard numbers them. */
typedef DDS_Long DDS_ReturnCode_t;
#define DDS_RETCODE_OK 0
#define DDS_RETCODE_ERROR 1
#define DDS_RETCODE_UNSUPPORTED 2
#define DDS_RETCODE_BAD_PARAMETER 3
#define DDS_RETCODE_PRECONDITION_NOT_MET 4
#define DDS_RETCODE_OUT_OF_RESOURCES 5
#define DDS_RETCODE_NOT_ENABLED 6
#define DDS_RETCODE_IMMUTABLE_POLICY 7
#define DDS_RETCODE_INCONSISTENT_POLICY 8
#define DDS_RETCODE_ALREADY_DELETED 9
#define DDS_RETCODE_TIMEOUT 10
#define DDS_RETCODE_NO_DATA 11
#define DDS_RETCODE_ILLEGAL_OPERATION 12

/* Communication statuses, one bit each, and masks of them. */
typedef DDS_ULong DDS_StatusKind;
typedef DDS_ULong DDS_StatusMask;
#define DDS_INCONSISTENT_TOPIC_STATUS (1u << 0)
#define DDS_OFFERED_DEADLINE_MISSED_STATUS (1u << 1)
#define DDS_REQUESTED_DEADLINE_MISSED_STATUS (1u << 2)
#define DDS_OFFERED_INCOMPATIBLE_QOS_STATUS (1u << 5)
#define DDS_REQUESTED_INCOMPATIBLE_QOS_STATUS (1u << 6)
#define DDS_SAMPLE_LOST_STATUS (1u << 7)
#define DDS_SAMPLE_REJECTED_STATUS (1u << 8)
#define DDS_DATA_ON_READERS_STATUS (1u << 9)
#define DDS_DATA_AVAILABLE_STATUS (1u << 10)
#define DDS_LIVELINESS_LOST_STATUS (1u << 11)
#define DDS_LIVELINESS_CHANGED_STATUS (1u << 12)
#define DDS_PUBLICATION_MATCHED_STATUS (1u << 13)
#define DDS_SUBSCRIPTION_MATCHED_STATUS (1u << 14)
#define DDS_STATUS_MASK_NONE 0u
#define DDS_STATUS_MASK_ALL 0xffffffffu

/* Sample, view and instance states. A sample information carries each as a
 * 32-bit value; the masks that select them are 16-bit. */
typedef DDS_ULong DDS_SampleStateKind;
typedef DDS_ULong DDS_ViewStateKind;
typedef DDS_ULong DDS_InstanceStateKind;
typedef DDS_UShort DDS_SampleStateMask;
typedef DDS_UShort DDS_ViewStateMask;
typedef DDS_UShort DDS_InstanceStateMask;
#define DDS_READ_SAMPLE_STATE 1u
#define DDS_NOT_READ_SAMPLE_STATE 2u
#define DDS_ANY_SAMPLE_STATE 0xffffu
#define DDS_NEW_VIEW_STATE 1u
#define DDS_NOT_NEW_VIEW_STATE 2u
#define DDS_ANY_VIEW_STATE 0xffffu
#define DDS_ALIVE_INSTANCE_STATE 1u
#define DDS_NOT_ALIVE_DISPOSED_INSTANCE_STATE 2u
#define DDS_NOT_ALIVE_NO_WRITERS_INSTANCE_STATE 4u
#define DDS_NOT_ALIVE_INSTANCE_STATE 6u
#define DDS_ANY_INSTANCE_STATE 0xffffu

/* A 32-bit enumeration in both languages, whatever value it is given. */
#ifdef __cplusplus
#define QUILLMARC_ENUM(Name) enum Name : int
#else
#define QUILLMARC_ENUM(Name) enum Name
#endif

#endif
