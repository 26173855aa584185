// DDSTypeConvert::convert: every C record to its core record and back. The
// source is read, the target written in place; nothing is allocated but the
// target's own strings and vectors, nothing is checked or reported.
//
// Member rules: integers, durations and times copied; a C boolean becomes
// false for 0 and true otherwise, a core boolean's byte comes back unchanged;
// kinds go through the kind table (reliability is 0/1 in C, 1/2 in the core)
// and a value outside it leaves the target member alone; byte and string
// sequences replace the target's content; instance handles follow the rules
// of handles.h.
#ifndef QUILLMARC_SRC_BINDING_DDS_TYPE_CONVERT_H
#define QUILLMARC_SRC_BINDING_DDS_TYPE_CONVERT_H

#include <string>
#include <vector>

#include "quillmarc/dds_qos.h"
#include "quillmarc/dds_status.h"
#include "zorvex/zorvex.h"

#define QUILLMARC_DECLARE_CONVERT(CType, CoreType)              \
  QUILLMARC_API void convert(CType const& from, CoreType& to); \
  QUILLMARC_API void convert(CoreType const& from, CType& to);
#define QUILLMARC_DECLARE_RECORD_CONVERT(Name) QUILLMARC_DECLARE_CONVERT(DDS_##Name, ZORVEX::Name)

namespace DDSTypeConvert {

QUILLMARC_DECLARE_CONVERT(DDS_UCharSequence, std::vector<unsigned char>)
QUILLMARC_DECLARE_CONVERT(DDS_CStringSequence, std::vector<std::string>)

QUILLMARC_DECLARE_RECORD_CONVERT(DomainParticipantFactoryQos)
QUILLMARC_DECLARE_RECORD_CONVERT(DomainParticipantQos)
QUILLMARC_DECLARE_RECORD_CONVERT(PublisherQos)
QUILLMARC_DECLARE_RECORD_CONVERT(SubscriberQos)
QUILLMARC_DECLARE_RECORD_CONVERT(TopicQos)
QUILLMARC_DECLARE_RECORD_CONVERT(DataWriterQos)
QUILLMARC_DECLARE_RECORD_CONVERT(DataReaderQos)

QUILLMARC_DECLARE_RECORD_CONVERT(InconsistentTopicStatus)
QUILLMARC_DECLARE_RECORD_CONVERT(SampleLostStatus)
QUILLMARC_DECLARE_RECORD_CONVERT(SampleRejectedStatus)
QUILLMARC_DECLARE_RECORD_CONVERT(LivelinessLostStatus)
QUILLMARC_DECLARE_RECORD_CONVERT(LivelinessChangedStatus)
QUILLMARC_DECLARE_RECORD_CONVERT(OfferedDeadlineMissedStatus)
QUILLMARC_DECLARE_RECORD_CONVERT(RequestedDeadlineMissedStatus)
QUILLMARC_DECLARE_RECORD_CONVERT(OfferedIncompatibleQosStatus)
QUILLMARC_DECLARE_RECORD_CONVERT(RequestedIncompatibleQosStatus)
QUILLMARC_DECLARE_RECORD_CONVERT(PublicationMatchedStatus)
QUILLMARC_DECLARE_RECORD_CONVERT(SubscriptionMatchedStatus)
// The reserved words of the C record are left as they are.
QUILLMARC_DECLARE_RECORD_CONVERT(SampleInfo)
QUILLMARC_DECLARE_RECORD_CONVERT(ParticipantBuiltinTopicData)
QUILLMARC_DECLARE_RECORD_CONVERT(TopicBuiltinTopicData)
QUILLMARC_DECLARE_RECORD_CONVERT(PublicationBuiltinTopicData)
QUILLMARC_DECLARE_RECORD_CONVERT(SubscriptionBuiltinTopicData)

}  // namespace DDSTypeConvert

#undef QUILLMARC_DECLARE_RECORD_CONVERT
#undef QUILLMARC_DECLARE_CONVERT

#endif
