// The subscriber's functions against a core double: what the core receives
// (the QoS default marker, the bridge, the mask, texts, child pointers,
// state masks, profile names), what comes back into the caller's records and
// sequences, and the functions that reach no core.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "binding/c_records.h"
#include "binding/listener_bridges.h"
#include "binding/record_walk.h"
#include "quillmarc/dds_c.h"
#include "subscription_doubles.h"
#include "support/expect_throw.h"

namespace {

using doubles::as;
using doubles::ReaderDouble;
using doubles::SubscriberDouble;
using ::testing::_;
using ::testing::Return;
using ::testing::StrictMock;

DDS_Subscriber* handle_of(SubscriberDouble& s) { return as<DDS_Subscriber>(static_cast<ZORVEX::Subscriber*>(&s)); }
DDS_DataReader* handle_of(ReaderDouble& r) { return as<DDS_DataReader>(static_cast<ZORVEX::DataReader*>(&r)); }

// The record held by the bridge that the core received; null when the
// listener is not one of the library's bridges of that kind.
template <class Bridge, class CoreListener>
const typename Bridge::record_type* record_of(CoreListener* listener) {
  auto* bridge = dynamic_cast<Bridge*>(listener);
  EXPECT_NE(bridge, nullptr);
  return bridge == nullptr ? nullptr : bridge->c_listener;
}

class CreateReader : public ::testing::Test {
 protected:
  ~CreateReader() override { DDS_DATAREADER_QOS_DEFAULT = nullptr; }

  // Creates through the C function and records what the core received.
  DDS_DataReader* create(const DDS_DataReaderQos* qos, const DDS_DataReaderListener* listener, DDS_StatusMask mask,
                         ZORVEX::DataReader* answer) {
    EXPECT_CALL(subscriber_, create_datareader(&topic_, _, _, _))
        .WillOnce([this, answer](ZORVEX::TopicDescription*, const ZORVEX::DataReaderQos& q,
                                 ZORVEX::DataReaderListener* l, const ZORVEX::StatusMask& m) {
          received_qos_ = &q;
          received_ = q;
          listener_ = l;
          subscriber_.keep(l);
          mask_ = m;
          return answer;
        });
    return DDS_Subscriber_create_datareader(handle_of(subscriber_), as<DDS_TopicDescription>(static_cast<ZORVEX::TopicDescription*>(&topic_)), qos,
                                            listener, mask);
  }

