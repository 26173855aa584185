// Conversions of the QoS records and of the byte and string sequences they
// embed.
#include "binding/dds_type_convert.h"

#include "binding/convert_members.h"
#include "binding/record_members.h"

namespace DDSTypeConvert {

// Sequences: the target's content is replaced, never appended to.
void convert(DDS_UCharSequence const& from, std::vector<unsigned char>& to) {
  to = static_cast<std::vector<unsigned char>&>(from);
}

void convert(std::vector<unsigned char> const& from, DDS_UCharSequence& to) {
  static_cast<std::vector<unsigned char>&>(to) = from;
}

void convert(DDS_CStringSequence const& from, std::vector<std::string>& to) {
  std::vector<DDS_CString> const& names = from;
  to.assign(names.begin(), names.end());
}

void convert(std::vector<std::string> const& from, DDS_CStringSequence& to) {
  std::vector<DDS_CString>& names = to;
  names.clear();
  names.reserve(from.size());
  for (std::string const& name : from) names.emplace_back(name);
}

#define QUILLMARC_QOS(Name, MEMBERS) QUILLMARC_BOTH_WAYS(, DDS_##Name, ZORVEX::Name, MEMBERS(QUILLMARC_M))
QUILLMARC_QOS(DomainParticipantFactoryQos, QUILLMARC_DOMAINPARTICIPANTFACTORY_QOS)
QUILLMARC_QOS(DomainParticipantQos, QUILLMARC_DOMAINPARTICIPANT_QOS)
QUILLMARC_QOS(PublisherQos, QUILLMARC_PUBLISHER_QOS)
QUILLMARC_QOS(SubscriberQos, QUILLMARC_SUBSCRIBER_QOS)
QUILLMARC_QOS(TopicQos, QUILLMARC_TOPIC_QOS)
QUILLMARC_QOS(DataWriterQos, QUILLMARC_DATAWRITER_QOS)
QUILLMARC_QOS(DataReaderQos, QUILLMARC_DATAREADER_QOS)

}  // namespace DDSTypeConvert
