// A participant of the stand-in core with a keyed type, a topic, a publisher
// (as a C handle) and a subscriber, made through the core's own interface;
// readers and what they hold are reached the same way.
#ifndef QUILLMARC_TESTS_PUBLICATION_STAND_IN_H
#define QUILLMARC_TESTS_PUBLICATION_STAND_IN_H

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "quillmarc/dds_c.h"
#include "zorvex/zorvex.h"

struct Reading {
  int32_t sensor;  // the key
  int32_t value;
  char unit[8];
};

inline Reading reading(int32_t sensor, int32_t value) {
  Reading r{};
  r.sensor = sensor;
  r.value = value;
  return r;
}

// One sample as a core reader took it.
struct Taken {
  Reading data;
  ZORVEX::SampleInfo info;
};

template <class Handle, class Core>
Handle* c_handle_of(Core* object) {
  return reinterpret_cast<Handle*>(object);
}

class StandIn : public ::testing::Test {
 protected:
  void SetUp() override {
    static ZORVEX::DomainId_t next_domain = 40;
    factory_ = ZORVEX::DomainParticipantFactory::get_instance();
    participant_ = factory_->create_participant(next_domain++, ZORVEX::PARTICIPANT_QOS_DEFAULT, nullptr, 0);
    ASSERT_NE(participant_, nullptr);
    const ZORVEX::TypeDescriptor type = ZORVEX_KEYED_TYPE(Reading, sensor);
    ASSERT_EQ(participant_->register_type("Reading", &type), ZORVEX::RETCODE_OK);
    core_topic_ = participant_->create_topic("Readings", "Reading", ZORVEX::TOPIC_QOS_DEFAULT, nullptr, 0);
    core_publisher_ = participant_->create_publisher(ZORVEX::PUBLISHER_QOS_DEFAULT, nullptr, 0);
    subscriber_ = participant_->create_subscriber(ZORVEX::SUBSCRIBER_QOS_DEFAULT, nullptr, 0);
    ASSERT_NE(core_topic_, nullptr);
    ASSERT_NE(core_publisher_, nullptr);
    ASSERT_NE(subscriber_, nullptr);
    topic_ = c_handle_of<DDS_Topic>(core_topic_);
    publisher_ = c_handle_of<DDS_Publisher>(core_publisher_);
  }

  void TearDown() override {
    EXPECT_EQ(participant_->delete_contained_entities(), ZORVEX::RETCODE_OK);
    EXPECT_EQ(factory_->delete_participant(participant_), ZORVEX::RETCODE_OK);
  }

  // A writer with the publisher's default QoS and no listener.
  DDS_DataWriter* writer() {
    DDS_DataWriter* w = DDS_Publisher_create_datawriter(publisher_, topic_, nullptr, nullptr, 0);
    EXPECT_NE(w, nullptr);
    return w;
  }

  // A reliable reader that keeps every sample.
  ZORVEX::DataReader* reader() {
    ZORVEX::DataReaderQos qos;
    qos.history.kind = ZORVEX::KEEP_ALL_HISTORY_QOS;
    qos.reliability.kind = ZORVEX::RELIABLE_RELIABILITY_QOS;
    ZORVEX::DataReader* r = subscriber_->create_datareader(core_topic_, qos, nullptr, 0);
    EXPECT_NE(r, nullptr);
    return r;
  }

  static std::vector<Taken> take(ZORVEX::DataReader* r) {
    std::vector<Taken> all;
    Taken t{};
    while (r->take_next_sample(&t.data, t.info) == ZORVEX::RETCODE_OK) {
      all.push_back(t);
      t = Taken{};
    }
    return all;
  }

  ZORVEX::DomainParticipantFactory* factory_ = nullptr;
  ZORVEX::DomainParticipant* participant_ = nullptr;
  ZORVEX::Topic* core_topic_ = nullptr;
  ZORVEX::Publisher* core_publisher_ = nullptr;
  ZORVEX::Subscriber* subscriber_ = nullptr;
  DDS_Topic* topic_ = nullptr;
  DDS_Publisher* publisher_ = nullptr;
};

#endif
