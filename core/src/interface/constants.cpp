// The interface's constant objects and the loan sequences' base destructor.
#include "zorvex/qos.h"
#include "zorvex/sequence_base.h"
#include "zorvex/types.h"

namespace ZORVEX {

// constexpr: built before any other library's initialisers read it.
constexpr InstanceHandle_t HANDLE_NIL{};

const DomainParticipantQos PARTICIPANT_QOS_DEFAULT{};
const PublisherQos PUBLISHER_QOS_DEFAULT{};
const SubscriberQos SUBSCRIBER_QOS_DEFAULT{};
const TopicQos TOPIC_QOS_DEFAULT{};
const DataWriterQos DATAWRITER_QOS_DEFAULT{};
const DataReaderQos DATAREADER_QOS_DEFAULT{};

}  // namespace ZORVEX

SequenceBase::~SequenceBase() = default;
