// A participant of the stand-in core with a keyed type, the topic
// "Readings", a writing side and a subscriber (as a C handle), made through
// the core's own interface; readers are made through the C functions.
#ifndef QUILLMARC_TESTS_SUBSCRIPTION_STAND_IN_H
#define QUILLMARC_TESTS_SUBSCRIPTION_STAND_IN_H

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <vector>

#include "binding/c_records.h"
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

template <class Handle, class Core>
Handle* c_handle_of(Core* object) {
  return reinterpret_cast<Handle*>(object);
}

// The two sequences of a read or take, made and released as a C program
// does.
struct Loan {
  Loan() = default;
  Loan(const Loan&) = delete;
  Loan& operator=(const Loan&) = delete;
  ~Loan() {
    DDS_SampleSequence_destroy(data);
    DDS_SampleInfoSequence_destroy(infos);
  }
  size_t size() const { return DDS_SampleInfoSequence_size(infos); }
  const Reading& value(size_t i) const { return *static_cast<const Reading*>(*DDS_SampleSequence_at(data, i)); }
  const DDS_SampleInfo& info(size_t i) const { return *DDS_SampleInfoSequence_at(infos, i); }
  std::vector<int32_t> values() const {
    std::vector<int32_t> out;
    for (size_t i = 0; i < size(); ++i) out.push_back(info(i).valid_data ? value(i).value : -1);
    return out;
  }

  DDS_SampleSequence* data = DDS_SampleSequence_create();
  DDS_SampleInfoSequence* infos = DDS_SampleInfoSequence_create();
};

class StandIn : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<ZORVEX::DomainId_t> next_domain{60};
    factory_ = ZORVEX::DomainParticipantFactory::get_instance();
    participant_ = factory_->create_participant(next_domain++, ZORVEX::PARTICIPANT_QOS_DEFAULT, nullptr, 0);
    ASSERT_NE(participant_, nullptr);
    const ZORVEX::TypeDescriptor type = ZORVEX_KEYED_TYPE(Reading, sensor);
    ASSERT_EQ(participant_->register_type("Reading", &type), ZORVEX::RETCODE_OK);
    core_topic_ = participant_->create_topic("Readings", "Reading", ZORVEX::TOPIC_QOS_DEFAULT, nullptr, 0);
    publisher_ = participant_->create_publisher(ZORVEX::PUBLISHER_QOS_DEFAULT, nullptr, 0);
    core_subscriber_ = participant_->create_subscriber(ZORVEX::SUBSCRIBER_QOS_DEFAULT, nullptr, 0);
    ASSERT_NE(core_topic_, nullptr);
    ASSERT_NE(publisher_, nullptr);
    ASSERT_NE(core_subscriber_, nullptr);
    topic_ = c_handle_of<DDS_TopicDescription>(static_cast<ZORVEX::TopicDescription*>(core_topic_));
    subscriber_ = c_handle_of<DDS_Subscriber>(core_subscriber_);
  }

  void TearDown() override {
    EXPECT_EQ(participant_->delete_contained_entities(), ZORVEX::RETCODE_OK);
    EXPECT_EQ(factory_->delete_participant(participant_), ZORVEX::RETCODE_OK);
  }

  // A reliable writer that keeps every sample.
  ZORVEX::DataWriter* writer(ZORVEX::ReliabilityQosPolicyKind reliability = ZORVEX::RELIABLE_RELIABILITY_QOS) {
    ZORVEX::DataWriterQos qos;
    qos.history.kind = ZORVEX::KEEP_ALL_HISTORY_QOS;
    qos.reliability.kind = reliability;
    ZORVEX::DataWriter* w = publisher_->create_datawriter(core_topic_, qos, nullptr, 0);
    EXPECT_NE(w, nullptr);
    return w;
  }

  // A reliable reader that keeps every sample, made through the C interface.
  DDS_DataReader* reader(const DDS_DataReaderListener* listener = nullptr, DDS_StatusMask mask = 0) {
    CReaderQos qos;
    qos->history.kind = DDS_KEEP_ALL_HISTORY_QOS;
    qos->reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
    DDS_DataReader* r = DDS_Subscriber_create_datareader(subscriber_, topic_, qos.get(), listener, mask);
    EXPECT_NE(r, nullptr);
    return r;
  }

  static void write(ZORVEX::DataWriter* w, int32_t sensor, int32_t value) {
    const Reading r = reading(sensor, value);
    ASSERT_EQ(w->write(&r, ZORVEX::HANDLE_NIL), ZORVEX::RETCODE_OK);
  }
  static void dispose(ZORVEX::DataWriter* w, int32_t sensor) {
    const Reading r = reading(sensor, 0);
    ASSERT_EQ(w->dispose(&r, ZORVEX::HANDLE_NIL), ZORVEX::RETCODE_OK);
  }

  ZORVEX::DomainParticipantFactory* factory_ = nullptr;
  ZORVEX::DomainParticipant* participant_ = nullptr;
  ZORVEX::Topic* core_topic_ = nullptr;
  ZORVEX::Publisher* publisher_ = nullptr;
  ZORVEX::Subscriber* core_subscriber_ = nullptr;
  DDS_TopicDescription* topic_ = nullptr;
  DDS_Subscriber* subscriber_ = nullptr;
};

#endif
