// The operation shapes over core doubles: the QoS default sentinel of the
// creators, setters, getters, deleters, texts and output sequences.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "binding/shapes.h"
#include "c_records.h"
#include "core_doubles.h"
#include "record_walk.h"
#include "support/expect_throw.h"

namespace {

using quillmarc::Creation;
using quillmarc::core;
using quillmarc::handle;
using ::testing::_;
using ::testing::Return;

class Creator : public ::testing::Test {
 protected:
  ~Creator() override { DDS_PUBLISHER_QOS_DEFAULT = nullptr; }

  // Creates a publisher as an entity function would, and tells what the core
  // received.
  DDS_Publisher* create(const DDS_PublisherQos* qos, const DDS_PublisherListener* listener) {
    EXPECT_CALL(participant_, create_publisher(_, _, _))
        .WillOnce([this](const ZORVEX::PublisherQos& q, ZORVEX::PublisherListener* l, const ZORVEX::StatusMask& m) {
          received_qos_ = &q;
          received_partition_ = q.partition.name;
          received_listener_.reset(l);
          received_mask_ = m;
          return &publisher_;
        });
    Creation<DDS_PublisherQos, PublisherListenerImpl> c(qos, listener, 0x44);
    return handle(core(p_)->create_publisher(c.qos(), c.bridge(), c.mask));
  }

