// The default-QoS variables, and the functions that give a QoS or built-in
// topic data record its defaults and release it.
#include <new>

#include "binding/record_members.h"
#include "quillmarc/dds_qos.h"
#include "quillmarc/dds_status.h"

extern "C" {
DDS_DomainParticipantQos* DDS_DOMAINPARTICIPANT_QOS_DEFAULT = nullptr;
DDS_PublisherQos* DDS_PUBLISHER_QOS_DEFAULT = nullptr;
DDS_SubscriberQos* DDS_SUBSCRIBER_QOS_DEFAULT = nullptr;
DDS_TopicQos* DDS_TOPIC_QOS_DEFAULT = nullptr;
DDS_DataWriterQos* DDS_DATAWRITER_QOS_DEFAULT = nullptr;
DDS_DataReaderQos* DDS_DATAREADER_QOS_DEFAULT = nullptr;
}

namespace {

constexpr DDS_Duration_t kZero{0, 0};
constexpr DDS_Duration_t kInfinite{DDS_DURATION_INFINITE_SEC, DDS_DURATION_INFINITE_NSEC};
constexpr DDS_Duration_t kHundredMilliseconds{0, 100000000u};

// Defaults of every policy; the embedded strings and sequences are
// constructed empty in place, whatever the memory held.
void initialize(DDS_UserDataQosPolicy& p) { new (&p.value) DDS_UCharSequence(); }
void initialize(DDS_TopicDataQosPolicy& p) { new (&p.value) DDS_UCharSequence(); }
void initialize(DDS_GroupDataQosPolicy& p) { new (&p.value) DDS_UCharSequence(); }
void initialize(DDS_PartitionQosPolicy& p) { new (&p.name) DDS_CStringSequence(); }
void initialize(DDS_CString& name) { new (&name) DDS_CString(); }
void initialize(DDS_BuiltinTopicKey_t& key) { key = DDS_BuiltinTopicKey_t{{0, 0, 0}}; }
void initialize(DDS_EntityFactoryQosPolicy& p) { p.autoenable_created_entities = 1; }
void initialize(DDS_PresentationQosPolicy& p) { p = {DDS_INSTANCE_PRESENTATION_QOS, 0, 0}; }
void initialize(DDS_DurabilityQosPolicy& p) { p.kind = DDS_VOLATILE_DURABILITY_QOS; }
void initialize(DDS_DurabilityServiceQosPolicy& p) {
  p = {kZero, DDS_KEEP_LAST_HISTORY_QOS, 1, DDS_LENGTH_UNLIMITED, DDS_LENGTH_UNLIMITED, DDS_LENGTH_UNLIMITED};
}
void initialize(DDS_DeadlineQosPolicy& p) { p.period = kZero; }
void initialize(DDS_LatencyBudgetQosPolicy& p) { p.duration = kZero; }
void initialize(DDS_LivelinessQosPolicy& p) { p = {DDS_AUTOMATIC_LIVELINESS_QOS, kZero}; }
void initialize(DDS_ReliabilityQosPolicy& p) { p = {DDS_BEST_EFFORT_RELIABILITY_QOS, kHundredMilliseconds}; }
void initialize(DDS_DestinationOrderQosPolicy& p) { p.kind = DDS_BY_RECEPTION_TIMESTAMP_DESTINATIONORDER_QOS; }
void initialize(DDS_HistoryQosPolicy& p) { p = {DDS_KEEP_LAST_HISTORY_QOS, 1}; }
void initialize(DDS_ResourceLimitsQosPolicy& p) {
  p = {DDS_LENGTH_UNLIMITED, DDS_LENGTH_UNLIMITED, DDS_LENGTH_UNLIMITED};
}
void initialize(DDS_TransportPriorityQosPolicy& p) { p.value = 0; }
void initialize(DDS_LifespanQosPolicy& p) { p.duration = kZero; }
void initialize(DDS_OwnershipQosPolicy& p) { p.kind = DDS_SHARED_OWNERSHIP_QOS; }
void initialize(DDS_OwnershipStrengthQosPolicy& p) { p.value = 0; }
void initialize(DDS_WriterDataLifecycleQosPolicy& p) { p.autodispose_unregistered_instances = 1; }
// Samples of a reader whose writers are gone, or disposed, stay until taken.
void initialize(DDS_ReaderDataLifecycleQosPolicy& p) { p = {kInfinite, kInfinite}; }
void initialize(DDS_TimeBasedFilterQosPolicy& p) { p.minimum_separation = kZero; }

// Releases what initialize() constructed; other members hold nothing.
void finalize(DDS_UserDataQosPolicy& p) { p.value.~DDS_UCharSequence(); }
void finalize(DDS_TopicDataQosPolicy& p) { p.value.~DDS_UCharSequence(); }
void finalize(DDS_GroupDataQosPolicy& p) { p.value.~DDS_UCharSequence(); }
void finalize(DDS_PartitionQosPolicy& p) { p.name.~DDS_CStringSequence(); }
void finalize(DDS_CString& name) { name.~DDS_CString(); }
template <class Plain>
void finalize(Plain&) {}

}  // namespace

#define QUILLMARC_INITIALIZE(m) initialize(record->m);
#define QUILLMARC_FINALIZE(m) finalize(record->m);
#define QUILLMARC_LIFECYCLE(Record, MEMBERS, extra)                                   \
  void Record##_initialize(Record* record) { MEMBERS(QUILLMARC_INITIALIZE) extra } \
  void Record##_finalize(Record* record) { MEMBERS(QUILLMARC_FINALIZE) }

extern "C" {
QUILLMARC_LIFECYCLE(DDS_DomainParticipantQos, QUILLMARC_DOMAINPARTICIPANT_QOS, )
QUILLMARC_LIFECYCLE(DDS_PublisherQos, QUILLMARC_PUBLISHER_QOS, )
QUILLMARC_LIFECYCLE(DDS_SubscriberQos, QUILLMARC_SUBSCRIBER_QOS, )
QUILLMARC_LIFECYCLE(DDS_TopicQos, QUILLMARC_TOPIC_QOS, )
// A writer is reliable unless asked otherwise.
QUILLMARC_LIFECYCLE(DDS_DataWriterQos, QUILLMARC_DATAWRITER_QOS,
                    record->reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;)
QUILLMARC_LIFECYCLE(DDS_DataReaderQos, QUILLMARC_DATAREADER_QOS, )

QUILLMARC_LIFECYCLE(DDS_ParticipantBuiltinTopicData, QUILLMARC_PARTICIPANT_BUILTIN, )
QUILLMARC_LIFECYCLE(DDS_TopicBuiltinTopicData, QUILLMARC_TOPIC_BUILTIN, )
QUILLMARC_LIFECYCLE(DDS_PublicationBuiltinTopicData, QUILLMARC_PUBLICATION_BUILTIN, )
QUILLMARC_LIFECYCLE(DDS_SubscriptionBuiltinTopicData, QUILLMARC_SUBSCRIPTION_BUILTIN, )
}
