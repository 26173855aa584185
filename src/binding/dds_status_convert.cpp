// Conversions of the status records, the sample information and the
// built-in topic data.
#include "binding/convert_members.h"
#include "binding/dds_type_convert.h"
#include "binding/record_members.h"

namespace DDSTypeConvert {

#define QUILLMARC_RECORD(Name, statements) QUILLMARC_BOTH_WAYS(, DDS_##Name, ZORVEX::Name, statements)
#define QUILLMARC_COUNTS QUILLMARC_M(total_count) QUILLMARC_M(total_count_change)
#define QUILLMARC_MATCHES QUILLMARC_COUNTS QUILLMARC_M(current_count) QUILLMARC_M(current_count_change)

QUILLMARC_RECORD(InconsistentTopicStatus, QUILLMARC_COUNTS)
QUILLMARC_RECORD(SampleLostStatus, QUILLMARC_COUNTS)
QUILLMARC_RECORD(LivelinessLostStatus, QUILLMARC_COUNTS)
QUILLMARC_RECORD(SampleRejectedStatus,
                 QUILLMARC_COUNTS QUILLMARC_M(last_reason) QUILLMARC_M(last_instance_handle))
QUILLMARC_RECORD(LivelinessChangedStatus,
                 QUILLMARC_M(alive_count) QUILLMARC_M(not_alive_count) QUILLMARC_M(alive_count_change)
                 QUILLMARC_M(not_alive_count_change) QUILLMARC_M(last_publication_handle))
QUILLMARC_RECORD(OfferedDeadlineMissedStatus, QUILLMARC_COUNTS QUILLMARC_M(last_instance_handle))
QUILLMARC_RECORD(RequestedDeadlineMissedStatus, QUILLMARC_COUNTS QUILLMARC_M(last_instance_handle))
// The core's per-policy counts have no C member.
QUILLMARC_RECORD(OfferedIncompatibleQosStatus, QUILLMARC_COUNTS QUILLMARC_M(last_policy_id))
QUILLMARC_RECORD(RequestedIncompatibleQosStatus, QUILLMARC_COUNTS QUILLMARC_M(last_policy_id))
QUILLMARC_RECORD(PublicationMatchedStatus, QUILLMARC_MATCHES QUILLMARC_M(last_subscription_handle))
QUILLMARC_RECORD(SubscriptionMatchedStatus, QUILLMARC_MATCHES QUILLMARC_M(last_publication_handle))

// The reserved words are no member of either list.
QUILLMARC_RECORD(SampleInfo,
                 QUILLMARC_M(sample_state) QUILLMARC_M(view_state) QUILLMARC_M(instance_state)
                 QUILLMARC_M(source_timestamp) QUILLMARC_M(instance_handle) QUILLMARC_M(publication_handle)
                 QUILLMARC_M(disposed_generation_count) QUILLMARC_M(no_writers_generation_count)
                 QUILLMARC_M(sample_rank) QUILLMARC_M(generation_rank) QUILLMARC_M(absolute_generation_rank)
                 QUILLMARC_M(valid_data))

QUILLMARC_RECORD(ParticipantBuiltinTopicData, QUILLMARC_PARTICIPANT_BUILTIN(QUILLMARC_M))
QUILLMARC_RECORD(TopicBuiltinTopicData, QUILLMARC_TOPIC_BUILTIN(QUILLMARC_M))
QUILLMARC_RECORD(PublicationBuiltinTopicData, QUILLMARC_PUBLICATION_BUILTIN(QUILLMARC_M))
QUILLMARC_RECORD(SubscriptionBuiltinTopicData, QUILLMARC_SUBSCRIPTION_BUILTIN(QUILLMARC_M))

}  // namespace DDSTypeConvert
