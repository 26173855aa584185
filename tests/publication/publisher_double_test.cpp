// The publisher's functions against a core double: what the core receives
// (the QoS default marker, the bridge, the mask, texts, child pointers,
// profile names), what comes back, and the functions that reach no core.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "binding/c_records.h"
#include "binding/listener_bridges.h"
#include "binding/record_walk.h"
#include "publication_doubles.h"
#include "quillmarc/dds_c.h"
#include "support/expect_throw.h"

namespace {

using doubles::PublisherDouble;
using ::testing::_;
using ::testing::Return;
using ::testing::StrictMock;

template <class Handle, class Core>
Handle* as(Core* object) {
  return reinterpret_cast<Handle*>(object);
}

// The record held by the bridge that the core received; null when the
// listener is not one of the library's writer bridges.
const DDS_DataWriterListener* record_of(ZORVEX::DataWriterListener* listener) {
  auto* bridge = dynamic_cast<DataWriterListenerImpl*>(listener);
  EXPECT_NE(bridge, nullptr);
  return bridge == nullptr ? nullptr : bridge->c_listener;
}

class CreateWriter : public ::testing::Test {
 protected:
  ~CreateWriter() override { DDS_DATAWRITER_QOS_DEFAULT = nullptr; }

  // Creates through the C function and records what the core received.
  DDS_DataWriter* create(const DDS_DataWriterQos* qos, const DDS_DataWriterListener* listener,
                         DDS_StatusMask mask, ZORVEX::DataWriter* answer) {
    EXPECT_CALL(publisher_, create_datawriter(&topic_, _, _, _))
        .WillOnce([this, answer](ZORVEX::Topic*, const ZORVEX::DataWriterQos& q, ZORVEX::DataWriterListener* l,
                                 const ZORVEX::StatusMask& m) {
          received_qos_ = &q;
          received_ = q;
          listener_ = l;
          publisher_.keep(l);
          mask_ = m;
          return answer;
        });
    return DDS_Publisher_create_datawriter(p_, as<DDS_Topic>(static_cast<ZORVEX::Topic*>(&topic_)), qos, listener,
                                           mask);
  }

