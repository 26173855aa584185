// The reading side and the entities above the publisher for the C test of
// the publication functions, through the stand-in core's own interface.
#include "publication_stand_in.h"

#include <cstddef>

#include "zorvex/zorvex.h"

namespace {

ZORVEX::DomainParticipant* participant = nullptr;
ZORVEX::Topic* topic = nullptr;
ZORVEX::Subscriber* subscriber = nullptr;
ZORVEX::DataReader* last_reader = nullptr;

}  // namespace

extern "C" {

int stand_in_open(DDS_Publisher** publisher, DDS_Topic** c_topic) {
  ZORVEX::DomainParticipantFactory* factory = ZORVEX::DomainParticipantFactory::get_instance();
  participant = factory->create_participant(3, ZORVEX::PARTICIPANT_QOS_DEFAULT, nullptr, 0);
  if (participant == nullptr) return 1;
  const ZORVEX::TypeDescriptor type = ZORVEX_KEYED_TYPE(Reading, sensor);
  if (participant->register_type("Reading", &type) != ZORVEX::RETCODE_OK) return 1;
  topic = participant->create_topic("Readings", "Reading", ZORVEX::TOPIC_QOS_DEFAULT, nullptr, 0);
  ZORVEX::Publisher* p = participant->create_publisher(ZORVEX::PUBLISHER_QOS_DEFAULT, nullptr, 0);
  subscriber = participant->create_subscriber(ZORVEX::SUBSCRIBER_QOS_DEFAULT, nullptr, 0);
  if (topic == nullptr || p == nullptr || subscriber == nullptr) return 1;
  *publisher = reinterpret_cast<DDS_Publisher*>(p);
  *c_topic = reinterpret_cast<DDS_Topic*>(topic);
  return 0;
}

void stand_in_add_reader(void) {
  ZORVEX::DataReaderQos qos;
  qos.history.kind = ZORVEX::KEEP_ALL_HISTORY_QOS;
  qos.reliability.kind = ZORVEX::RELIABLE_RELIABILITY_QOS;
  last_reader = subscriber->create_datareader(topic, qos, nullptr, 0);
}

int stand_in_take(DDS_Long* values, int max, DDS_ULong* last_instance_state) {
  int n = 0;
  Reading data{};
  ZORVEX::SampleInfo info;
  while (last_reader->take_next_sample(&data, info) == ZORVEX::RETCODE_OK) {
    if (n < max) values[n] = info.valid_data ? data.value : 0;
    *last_instance_state = info.instance_state;
    data = Reading{};
    ++n;
  }
  return n;
}

void stand_in_close(void) {
  participant->delete_contained_entities();
  ZORVEX::DomainParticipantFactory::get_instance()->delete_participant(participant);
}

}  // extern "C"
