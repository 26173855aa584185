// The writing side and the entities above the subscriber for the C test of
// the subscription functions, through the stand-in core's own interface.
#include "subscription_stand_in.h"

#include "zorvex/zorvex.h"

namespace {

ZORVEX::DomainParticipant* participant = nullptr;
ZORVEX::DataWriter* writer = nullptr;

}  // namespace

extern "C" {

int subscription_stand_in_open(DDS_Subscriber** subscriber, DDS_TopicDescription** topic) {
  ZORVEX::DomainParticipantFactory* factory = ZORVEX::DomainParticipantFactory::get_instance();
  participant = factory->create_participant(4, ZORVEX::PARTICIPANT_QOS_DEFAULT, nullptr, 0);
  if (participant == nullptr) return 1;
  const ZORVEX::TypeDescriptor type = ZORVEX_KEYED_TYPE(Reading, sensor);
  if (participant->register_type("Reading", &type) != ZORVEX::RETCODE_OK) return 1;
  ZORVEX::Topic* t = participant->create_topic("Readings", "Reading", ZORVEX::TOPIC_QOS_DEFAULT, nullptr, 0);
  ZORVEX::Publisher* p = participant->create_publisher(ZORVEX::PUBLISHER_QOS_DEFAULT, nullptr, 0);
  ZORVEX::Subscriber* s = participant->create_subscriber(ZORVEX::SUBSCRIBER_QOS_DEFAULT, nullptr, 0);
  if (t == nullptr || p == nullptr || s == nullptr) return 1;
  ZORVEX::DataWriterQos qos;
  qos.history.kind = ZORVEX::KEEP_ALL_HISTORY_QOS;
  qos.reliability.kind = ZORVEX::RELIABLE_RELIABILITY_QOS;
  writer = p->create_datawriter(t, qos, nullptr, 0);
  if (writer == nullptr) return 1;
  *subscriber = reinterpret_cast<DDS_Subscriber*>(s);
  *topic = reinterpret_cast<DDS_TopicDescription*>(static_cast<ZORVEX::TopicDescription*>(t));
  return 0;
}

int subscription_stand_in_write(DDS_Long sensor, DDS_Long value) {
  const Reading r = {sensor, value};
  return writer->write(&r, ZORVEX::HANDLE_NIL) == ZORVEX::RETCODE_OK ? 0 : 1;
}

int subscription_stand_in_dispose(DDS_Long sensor) {
  const Reading r = {sensor, 0};
  return writer->dispose(&r, ZORVEX::HANDLE_NIL) == ZORVEX::RETCODE_OK ? 0 : 1;
}

int subscription_stand_in_close(void) {
  if (participant->delete_contained_entities() != ZORVEX::RETCODE_OK) return 1;
  return ZORVEX::DomainParticipantFactory::get_instance()->delete_participant(participant) == ZORVEX::RETCODE_OK ? 0
                                                                                                                : 1;
}

}  // extern "C"