  PublisherDouble publisher_;
  ZORVEX::Topic topic_;
  doubles::WriterDouble writer_;
  DDS_Publisher* p_ = as<DDS_Publisher>(static_cast<ZORVEX::Publisher*>(&publisher_));
  const ZORVEX::DataWriterQos* received_qos_ = nullptr;
  ZORVEX::DataWriterQos received_;
  ZORVEX::DataWriterListener* listener_ = nullptr;
  ZORVEX::StatusMask mask_ = 0;
};

TEST_F(CreateWriter, NullQosWhileTheVariableIsNullPassesTheCoreDefault) {
  DDS_DataWriterListener record{};
  DDS_DataWriter* w = create(nullptr, &record, 0x80002001u, &writer_);
  EXPECT_EQ(w, as<DDS_DataWriter>(static_cast<ZORVEX::DataWriter*>(&writer_)));
  EXPECT_EQ(received_qos_, &ZORVEX::DATAWRITER_QOS_DEFAULT);
  EXPECT_EQ(mask_, 0x80002001u);
  EXPECT_EQ(record_of(listener_), &record);
}

TEST_F(CreateWriter, TheVariablesValueSelectsTheDefaultAndAnyOtherRecordIsConverted) {
  CWriterQos marker, mine;
  bytes(marker->user_data.value) = {9};
  bytes(mine->user_data.value) = {1, 2, 3};
  mine->reliability.kind = DDS_BEST_EFFORT_RELIABILITY_QOS;
  mine->ownership_strength.value = 42;
  DDS_DATAWRITER_QOS_DEFAULT = marker.get();

  create(marker.get(), nullptr, 0, &writer_);
  EXPECT_EQ(received_qos_, &ZORVEX::DATAWRITER_QOS_DEFAULT);

  create(mine.get(), nullptr, 0, &writer_);
  EXPECT_NE(received_qos_, &ZORVEX::DATAWRITER_QOS_DEFAULT);
  EXPECT_EQ(received_.user_data.value, (std::vector<unsigned char>{1, 2, 3}));
  EXPECT_EQ(received_.reliability.kind, ZORVEX::BEST_EFFORT_RELIABILITY_QOS);
  EXPECT_EQ(received_.ownership_strength.value, 42);

  // Null is now an ordinary pointer: it is not the marker.
  DDS_DATAWRITER_QOS_DEFAULT = nullptr;
  create(nullptr, nullptr, 0, &writer_);
  EXPECT_EQ(received_qos_, &ZORVEX::DATAWRITER_QOS_DEFAULT);
}

TEST_F(CreateWriter, ANullListenerStillGetsABridgeAndARefusalAnswersNull) {
  EXPECT_EQ(create(nullptr, nullptr, 0, nullptr), nullptr);
  ASSERT_NE(listener_, nullptr);
  EXPECT_EQ(record_of(listener_), nullptr);
}

TEST(CreateWriterWithProfile, NamesBridgeAndMaskReachTheCoreAsGiven) {
  PublisherDouble publisher;
  ZORVEX::Topic topic;
  doubles::WriterDouble writer;
  const char* library = "lib";
  const char* profile = "profile";
  DDS_DataWriterListener record{};
  CWriterQos marker;
  DDS_DATAWRITER_QOS_DEFAULT = marker.get();  // not consulted
  EXPECT_CALL(publisher, create_datawriter_with_qos_profile(&topic, library, profile, nullptr, _, 0x4000u))
      .WillOnce([&](ZORVEX::Topic*, const char*, const char*, const char*, ZORVEX::DataWriterListener* l,
                    ZORVEX::StatusMask) {
        publisher.keep(l);
        EXPECT_EQ(record_of(l), &record);
        return &writer;
      });
  EXPECT_EQ(DDS_Publisher_create_datawriter_with_qos_profile(as<DDS_Publisher>(static_cast<ZORVEX::Publisher*>(&publisher)),
                                                             as<DDS_Topic>(static_cast<ZORVEX::Topic*>(&topic)),
                                                             library, profile, nullptr, &record, 0x4000u),
            as<DDS_DataWriter>(static_cast<ZORVEX::DataWriter*>(&writer)));
  DDS_DATAWRITER_QOS_DEFAULT = nullptr;
}

TEST(DeleteWriter, TheCoreGetsTheWriterByReferenceAndTheCallersVariableStays) {
  PublisherDouble publisher;
  doubles::WriterDouble writer;
  DDS_DataWriter* w = as<DDS_DataWriter>(static_cast<ZORVEX::DataWriter*>(&writer));
  EXPECT_CALL(publisher, delete_datawriter(_)).WillOnce([&](ZORVEX::DataWriter*& child) {
    EXPECT_EQ(child, &writer);
    child = nullptr;
    return ZORVEX::RETCODE_PRECONDITION_NOT_MET;
  });
  EXPECT_EQ(DDS_Publisher_delete_datawriter(as<DDS_Publisher>(static_cast<ZORVEX::Publisher*>(&publisher)), w),
            DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(w, as<DDS_DataWriter>(static_cast<ZORVEX::DataWriter*>(&writer)));
}

TEST(LookupWriter, TheNameIsPassedAndANullNameThrowsBeforeTheCore) {
  StrictMock<PublisherDouble> publisher;
  doubles::WriterDouble writer;
  DDS_Publisher* p = as<DDS_Publisher>(static_cast<ZORVEX::Publisher*>(&publisher));
  EXPECT_CALL(publisher, lookup_datawriter(std::string("Readings"))).WillOnce(Return(&writer));
  EXPECT_EQ(DDS_Publisher_lookup_datawriter(p, "Readings"), as<DDS_DataWriter>(static_cast<ZORVEX::DataWriter*>(&writer)));
  EXPECT_THROW_MESSAGE(DDS_Publisher_lookup_datawriter(p, nullptr), std::logic_error,
                       "basic_string::_M_construct null not valid");
}

// Operations that take nothing but the publisher answer the core's code.
struct Forwarded {
  const char* name;
  DDS_ReturnCode_t (*call)(DDS_Publisher*);
  std::function<void(PublisherDouble&, ZORVEX::ReturnCode_t)> expect;
};
void PrintTo(const Forwarded& f, std::ostream* os) { *os << f.name; }

class Forwarders : public ::testing::TestWithParam<Forwarded> {};

TEST_P(Forwarders, AnswerTheCoresCode) {
  StrictMock<PublisherDouble> publisher;
  for (ZORVEX::ReturnCode_t rc : {ZORVEX::RETCODE_OK, ZORVEX::RETCODE_ALREADY_DELETED, 77}) {
    GetParam().expect(publisher, rc);
    EXPECT_EQ(GetParam().call(as<DDS_Publisher>(static_cast<ZORVEX::Publisher*>(&publisher))), rc);
  }
}

#define QUILLMARC_FORWARDED(op)                                                                   \
  Forwarded{#op, DDS_Publisher_##op, [](PublisherDouble& p, ZORVEX::ReturnCode_t rc) {           \
              EXPECT_CALL(p, op()).WillOnce(Return(rc));                                          \
            }}
INSTANTIATE_TEST_SUITE_P(Publisher, Forwarders,
                         ::testing::Values(QUILLMARC_FORWARDED(suspend_publications),
                                           QUILLMARC_FORWARDED(resume_publications),
                                           QUILLMARC_FORWARDED(begin_coherent_changes),
                                           QUILLMARC_FORWARDED(end_coherent_changes),
                                           QUILLMARC_FORWARDED(delete_contained_entities)),
                         [](const auto& info) { return std::string(info.param.name); });
#undef QUILLMARC_FORWARDED

TEST(PublisherArguments, DurationsProfilesAndTheParticipantPassUnchanged) {
  StrictMock<PublisherDouble> publisher;
  DDS_Publisher* p = as<DDS_Publisher>(static_cast<ZORVEX::Publisher*>(&publisher));

  const DDS_Duration_t wait{-3, 1999999999u};
  EXPECT_CALL(publisher, wait_for_acknowledgments(_)).WillOnce([](const ZORVEX::Duration_t& d) {
    EXPECT_EQ(d.sec, -3);
    EXPECT_EQ(d.nanosec, 1999999999u);
    return ZORVEX::RETCODE_TIMEOUT;
  });
  EXPECT_EQ(DDS_Publisher_wait_for_acknowledgments(p, &wait), DDS_RETCODE_TIMEOUT);

  ZORVEX::DomainParticipant participant;
  EXPECT_CALL(publisher, get_participant()).WillOnce(Return(&participant));
  EXPECT_EQ(DDS_Publisher_get_participant(p), as<DDS_DomainParticipant>(&participant));

  const char *a = "a", *b = "b", *c = "c";
  EXPECT_CALL(publisher, set_qos_with_profile(a, nullptr, c)).WillOnce(Return(ZORVEX::RETCODE_UNSUPPORTED));
  EXPECT_EQ(DDS_Publisher_set_qos_with_profile(p, a, nullptr, c), DDS_RETCODE_UNSUPPORTED);
  EXPECT_CALL(publisher, set_default_datawriter_qos_with_profile(b, a, nullptr)).WillOnce(Return(5));
  EXPECT_EQ(DDS_Publisher_set_default_datawriter_qos_with_profile(p, b, a, nullptr), 5);
}

TEST(PublisherQos, GettersOverwriteTheRecordWhateverTheCode) {
  PublisherDouble publisher;
  DDS_Publisher* p = as<DDS_Publisher>(static_cast<ZORVEX::Publisher*>(&publisher));

  CPublisherQos qos;
  walk::vary_all(*qos);
  EXPECT_CALL(publisher, get_qos(_)).WillOnce([](ZORVEX::PublisherQos& q) {
    q.partition.name = {"left by the core"};
    return ZORVEX::RETCODE_ERROR;
  });
  EXPECT_EQ(DDS_Publisher_get_qos(p, qos.get()), DDS_RETCODE_ERROR);
  EXPECT_EQ(names(qos->partition.name), (std::vector<std::string>{"left by the core"}));
  EXPECT_TRUE(bytes(qos->group_data.value).empty());
  EXPECT_EQ(qos->presentation.access_scope, DDS_INSTANCE_PRESENTATION_QOS);

  CWriterQos writer_qos;
  walk::vary_all(*writer_qos);
  EXPECT_CALL(publisher, get_default_datawriter_qos(_)).WillOnce(Return(ZORVEX::RETCODE_ALREADY_DELETED));
  EXPECT_EQ(DDS_Publisher_get_default_datawriter_qos(p, writer_qos.get()), DDS_RETCODE_ALREADY_DELETED);
  CWriterQos fresh;
  ZORVEX::DataWriterQos core_default;
  DDSTypeConvert::convert(static_cast<const ZORVEX::DataWriterQos&>(core_default), *fresh);
  EXPECT_EQ(walk::differences(*writer_qos, *fresh), 0);
}

TEST(PublisherQos, SettersConvertTheirRecordEvenWhenItIsTheMarker) {
  PublisherDouble publisher;
  DDS_Publisher* p = as<DDS_Publisher>(static_cast<ZORVEX::Publisher*>(&publisher));

  CPublisherQos qos;
  set_names(qos->partition.name, {"A", "B"});
  DDS_PUBLISHER_QOS_DEFAULT = qos.get();
  EXPECT_CALL(publisher, set_qos(_)).WillOnce([](const ZORVEX::PublisherQos& q) {
    EXPECT_NE(&q, &ZORVEX::PUBLISHER_QOS_DEFAULT);
    EXPECT_EQ(q.partition.name, (std::vector<std::string>{"A", "B"}));
    return ZORVEX::RETCODE_IMMUTABLE_POLICY;
  });
  EXPECT_EQ(DDS_Publisher_set_qos(p, qos.get()), DDS_RETCODE_IMMUTABLE_POLICY);
  DDS_PUBLISHER_QOS_DEFAULT = nullptr;

  CWriterQos writer_qos;
  writer_qos->history = {DDS_KEEP_ALL_HISTORY_QOS, 4};
  DDS_DATAWRITER_QOS_DEFAULT = writer_qos.get();
  EXPECT_CALL(publisher, set_default_datawriter_qos(_)).WillOnce([](const ZORVEX::DataWriterQos& q) {
    EXPECT_NE(&q, &ZORVEX::DATAWRITER_QOS_DEFAULT);
    EXPECT_EQ(q.history.kind, ZORVEX::KEEP_ALL_HISTORY_QOS);
    EXPECT_EQ(q.history.depth, 4);
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(DDS_Publisher_set_default_datawriter_qos(p, writer_qos.get()), DDS_RETCODE_OK);
  DDS_DATAWRITER_QOS_DEFAULT = nullptr;
}

TEST(CopyFromTopicQos, TopicPoliciesComeInAndTheWritersOwnStayWithoutAPublisher) {
  CWriterQos writer;
  bytes(writer->user_data.value) = {4, 5};
  writer->ownership_strength.value = 12;
  writer->writer_data_lifecycle.autodispose_unregistered_instances = 0;
  writer->deadline.period = {50, 0};
  CTopicQos topic;
  topic->durability.kind = DDS_TRANSIENT_LOCAL_DURABILITY_QOS;
  topic->history = {DDS_KEEP_ALL_HISTORY_QOS, 3};
  topic->reliability.kind = DDS_BEST_EFFORT_RELIABILITY_QOS;
  topic->deadline.period = {7, 8};
  topic->ownership.kind = DDS_EXCLUSIVE_OWNERSHIP_QOS;
  bytes(topic->topic_data.value) = {99};  // a writer has no topic data

  EXPECT_EQ(DDS_Publisher_copy_from_topic_qos(nullptr, writer.get(), topic.get()), DDS_RETCODE_OK);
  EXPECT_EQ(writer->durability.kind, DDS_TRANSIENT_LOCAL_DURABILITY_QOS);
  EXPECT_EQ(writer->history.kind, DDS_KEEP_ALL_HISTORY_QOS);
  EXPECT_EQ(writer->history.depth, 3);
  EXPECT_EQ(writer->reliability.kind, DDS_BEST_EFFORT_RELIABILITY_QOS);
  EXPECT_EQ(writer->deadline.period.sec, 7);
  EXPECT_EQ(writer->deadline.period.nanosec, 8u);
  EXPECT_EQ(writer->ownership.kind, DDS_EXCLUSIVE_OWNERSHIP_QOS);
  EXPECT_EQ(bytes(writer->user_data.value), (std::vector<unsigned char>{4, 5}));
  EXPECT_EQ(writer->ownership_strength.value, 12);
  EXPECT_EQ(writer->writer_data_lifecycle.autodispose_unregistered_instances, 0);
}

TEST(PublisherListener, ConstantAnswersThatNeverReachTheCore) {
  StrictMock<PublisherDouble> publisher;  // any call would fail the test
  DDS_Publisher* p = as<DDS_Publisher>(static_cast<ZORVEX::Publisher*>(&publisher));
  DDS_PublisherListener record{};
  EXPECT_EQ(DDS_Publisher_set_listener(p, &record, DDS_STATUS_MASK_ALL), DDS_RETCODE_UNSUPPORTED);
  EXPECT_EQ(DDS_Publisher_set_listener(nullptr, nullptr, 0), 2);
  EXPECT_EQ(DDS_Publisher_get_listener(p), nullptr);
  EXPECT_EQ(DDS_Publisher_get_listener(nullptr), nullptr);
}

}  // namespace