  doubles::Participant participant_;
  doubles::Publisher publisher_;
  DDS_DomainParticipant* p_ = handle<ZORVEX::DomainParticipant>(&participant_);
  const ZORVEX::PublisherQos* received_qos_ = nullptr;
  std::vector<std::string> received_partition_;
  std::unique_ptr<ZORVEX::PublisherListener> received_listener_;
  ZORVEX::StatusMask received_mask_ = 0;
};

TEST_F(Creator, NullQosWhileTheVariableIsNullPassesTheCoreDefault) {
  DDS_PublisherListener record{};
  EXPECT_EQ(create(nullptr, &record), handle<ZORVEX::Publisher>(&publisher_));
  EXPECT_EQ(received_qos_, &ZORVEX::PUBLISHER_QOS_DEFAULT);
  EXPECT_EQ(received_mask_, 0x44u);
  auto* bridge = dynamic_cast<PublisherListenerImpl*>(received_listener_.get());
  ASSERT_NE(bridge, nullptr);
  EXPECT_EQ(bridge->c_listener, &record);
}

TEST_F(Creator, TheVariablesCurrentValueSelectsTheDefaultAndAnyOtherRecordIsConverted) {
  CPublisherQos marker, mine;
  set_names(marker->partition.name, {"never read"});
  set_names(mine->partition.name, {"mine"});
  DDS_PUBLISHER_QOS_DEFAULT = marker.get();

  create(marker.get(), nullptr);
  EXPECT_EQ(received_qos_, &ZORVEX::PUBLISHER_QOS_DEFAULT);
  ASSERT_NE(received_listener_, nullptr);

  create(mine.get(), nullptr);
  EXPECT_NE(received_qos_, &ZORVEX::PUBLISHER_QOS_DEFAULT);
  EXPECT_EQ(received_partition_, (std::vector<std::string>{"mine"}));
}

TEST(CreatorArguments, ABridgeNotYetHandedOverIsFreedWhenATextFails) {
  // Under the leak checker: the bridge made before the text must not stay.
  auto build = [] {
    Creation<DDS_TopicQos, TopicListenerImpl> c(nullptr, nullptr, 0);
    const std::string name = quillmarc::text(nullptr);
    return c.bridge();
  };
  EXPECT_THROW_MESSAGE(build(), std::logic_error, "basic_string::_M_construct null not valid");
  EXPECT_EQ(quillmarc::text("topic"), "topic");
}

TEST(Setter, ConvertsTheRecordEvenWhenItIsTheDefaultMarker) {
  doubles::Participant participant;
  CParticipantQos qos;
  bytes(qos->user_data.value) = {5, 6};
  DDS_DOMAINPARTICIPANT_QOS_DEFAULT = qos.get();
  EXPECT_CALL(participant, set_qos(_)).WillOnce([](const ZORVEX::DomainParticipantQos& q) {
    EXPECT_NE(&q, &ZORVEX::PARTICIPANT_QOS_DEFAULT);
    EXPECT_EQ(q.user_data.value, (std::vector<unsigned char>{5, 6}));
    return ZORVEX::RETCODE_IMMUTABLE_POLICY;
  });
  EXPECT_EQ(quillmarc::set_record(&participant, &ZORVEX::DomainParticipant::set_qos, qos.get()),
            DDS_RETCODE_IMMUTABLE_POLICY);
  DDS_DOMAINPARTICIPANT_QOS_DEFAULT = nullptr;
}

TEST(Getter, AFailedCallStillOverwritesTheRecordWithWhatTheCoreLeft) {
  doubles::Reader reader;
  CReaderQos qos;
  walk::vary_all(*qos);
  EXPECT_CALL(reader, get_qos(_)).WillOnce(Return(ZORVEX::RETCODE_ERROR));
  EXPECT_EQ(quillmarc::get_record(&reader, &ZORVEX::DataReader::get_qos, qos.get()), DDS_RETCODE_ERROR);
  EXPECT_EQ(qos->deadline.period.sec, ZORVEX::DURATION_INFINITE_SEC);  // the core's own default
  EXPECT_EQ(qos->reliability.kind, DDS_BEST_EFFORT_RELIABILITY_QOS);
  EXPECT_TRUE(bytes(qos->user_data.value).empty());

  DDS_SampleLostStatus status{9, 9};
  EXPECT_CALL(reader, get_sample_lost_status(_)).WillOnce([](ZORVEX::SampleLostStatus& s) {
    s.total_count = 3;
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(quillmarc::get_record(&reader, &ZORVEX::DataReader::get_sample_lost_status, &status), DDS_RETCODE_OK);
  EXPECT_EQ(status.total_count, 3);
  EXPECT_EQ(status.total_count_change, 0);
}

TEST(Deleter, TheCallersVariableIsLeftAsItWas) {
  doubles::Participant participant;
  doubles::Publisher publisher;
  DDS_Publisher* mine = handle<ZORVEX::Publisher>(&publisher);
  EXPECT_CALL(participant, delete_publisher(_)).WillOnce([&](ZORVEX::Publisher*& child) {
    EXPECT_EQ(child, &publisher);
    child = nullptr;
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(quillmarc::delete_child(&participant, &ZORVEX::DomainParticipant::delete_publisher, mine),
            DDS_RETCODE_OK);
  EXPECT_EQ(mine, handle<ZORVEX::Publisher>(&publisher));
}

TEST(OutputSequences, ReplaceTheWholeContentInTheCoresOrder) {
  std::vector<DDS_InstanceHandle_t> handles(5, c_handle(0x99, 1));
  ZORVEX::InstanceHandle_t valid;
  valid.valid = 1;
  valid.value[0] = 7;
  quillmarc::replace(handles, {valid, ZORVEX::HANDLE_NIL});
  ASSERT_EQ(handles.size(), 2u);
  EXPECT_EQ(handles[0].value[0], 7);
  EXPECT_EQ(handles[1].valid, 0);
  EXPECT_EQ(handles[1].value[0], 0);  // an invalid handle from an all-zero element

  std::vector<void*> readers(3, nullptr);
  ZORVEX::DataReader* one = reinterpret_cast<ZORVEX::DataReader*>(0x100);
  quillmarc::replace(readers, std::vector<ZORVEX::DataReader*>{one});
  EXPECT_EQ(readers, (std::vector<void*>{one}));

  CPublisherQos qos;
  set_names(qos->partition.name, {"a", "b"});
  EXPECT_EQ(quillmarc::strings(qos->partition.name), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