  SubscriberDouble subscriber_;
  ZORVEX::ContentFilteredTopic topic_;  // any topic description goes as it is
  ReaderDouble reader_;
  const ZORVEX::DataReaderQos* received_qos_ = nullptr;
  ZORVEX::DataReaderQos received_;
  ZORVEX::DataReaderListener* listener_ = nullptr;
  ZORVEX::StatusMask mask_ = 0;
};

TEST_F(CreateReader, NullQosWhileTheVariableIsNullPassesTheCoreDefault) {
  DDS_DataReaderListener record{};
  EXPECT_EQ(create(nullptr, &record, 0x80000401u, &reader_), handle_of(reader_));
  EXPECT_EQ(received_qos_, &ZORVEX::DATAREADER_QOS_DEFAULT);
  EXPECT_EQ(mask_, 0x80000401u);
  EXPECT_EQ(record_of<DataReaderListenerImpl>(listener_), &record);
}

TEST_F(CreateReader, TheVariablesValueSelectsTheDefaultAndAnyOtherRecordIsConverted) {
  CReaderQos marker, mine;
  bytes(marker->user_data.value) = {9};
  bytes(mine->user_data.value) = {1, 2, 3};
  mine->reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
  mine->time_based_filter.minimum_separation = {3, 4};
  DDS_DATAREADER_QOS_DEFAULT = marker.get();

  create(marker.get(), nullptr, 0, &reader_);
  EXPECT_EQ(received_qos_, &ZORVEX::DATAREADER_QOS_DEFAULT);

  create(mine.get(), nullptr, 0, &reader_);
  EXPECT_NE(received_qos_, &ZORVEX::DATAREADER_QOS_DEFAULT);
  EXPECT_EQ(received_.user_data.value, (std::vector<unsigned char>{1, 2, 3}));
  EXPECT_EQ(received_.reliability.kind, ZORVEX::RELIABLE_RELIABILITY_QOS);
  EXPECT_EQ(received_.time_based_filter.minimum_separation.sec, 3);
  EXPECT_EQ(received_.time_based_filter.minimum_separation.nanosec, 4u);
}

TEST_F(CreateReader, ANullListenerStillGetsABridgeAndARefusalAnswersNull) {
  EXPECT_EQ(create(nullptr, nullptr, 0, nullptr), nullptr);
  ASSERT_NE(listener_, nullptr);
  EXPECT_EQ(record_of<DataReaderListenerImpl>(listener_), nullptr);
}

TEST(CreateReaderWithProfile, NamesBridgeAndMaskReachTheCoreAsGiven) {
  SubscriberDouble subscriber;
  ZORVEX::Topic topic;
  ReaderDouble reader;
  ZORVEX::TopicDescription* description = &topic;
  const char* library = "lib";
  const char* profile = "profile";
  DDS_DataReaderListener record{};
  CReaderQos marker;
  DDS_DATAREADER_QOS_DEFAULT = marker.get();  // not consulted
  EXPECT_CALL(subscriber, create_datareader_with_qos_profile(description, library, nullptr, profile, _, 0x400u))
      .WillOnce([&](ZORVEX::TopicDescription*, const char*, const char*, const char*, ZORVEX::DataReaderListener* l,
                    ZORVEX::StatusMask) {
        subscriber.keep(l);
        EXPECT_EQ(record_of<DataReaderListenerImpl>(l), &record);
        return &reader;
      });
  EXPECT_EQ(DDS_Subscriber_create_datareader_with_qos_profile(handle_of(subscriber),
                                                              as<DDS_TopicDescription>(description), library,
                                                              nullptr, profile, &record, 0x400u),
            handle_of(reader));
  DDS_DATAREADER_QOS_DEFAULT = nullptr;
}

TEST(DeleteReader, TheCoreGetsTheReaderByReferenceAndTheCallersVariableStays) {
  SubscriberDouble subscriber;
  ReaderDouble reader;
  DDS_DataReader* r = handle_of(reader);
  EXPECT_CALL(subscriber, delete_datareader(_)).WillOnce([&](ZORVEX::DataReader*& child) {
    EXPECT_EQ(child, &reader);
    child = nullptr;
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(DDS_Subscriber_delete_datareader(handle_of(subscriber), r), DDS_RETCODE_OK);
  EXPECT_EQ(r, handle_of(reader));
}

TEST(LookupReader, TheNameIsPassedAndANullNameThrowsBeforeTheCore) {
  StrictMock<SubscriberDouble> subscriber;
  ReaderDouble reader;
  EXPECT_CALL(subscriber, lookup_datareader(std::string("Readings"))).WillOnce(Return(&reader));
  EXPECT_EQ(DDS_Subscriber_lookup_datareader(handle_of(subscriber), "Readings"), handle_of(reader));
  EXPECT_THROW_MESSAGE(DDS_Subscriber_lookup_datareader(handle_of(subscriber), nullptr), std::logic_error,
                       "basic_string::_M_construct null not valid");
}

class GetDatareaders : public ::testing::Test {
 protected:
  GetDatareaders() {
    DDS_DataReaderSequence_push_back_value(readers_, &old_);
    DDS_DataReaderSequence_push_back_value(readers_, &old_);
    DDS_DataReaderSequence_push_back_value(readers_, &old_);
  }
  ~GetDatareaders() override { DDS_DataReaderSequence_destroy(readers_); }

  std::vector<void*> content() const { return *readers_; }

  StrictMock<SubscriberDouble> subscriber_;
  ReaderDouble a_, b_;
  int old_ = 0;
  DDS_DataReaderSequence* readers_ = DDS_DataReaderSequence_create();
};

TEST_F(GetDatareaders, TheMasksReachTheCoreAndItsReadersReplaceTheContentInItsOrder) {
  EXPECT_CALL(subscriber_, get_datareaders(_, _, _, _))
      .WillOnce([this](std::vector<ZORVEX::DataReader*>& found, const ZORVEX::SampleStateMask& s,
                       const ZORVEX::ViewStateMask& v, const ZORVEX::InstanceStateMask& i) {
        EXPECT_TRUE(found.empty());
        EXPECT_EQ(s, 0xfffeu);
        EXPECT_EQ(v, 0x8001u);
        EXPECT_EQ(i, 6u);
        found = {&b_, &a_};
        return ZORVEX::RETCODE_OK;
      });
  EXPECT_EQ(DDS_Subscriber_get_datareaders(handle_of(subscriber_), readers_, 0xfffe, 0x8001, 6), DDS_RETCODE_OK);
  EXPECT_EQ(content(), (std::vector<void*>{handle_of(b_), handle_of(a_)}));
}

TEST_F(GetDatareaders, OnAnErrorTheSequenceHoldsWhatTheCoreLeft) {
  EXPECT_CALL(subscriber_, get_datareaders(_, _, _, _)).WillOnce(Return(ZORVEX::RETCODE_ALREADY_DELETED));
  EXPECT_EQ(DDS_Subscriber_get_datareaders(handle_of(subscriber_), readers_, 1, 1, 1), DDS_RETCODE_ALREADY_DELETED);
  EXPECT_TRUE(content().empty());

  EXPECT_CALL(subscriber_, get_datareaders(_, _, _, _))
      .WillOnce([this](std::vector<ZORVEX::DataReader*>& found, const ZORVEX::SampleStateMask&,
                       const ZORVEX::ViewStateMask&, const ZORVEX::InstanceStateMask&) {
        found = {&a_};
        return ZORVEX::RETCODE_ERROR;
      });
  EXPECT_EQ(DDS_Subscriber_get_datareaders(handle_of(subscriber_), readers_, 1, 1, 1), DDS_RETCODE_ERROR);
  EXPECT_EQ(content(), (std::vector<void*>{handle_of(a_)}));
}

// Operations that take nothing but the subscriber answer the core's code.
struct Forwarded {
  const char* name;
  DDS_ReturnCode_t (*call)(DDS_Subscriber*);
  std::function<void(SubscriberDouble&, ZORVEX::ReturnCode_t)> expect;
};
void PrintTo(const Forwarded& f, std::ostream* os) { *os << f.name; }

class Forwarders : public ::testing::TestWithParam<Forwarded> {};

TEST_P(Forwarders, AnswerTheCoresCode) {
  StrictMock<SubscriberDouble> subscriber;
  for (ZORVEX::ReturnCode_t rc : {ZORVEX::RETCODE_OK, ZORVEX::RETCODE_ALREADY_DELETED, 77}) {
    GetParam().expect(subscriber, rc);
    EXPECT_EQ(GetParam().call(handle_of(subscriber)), rc);
  }
}

#define QUILLMARC_FORWARDED(op)                                                                   \
  Forwarded{#op, DDS_Subscriber_##op, [](SubscriberDouble& s, ZORVEX::ReturnCode_t rc) {         \
              EXPECT_CALL(s, op()).WillOnce(Return(rc));                                          \
            }}
INSTANTIATE_TEST_SUITE_P(Subscriber, Forwarders,
                         ::testing::Values(QUILLMARC_FORWARDED(notify_datareaders),
                                           QUILLMARC_FORWARDED(delete_contained_entities)),
                         [](const auto& info) { return std::string(info.param.name); });
#undef QUILLMARC_FORWARDED

TEST(SubscriberArguments, ProfilesAndTheParticipantPassUnchanged) {
  StrictMock<SubscriberDouble> subscriber;
  DDS_Subscriber* s = handle_of(subscriber);

  ZORVEX::DomainParticipant participant;
  EXPECT_CALL(subscriber, get_participant()).WillOnce(Return(&participant));
  EXPECT_EQ(DDS_Subscriber_get_participant(s), as<DDS_DomainParticipant>(&participant));

  const char *a = "a", *b = "b", *c = "c";
  EXPECT_CALL(subscriber, set_qos_with_profile(a, nullptr, c)).WillOnce(Return(ZORVEX::RETCODE_UNSUPPORTED));
  EXPECT_EQ(DDS_Subscriber_set_qos_with_profile(s, a, nullptr, c), DDS_RETCODE_UNSUPPORTED);
  EXPECT_CALL(subscriber, set_default_datareader_qos_with_profile(b, a, nullptr)).WillOnce(Return(5));
  EXPECT_EQ(DDS_Subscriber_set_default_datareader_qos_with_profile(s, b, a, nullptr), 5);
}

TEST(SubscriberAccess, ConstantAnswersThatNeverReachTheCore) {
  StrictMock<SubscriberDouble> subscriber;  // any call would fail the test
  EXPECT_EQ(DDS_Subscriber_begin_access(handle_of(subscriber)), DDS_RETCODE_UNSUPPORTED);
  EXPECT_EQ(DDS_Subscriber_end_access(handle_of(subscriber)), DDS_RETCODE_UNSUPPORTED);
  EXPECT_EQ(DDS_Subscriber_begin_access(nullptr), 2);
  EXPECT_EQ(DDS_Subscriber_end_access(nullptr), 2);
}

TEST(SubscriberQos, GettersOverwriteTheRecordWhateverTheCode) {
  SubscriberDouble subscriber;
  DDS_Subscriber* s = handle_of(subscriber);

  CSubscriberQos qos;
  walk::vary_all(*qos);
  EXPECT_CALL(subscriber, get_qos(_)).WillOnce([](ZORVEX::SubscriberQos& q) {
    q.partition.name = {"left by the core"};
    return ZORVEX::RETCODE_ERROR;
  });
  EXPECT_EQ(DDS_Subscriber_get_qos(s, qos.get()), DDS_RETCODE_ERROR);
  ZORVEX::SubscriberQos left;
  left.partition.name = {"left by the core"};
  CSubscriberQos expected;
  DDSTypeConvert::convert(static_cast<const ZORVEX::SubscriberQos&>(left), *expected);
  EXPECT_EQ(walk::differences(*qos, *expected), 0);

  CReaderQos reader_qos;
  walk::vary_all(*reader_qos);
  EXPECT_CALL(subscriber, get_default_datareader_qos(_)).WillOnce(Return(ZORVEX::RETCODE_ALREADY_DELETED));
  EXPECT_EQ(DDS_Subscriber_get_default_datareader_qos(s, reader_qos.get()), DDS_RETCODE_ALREADY_DELETED);
  CReaderQos fresh;
  ZORVEX::DataReaderQos core_default;
  DDSTypeConvert::convert(static_cast<const ZORVEX::DataReaderQos&>(core_default), *fresh);
  EXPECT_EQ(walk::differences(*reader_qos, *fresh), 0);
}

TEST(SubscriberQos, SettersConvertTheirRecordEvenWhenItIsTheMarker) {
  SubscriberDouble subscriber;
  DDS_Subscriber* s = handle_of(subscriber);

  CSubscriberQos qos;
  set_names(qos->partition.name, {"A", "B"});
  DDS_SUBSCRIBER_QOS_DEFAULT = qos.get();
  EXPECT_CALL(subscriber, set_qos(_)).WillOnce([](const ZORVEX::SubscriberQos& q) {
    EXPECT_NE(&q, &ZORVEX::SUBSCRIBER_QOS_DEFAULT);
    EXPECT_EQ(q.partition.name, (std::vector<std::string>{"A", "B"}));
    return ZORVEX::RETCODE_IMMUTABLE_POLICY;
  });
  EXPECT_EQ(DDS_Subscriber_set_qos(s, qos.get()), DDS_RETCODE_IMMUTABLE_POLICY);
  DDS_SUBSCRIBER_QOS_DEFAULT = nullptr;

  CReaderQos reader_qos;
  reader_qos->history = {DDS_KEEP_ALL_HISTORY_QOS, 4};
  DDS_DATAREADER_QOS_DEFAULT = reader_qos.get();
  EXPECT_CALL(subscriber, set_default_datareader_qos(_)).WillOnce([](const ZORVEX::DataReaderQos& q) {
    EXPECT_NE(&q, &ZORVEX::DATAREADER_QOS_DEFAULT);
    EXPECT_EQ(q.history.kind, ZORVEX::KEEP_ALL_HISTORY_QOS);
    EXPECT_EQ(q.history.depth, 4);
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(DDS_Subscriber_set_default_datareader_qos(s, reader_qos.get()), DDS_RETCODE_OK);
  DDS_DATAREADER_QOS_DEFAULT = nullptr;
}

TEST(CopyFromTopicQos, TopicPoliciesComeInAndTheReadersOwnStayWithoutASubscriber) {
  CReaderQos reader;
  bytes(reader->user_data.value) = {4, 5};
  reader->time_based_filter.minimum_separation = {2, 3};
  reader->reader_data_lifecycle.autopurge_disposed_samples_delay = {60, 1};
  reader->deadline.period = {50, 0};
  CTopicQos topic;
  topic->durability.kind = DDS_TRANSIENT_LOCAL_DURABILITY_QOS;
  topic->history = {DDS_KEEP_ALL_HISTORY_QOS, 3};
  topic->reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
  topic->deadline.period = {7, 8};
  topic->ownership.kind = DDS_EXCLUSIVE_OWNERSHIP_QOS;
  bytes(topic->topic_data.value) = {99};  // a reader has no topic data

  EXPECT_EQ(DDS_Subscriber_copy_from_topic_qos(nullptr, reader.get(), topic.get()), DDS_RETCODE_OK);
  EXPECT_EQ(reader->durability.kind, DDS_TRANSIENT_LOCAL_DURABILITY_QOS);
  EXPECT_EQ(reader->history.kind, DDS_KEEP_ALL_HISTORY_QOS);
  EXPECT_EQ(reader->history.depth, 3);
  EXPECT_EQ(reader->reliability.kind, DDS_RELIABLE_RELIABILITY_QOS);
  EXPECT_EQ(reader->deadline.period.sec, 7);
  EXPECT_EQ(reader->deadline.period.nanosec, 8u);
  EXPECT_EQ(reader->ownership.kind, DDS_EXCLUSIVE_OWNERSHIP_QOS);
  EXPECT_EQ(bytes(reader->user_data.value), (std::vector<unsigned char>{4, 5}));
  EXPECT_EQ(reader->time_based_filter.minimum_separation.sec, 2);
  EXPECT_EQ(reader->time_based_filter.minimum_separation.nanosec, 3u);
  EXPECT_EQ(reader->reader_data_lifecycle.autopurge_disposed_samples_delay.sec, 60);
}

TEST(SubscriberListener, EachSetInstallsANewBridgeThatGetAnswersBack) {
  SubscriberDouble subscriber;
  subscriber.hold_listeners();
  DDS_Subscriber* s = handle_of(subscriber);
  EXPECT_CALL(subscriber, set_listener(_, _)).Times(2);
  EXPECT_CALL(subscriber, get_listener()).Times(2);

  DDS_SubscriberListener first{}, second{};
  EXPECT_EQ(DDS_Subscriber_set_listener(s, &first, 0x200u), DDS_RETCODE_OK);
  ZORVEX::SubscriberListener* first_bridge = subscriber.listener.get();
  EXPECT_EQ(record_of<SubscriberListenerImpl>(first_bridge), &first);
  EXPECT_EQ(subscriber.mask, 0x200u);
  EXPECT_EQ(DDS_Subscriber_get_listener(s), &first);

  EXPECT_EQ(DDS_Subscriber_set_listener(s, &second, DDS_STATUS_MASK_ALL), DDS_RETCODE_OK);
  EXPECT_EQ(record_of<SubscriberListenerImpl>(subscriber.listener.get()), &second);
  EXPECT_EQ(subscriber.mask, DDS_STATUS_MASK_ALL);
  EXPECT_EQ(DDS_Subscriber_get_listener(s), &second);
}

TEST(SubscriberListener, NoListenerOrOneThatIsNotABridgeAnswersNull) {
  StrictMock<SubscriberDouble> subscriber;
  ZORVEX::SubscriberListener foreign;
  EXPECT_CALL(subscriber, get_listener()).WillOnce(Return(nullptr)).WillOnce(Return(&foreign));
  EXPECT_EQ(DDS_Subscriber_get_listener(handle_of(subscriber)), nullptr);
  EXPECT_EQ(DDS_Subscriber_get_listener(handle_of(subscriber)), nullptr);
}

}  // namespace
