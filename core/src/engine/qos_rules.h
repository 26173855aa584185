// What the DDS standard asks of QoS: consistent values within a record,
// policies that cannot change once an entity is enabled, and the
// requested/offered compatibility of a writer and a reader.
#ifndef ZORVEX_SRC_ENGINE_QOS_RULES_H
#define ZORVEX_SRC_ENGINE_QOS_RULES_H

#include <vector>

#include "zorvex/qos.h"

namespace ZORVEX::engine::qos {

bool consistent(const DomainParticipantQos& q);
bool consistent(const PublisherQos& q);
bool consistent(const SubscriberQos& q);
bool consistent(const TopicQos& q);
bool consistent(const DataWriterQos& q);
bool consistent(const DataReaderQos& q);

// Whether an enabled entity may go from `now` to `next`.
bool changeable(const DomainParticipantQos& now, const DomainParticipantQos& next);
bool changeable(const PublisherQos& now, const PublisherQos& next);
bool changeable(const SubscriberQos& now, const SubscriberQos& next);
bool changeable(const TopicQos& now, const TopicQos& next);
bool changeable(const DataWriterQos& now, const DataWriterQos& next);
bool changeable(const DataReaderQos& now, const DataReaderQos& next);

// The policies in which what the writer offers falls short of what the
// reader requests, by increasing id; empty when they are compatible.
std::vector<QosPolicyId_t> incompatible_policies(const DataWriterQos& writer, const PublisherQos& publisher,
                                                 const DataReaderQos& reader, const SubscriberQos& subscriber);

// Whether two partition lists share a partition (no names: the default
// partition ""; names may hold fnmatch wildcards, two wildcards never meet).
bool partitions_meet(const PartitionQosPolicy& a, const PartitionQosPolicy& b);

}  // namespace ZORVEX::engine::qos

#endif
