// What the core receives from the factory, participant and topic functions,
// against doubles of the core: the QoS default sentinel and the bridges of
// the creators, profile names, deleted children, null texts, converted
// instance handles, outputs written whatever the code, core exceptions
// passing through, and the operations that make no core call.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "binding/c_records.h"
#include "binding/listener_bridges.h"
#include "binding/record_walk.h"
#include "doubles.h"
#include "quillmarc/dds_c.h"
#include "support/expect_throw.h"

namespace {

using ::testing::_;
using ::testing::Return;
using ::testing::SaveArg;
using ::testing::StrictMock;
using ZORVEX::StatusMask;

// An address that stands for a core object the test never touches.
template <class Core>
Core* fake(std::uintptr_t n) {
  return reinterpret_cast<Core*>(0x1000 * n);
}
template <class Handle, class Core>
Handle* as_handle(Core* object) {
  return reinterpret_cast<Handle*>(object);
}

// What a double's create operation was given.
struct Received {
  const void* qos = nullptr;
  std::vector<unsigned char> data;
  std::shared_ptr<void> listener;  // deletes the bridge as what it is
  bool is_bridge = false;
  const void* record = nullptr;
  StatusMask mask = 0;
  domain::ProfileNames names;

  template <class Bridge, class CoreListener>
  void listener_of(CoreListener* l) {
    listener.reset(l);
    auto* bridge = dynamic_cast<Bridge*>(l);
    is_bridge = bridge != nullptr;
    record = is_bridge ? bridge->c_listener : nullptr;
  }
};

struct Doubles {
  domain::Factory factory;
  domain::Participant participant;
  DDS_DomainParticipantFactory* f = as_handle<DDS_DomainParticipantFactory>(
      static_cast<ZORVEX::DomainParticipantFactory*>(&factory));
  DDS_DomainParticipant* p = as_handle<DDS_DomainParticipant>(static_cast<ZORVEX::DomainParticipant*>(&participant));
  Received got;
};

// One creator: its C types, its sentinel and core default, a byte sequence
// of its record, and calls of its two C creators that record what the core
// received and answer `result`.
struct ParticipantCreator {
  using Record = CParticipantQos;
  using Listener = DDS_DomainParticipantListener;
  using Bridge = DomainParticipantListenerImpl;
  using Core = ZORVEX::DomainParticipant;
  static DDS_DomainParticipantQos*& variable() { return DDS_DOMAINPARTICIPANT_QOS_DEFAULT; }
  static const void* core_default() { return &ZORVEX::PARTICIPANT_QOS_DEFAULT; }
  static DDS_UCharSequence& data(DDS_DomainParticipantQos& q) { return q.user_data.value; }

  static void* create(Doubles& d, const DDS_DomainParticipantQos* qos, const Listener* l, DDS_StatusMask mask) {
    EXPECT_CALL(d.factory, create_participant(42, _, _, _))
        .WillOnce([&d](ZORVEX::DomainId_t, const ZORVEX::DomainParticipantQos& q,
                       ZORVEX::DomainParticipantListener* listener, const StatusMask& m) {
          d.got.qos = &q;
          d.got.data = q.user_data.value;
          d.got.listener_of<Bridge>(listener);
          d.got.mask = m;
          return fake<Core>(1);
        });
    return DDS_DomainParticipantFactory_create_participant(d.f, 42, qos, l, mask);
  }
  static void* create_with_profile(Doubles& d, const char* lib, const char* prof, const char* name,
                                   const Listener* l, DDS_StatusMask mask) {
    EXPECT_CALL(d.factory, create_participant_with_qos_profile(42, _, _, _, _, _))
        .WillOnce([&d](ZORVEX::DomainId_t, const char* a, const char* b, const char* c,
                       ZORVEX::DomainParticipantListener* listener, StatusMask m) {
          d.got.names = {a, b, c};
          d.got.listener_of<Bridge>(listener);
          d.got.mask = m;
          return fake<Core>(1);
        });
    return DDS_DomainParticipantFactory_create_participant_with_qos_profile(d.f, 42, lib, prof, name, l, mask);
  }
};

#define QUILLMARC_GROUP_CREATOR(Name, Entity, VARIABLE, CORE_DEFAULT)                                          \
  struct Name##Creator {                                                                                       \
    using Record = C##Name##Qos;                                                                               \
    using Listener = DDS_##Name##Listener;                                                                     \
    using Bridge = Name##ListenerImpl;                                                                         \
    using Core = ZORVEX::Name;                                                                                 \
    static DDS_##Name##Qos*& variable() { return VARIABLE; }                                                   \
    static const void* core_default() { return &ZORVEX::CORE_DEFAULT; }                                        \
    static DDS_UCharSequence& data(DDS_##Name##Qos& q) { return q.group_data.value; }                          \
                                                                                                               \
    static void* create(Doubles& d, const DDS_##Name##Qos* qos, const Listener* l, DDS_StatusMask mask) {      \
      EXPECT_CALL(d.participant, create_##Entity(_, _, _))                                                     \
          .WillOnce([&d](const ZORVEX::Name##Qos& q, ZORVEX::Name##Listener* listener, const StatusMask& m) { \
            d.got.qos = &q;                                                                                    \
            d.got.data = q.group_data.value;                                                                   \
            d.got.listener_of<Bridge>(listener);                                                               \
            d.got.mask = m;                                                                                    \
            return fake<Core>(2);                                                                              \
          });                                                                                                  \
      return DDS_DomainParticipant_create_##Entity(d.p, qos, l, mask);                                         \
    }                                                                                                          \
    static void* create_with_profile(Doubles& d, const char* lib, const char* prof, const char* name,         \
                                     const Listener* l, DDS_StatusMask mask) {                                 \
      EXPECT_CALL(d.participant, create_##Entity##_with_qos_profile(_, _, _, _, _))                            \
          .WillOnce([&d](const char* a, const char* b, const char* c, ZORVEX::Name##Listener* listener,        \
                         StatusMask m) {                                                                       \
            d.got.names = {a, b, c};                                                                           \
            d.got.listener_of<Bridge>(listener);                                                               \
            d.got.mask = m;                                                                                    \
            return fake<Core>(2);                                                                              \
          });                                                                                                  \
      return DDS_DomainParticipant_create_##Entity##_with_qos_profile(d.p, lib, prof, name, l, mask);          \
    }                                                                                                          \
  };
QUILLMARC_GROUP_CREATOR(Publisher, publisher, DDS_PUBLISHER_QOS_DEFAULT, PUBLISHER_QOS_DEFAULT)
QUILLMARC_GROUP_CREATOR(Subscriber, subscriber, DDS_SUBSCRIBER_QOS_DEFAULT, SUBSCRIBER_QOS_DEFAULT)
#undef QUILLMARC_GROUP_CREATOR

struct TopicCreator {
  using Record = CTopicQos;
  using Listener = DDS_TopicListener;
  using Bridge = TopicListenerImpl;
  using Core = ZORVEX::Topic;
  static DDS_TopicQos*& variable() { return DDS_TOPIC_QOS_DEFAULT; }
  static const void* core_default() { return &ZORVEX::TOPIC_QOS_DEFAULT; }
  static DDS_UCharSequence& data(DDS_TopicQos& q) { return q.topic_data.value; }

  static void* create(Doubles& d, const DDS_TopicQos* qos, const Listener* l, DDS_StatusMask mask) {
    EXPECT_CALL(d.participant, create_topic(std::string("Readings"), std::string("Sample"), _, _, _))
        .WillOnce([&d](const std::string&, const std::string&, const ZORVEX::TopicQos& q,
                       ZORVEX::TopicListener* listener, const StatusMask& m) {
          d.got.qos = &q;
          d.got.data = q.topic_data.value;
          d.got.listener_of<Bridge>(listener);
          d.got.mask = m;
          return fake<Core>(3);
        });
    return DDS_DomainParticipant_create_topic(d.p, "Readings", "Sample", qos, l, mask);
  }
  static void* create_with_profile(Doubles& d, const char* lib, const char* prof, const char* name,
                                   const Listener* l, DDS_StatusMask mask) {
    EXPECT_CALL(d.participant,
                create_topic_with_qos_profile(std::string("Readings"), std::string("Sample"), _, _, _, _, _))
        .WillOnce([&d](const std::string&, const std::string&, const char* a, const char* b, const char* c,
                       ZORVEX::TopicListener* listener, StatusMask m) {
          d.got.names = {a, b, c};
          d.got.listener_of<Bridge>(listener);
          d.got.mask = m;
          return fake<Core>(3);
        });
    return DDS_DomainParticipant_create_topic_with_qos_profile(d.p, "Readings", "Sample", lib, prof, name, l, mask);
  }
};

template <class T>
class Creators : public ::testing::Test {
 protected:
  ~Creators() override { T::variable() = nullptr; }
  Doubles d;
};

using CreatorKinds = ::testing::Types<ParticipantCreator, PublisherCreator, SubscriberCreator, TopicCreator>;
TYPED_TEST_SUITE(Creators, CreatorKinds);

TYPED_TEST(Creators, ANullQosWhileTheVariableIsNullSelectsTheCoreDefault) {
  typename TypeParam::Listener record{};
  void* created = TypeParam::create(this->d, nullptr, &record, 0x4401);
  EXPECT_NE(created, nullptr);
  EXPECT_EQ(this->d.got.qos, TypeParam::core_default());
  EXPECT_TRUE(this->d.got.is_bridge);
  EXPECT_EQ(this->d.got.record, &record);
  EXPECT_EQ(this->d.got.mask, 0x4401u);
}

TYPED_TEST(Creators, TheVariablesCurrentValueSelectsTheDefaultAndAnyOtherRecordIsConverted) {
  typename TypeParam::Record marker, mine;
  bytes(TypeParam::data(*marker)) = {9, 9};
  bytes(TypeParam::data(*mine)) = {4, 5};
  TypeParam::variable() = marker.get();

  TypeParam::create(this->d, marker.get(), nullptr, 0);
  EXPECT_EQ(this->d.got.qos, TypeParam::core_default());

  TypeParam::create(this->d, mine.get(), nullptr, 0);
  EXPECT_NE(this->d.got.qos, TypeParam::core_default());
  EXPECT_EQ(this->d.got.data, (std::vector<unsigned char>{4, 5}));
}

TYPED_TEST(Creators, ANullListenerStillGetsABridgeHoldingNull) {
  TypeParam::create(this->d, nullptr, nullptr, 0);
  EXPECT_TRUE(this->d.got.is_bridge);
  EXPECT_EQ(this->d.got.record, nullptr);
}

TYPED_TEST(Creators, TheProfileCreatorHandsTheNamesOverAndReadsNoVariable) {
  typename TypeParam::Record marker;
  TypeParam::variable() = marker.get();  // no meaning here
  typename TypeParam::Listener record{};
  const char library[] = "lib", profile[] = "prof";
  void* created = TypeParam::create_with_profile(this->d, library, profile, nullptr, &record, 0x8002);
  EXPECT_NE(created, nullptr);
  EXPECT_EQ(this->d.got.names.library, library);
  EXPECT_EQ(this->d.got.names.profile, profile);
  EXPECT_EQ(this->d.got.names.qos, nullptr);
  EXPECT_TRUE(this->d.got.is_bridge);
  EXPECT_EQ(this->d.got.record, &record);
  EXPECT_EQ(this->d.got.mask, 0x8002u);
}

// ---------------------------------------------------------------------------
// Deleters: the core gets the caller's child and may null its own copy.

// The core's delete: checks the child it got, nulls its reference, refuses.
#define EXPECT_DELETE(object, operation, Core, child)                         \
  EXPECT_CALL(object, operation(_)).WillOnce([](Core*& got) {                 \
    EXPECT_EQ(got, child);                                                    \
    got = nullptr;                                                            \
    return ZORVEX::RETCODE_PRECONDITION_NOT_MET;                              \
  })

TEST(Deleters, PassTheChildAndLeaveTheCallersVariable) {
  Doubles d;
  EXPECT_DELETE(d.factory, delete_participant, ZORVEX::DomainParticipant, fake<ZORVEX::DomainParticipant>(1));
  DDS_DomainParticipant* participant = as_handle<DDS_DomainParticipant>(fake<ZORVEX::DomainParticipant>(1));
  EXPECT_EQ(DDS_DomainParticipantFactory_delete_participant(d.f, participant), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_NE(participant, nullptr);

  EXPECT_DELETE(d.participant, delete_publisher, ZORVEX::Publisher, fake<ZORVEX::Publisher>(2));
  EXPECT_EQ(DDS_DomainParticipant_delete_publisher(d.p, as_handle<DDS_Publisher>(fake<ZORVEX::Publisher>(2))),
            DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_DELETE(d.participant, delete_subscriber, ZORVEX::Subscriber, fake<ZORVEX::Subscriber>(3));
  EXPECT_EQ(DDS_DomainParticipant_delete_subscriber(d.p, as_handle<DDS_Subscriber>(fake<ZORVEX::Subscriber>(3))),
            DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_DELETE(d.participant, delete_topic, ZORVEX::Topic, fake<ZORVEX::Topic>(4));
  EXPECT_EQ(DDS_DomainParticipant_delete_topic(d.p, as_handle<DDS_Topic>(fake<ZORVEX::Topic>(4))),
            DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_DELETE(d.participant, delete_contentfilteredtopic, ZORVEX::ContentFilteredTopic,
                fake<ZORVEX::ContentFilteredTopic>(5));
  EXPECT_EQ(DDS_DomainParticipant_delete_contentfilteredtopic(
                d.p, as_handle<DDS_ContentFilteredTopic>(fake<ZORVEX::ContentFilteredTopic>(5))),
            DDS_RETCODE_PRECONDITION_NOT_MET);
}
#undef EXPECT_DELETE

// ---------------------------------------------------------------------------
// Texts.

TEST(Texts, ANullTextThrowsBeforeTheCoreIsCalled) {
  StrictMock<domain::Participant> participant;  // any core call fails the test
  DDS_DomainParticipant* p = as_handle<DDS_DomainParticipant>(static_cast<ZORVEX::DomainParticipant*>(&participant));
  DDS_TopicListener listener{};
  DDS_CStringSequence parameters;
  const DDS_Duration_t timeout{1, 0};
  const std::vector<std::pair<const char*, std::function<void()>>> calls = {
      {"registe_type", [&] { DDS_DomainParticipant_registe_type(p, nullptr, nullptr); }},
      {"create_topic, topic name", [&] { DDS_DomainParticipant_create_topic(p, nullptr, "T", nullptr, &listener, 0); }},
      {"create_topic, type name", [&] { DDS_DomainParticipant_create_topic(p, "N", nullptr, nullptr, &listener, 0); }},
      {"create_topic_with_qos_profile, topic name",
       [&] { DDS_DomainParticipant_create_topic_with_qos_profile(p, nullptr, "T", "l", "p", "q", &listener, 0); }},
      {"create_topic_with_qos_profile, type name",
       [&] { DDS_DomainParticipant_create_topic_with_qos_profile(p, "N", nullptr, "l", "p", "q", &listener, 0); }},
      {"create_contentfilteredtopic, name",
       [&] {
         DDS_DomainParticipant_create_contentfilteredtopic(p, nullptr, fake<DDS_Topic>(1), "x > 1", &parameters);
       }},
      {"create_contentfilteredtopic, filter",
       [&] { DDS_DomainParticipant_create_contentfilteredtopic(p, "F", fake<DDS_Topic>(1), nullptr, &parameters); }},
      {"find_topic", [&] { DDS_DomainParticipant_find_topic(p, nullptr, &timeout); }},
      {"lookup_topicdescription", [&] { DDS_DomainParticipant_lookup_topicdescription(p, nullptr); }},
  };
  for (const auto& call : calls) {
    SCOPED_TRACE(call.first);
    EXPECT_THROW_MESSAGE(call.second(), std::logic_error, "basic_string::_M_construct null not valid");
  }
}

TEST(Texts, NamesDescriptorAndTimeoutReachTheCoreAsGiven) {
  Doubles d;
  const ZORVEX_TypeDescriptor descriptor = {24, 4, 8};
  EXPECT_CALL(d.participant, register_type(std::string("Reading"), &descriptor))
      .WillOnce(Return(ZORVEX::RETCODE_PRECONDITION_NOT_MET));
  EXPECT_EQ(DDS_DomainParticipant_registe_type(d.p, "Reading", &descriptor), DDS_RETCODE_PRECONDITION_NOT_MET);

  ZORVEX::Duration_t waited;
  EXPECT_CALL(d.participant, find_topic(std::string("Readings"), _))
      .WillOnce(::testing::DoAll(SaveArg<1>(&waited), Return(fake<ZORVEX::Topic>(7))));
  const DDS_Duration_t timeout{-3, 0xfffffffeu};  // copied, not checked
  EXPECT_EQ(DDS_DomainParticipant_find_topic(d.p, "Readings", &timeout), fake<DDS_Topic>(7));
  EXPECT_EQ(waited.sec, -3);
  EXPECT_EQ(waited.nanosec, 0xfffffffeu);

  EXPECT_CALL(d.participant, lookup_topicdescription(std::string("Filtered")))
      .WillOnce(Return(fake<ZORVEX::TopicDescription>(8)));
  EXPECT_EQ(DDS_DomainParticipant_lookup_topicdescription(d.p, "Filtered"), fake<DDS_TopicDescription>(8));
}

// ---------------------------------------------------------------------------
// Content-filtered topics: parameters in order, whole content replaced.

TEST(ExpressionParameters, TravelInOrderAndReplaceTheCallersSequence) {
  Doubles d;
  DDS_CStringSequence three, none;
  set_names(three, {"1", "two", "3"});
  ZORVEX::Topic* related = fake<ZORVEX::Topic>(3);
  EXPECT_CALL(d.participant, create_contentfilteredtopic(std::string("Filtered"), related, std::string("id > %0"),
                                                         std::vector<std::string>{"1", "two", "3"}))
      .WillOnce(Return(fake<ZORVEX::ContentFilteredTopic>(4)));
  EXPECT_EQ(DDS_DomainParticipant_create_contentfilteredtopic(d.p, "Filtered", as_handle<DDS_Topic>(related),
                                                              "id > %0", &three),
            fake<DDS_ContentFilteredTopic>(4));
  EXPECT_CALL(d.participant, create_contentfilteredtopic(_, _, _, std::vector<std::string>{}))
      .WillOnce(Return(nullptr));
  EXPECT_EQ(DDS_DomainParticipant_create_contentfilteredtopic(d.p, "F", as_handle<DDS_Topic>(related), "", &none),
            nullptr);

  domain::FilteredTopic filtered;
  DDS_ContentFilteredTopic* cft =
      as_handle<DDS_ContentFilteredTopic>(static_cast<ZORVEX::ContentFilteredTopic*>(&filtered));
  EXPECT_CALL(filtered, set_expression_parameters(std::vector<std::string>{"1", "two", "3"}))
      .WillOnce(Return(ZORVEX::RETCODE_OK));
  EXPECT_EQ(DDS_ContentFilteredTopic_set_expression_parameters(cft, &three), DDS_RETCODE_OK);
  EXPECT_CALL(filtered, set_expression_parameters(std::vector<std::string>{})).WillOnce(Return(ZORVEX::RETCODE_OK));
  EXPECT_EQ(DDS_ContentFilteredTopic_set_expression_parameters(cft, &none), DDS_RETCODE_OK);

  // A failing core that still filled its list: the caller's five become its two.
  DDS_CStringSequence out;
  set_names(out, {"a", "b", "c", "d", "e"});
  EXPECT_CALL(filtered, get_expression_parameters(_)).WillOnce([](std::vector<std::string>& v) {
    v = {"x", "y"};
    return ZORVEX::RETCODE_ERROR;
  });
  EXPECT_EQ(DDS_ContentFilteredTopic_get_expression_parameters(cft, &out), DDS_RETCODE_ERROR);
  EXPECT_EQ(names(out), (std::vector<std::string>{"x", "y"}));

  EXPECT_CALL(filtered, get_related_topic()).WillOnce(Return(related));
  EXPECT_EQ(DDS_ContentFilterTopic_get_related_topic(cft), as_handle<DDS_Topic>(related));
}

// ---------------------------------------------------------------------------
// Instance handles: the C-to-core rule on the record itself, no null test.

TEST(InstanceHandles, EveryHandleOperationAppliesTheCToCoreRule) {
  Doubles d;
  ZORVEX::InstanceHandle_t got;
  auto save = [&got](const ZORVEX::InstanceHandle_t& h) {
    got = h;
    return ZORVEX::RETCODE_NOT_ENABLED;
  };
  ON_CALL(d.participant, ignore_participant(_)).WillByDefault(save);
  ON_CALL(d.participant, ignore_topic(_)).WillByDefault(save);
  ON_CALL(d.participant, ignore_publication(_)).WillByDefault(save);
  ON_CALL(d.participant, ignore_subscription(_)).WillByDefault(save);
  ON_CALL(d.participant, contains_entity(_)).WillByDefault([&got](const ZORVEX::InstanceHandle_t& h) {
    got = h;
    return true;
  });
  EXPECT_CALL(d.participant, ignore_participant(_)).Times(2);
  EXPECT_CALL(d.participant, ignore_topic(_)).Times(2);
  EXPECT_CALL(d.participant, ignore_publication(_)).Times(2);
  EXPECT_CALL(d.participant, ignore_subscription(_)).Times(2);
  EXPECT_CALL(d.participant, contains_entity(_)).Times(2);

  // Each answers whether it returned the core's answer unchanged.
  using Operation = std::function<bool(const DDS_InstanceHandle_t*)>;
  const std::vector<std::pair<const char*, Operation>> operations = {
      {"ignore_participant",
       [&](const DDS_InstanceHandle_t* h) { return DDS_DomainParticipant_ignore_participant(d.p, h) == 6; }},
      {"ignore_topic", [&](const DDS_InstanceHandle_t* h) { return DDS_DomainParticipant_ignore_topic(d.p, h) == 6; }},
      {"ignore_publication",
       [&](const DDS_InstanceHandle_t* h) { return DDS_DomainParticipant_ignore_publication(d.p, h) == 6; }},
      {"ignore_subscription",
       [&](const DDS_InstanceHandle_t* h) { return DDS_DomainParticipant_ignore_subscription(d.p, h) == 6; }},
      {"contains_entity",
       [&](const DDS_InstanceHandle_t* h) { return DDS_DomainParticipant_contains_entity(d.p, h) == 1; }},
  };
  const DDS_InstanceHandle_t invalid = c_handle(0x5A, 0);
  const DDS_InstanceHandle_t all_ones = c_handle(0x3C, 0xFF);
  for (const auto& op : operations) {
    SCOPED_TRACE(op.first);
    EXPECT_TRUE(op.second(&invalid));
    EXPECT_EQ(got, ZORVEX::InstanceHandle_t{});  // 16 zero bytes, length 16, not valid
    op.second(&all_ones);
    EXPECT_EQ(got.valid, -1);
    EXPECT_EQ(got.length, 16u);
    EXPECT_EQ(got.value[0], 0x3C);
    EXPECT_EQ(got.value[15], 0x3C);
  }
}

TEST(DiscoveredData, TheRecordIsWrittenWhateverTheCodeAndTheHandleConverted) {
  Doubles d;
  CParticipantData participant_data;
  walk::vary_all(*participant_data);
  ZORVEX::InstanceHandle_t got;
  EXPECT_CALL(d.participant, get_discovered_participant_data(_, _))
      .WillOnce([&got](ZORVEX::ParticipantBuiltinTopicData& data, const ZORVEX::InstanceHandle_t& h) {
        got = h;
        data.user_data.value = {7};
        return ZORVEX::RETCODE_BAD_PARAMETER;
      });
  const DDS_InstanceHandle_t handle = c_handle(0x11, 1);
  EXPECT_EQ(DDS_DomainParticipant_get_discovered_participant_data(d.p, participant_data.get(), &handle),
            DDS_RETCODE_BAD_PARAMETER);
  EXPECT_EQ(got.valid, 1);
  EXPECT_EQ(got.value[7], 0x11);
  EXPECT_EQ(bytes(participant_data->user_data.value), std::vector<unsigned char>{7});
  EXPECT_EQ(participant_data->key.value[0], 0);  // the core's default-constructed key

  CTopicData topic_data;
  walk::vary_all(*topic_data);
  EXPECT_CALL(d.participant, get_discovered_topic_data(_, _)).WillOnce(Return(ZORVEX::RETCODE_ERROR));
  EXPECT_EQ(DDS_DomainParticipant_get_discovered_topic_data(d.p, topic_data.get(), &handle), DDS_RETCODE_ERROR);
  EXPECT_EQ(static_cast<std::string&>(topic_data->name), "");  // what the core's own record held
  EXPECT_EQ(topic_data->key.value[2], 0);
  EXPECT_TRUE(bytes(topic_data->topic_data.value).empty());
}

// ---------------------------------------------------------------------------
// Operations the library does not provide: a constant, no core call.

TEST(NotProvided, AnswerUnsupportedAndTouchNothing) {
  StrictMock<domain::Participant> participant;
  DDS_DomainParticipant* p = as_handle<DDS_DomainParticipant>(static_cast<ZORVEX::DomainParticipant*>(&participant));
  DDS_InstanceHandle_tSequence handles;
  std::vector<DDS_InstanceHandle_t>& inner = handles;
  inner.assign(2, c_handle(0x77, 1));
  EXPECT_EQ(DDS_DomainParticipant_get_discovered_participants(p, &handles), DDS_RETCODE_UNSUPPORTED);
  EXPECT_EQ(DDS_DomainParticipant_get_discovered_topics(p, &handles), DDS_RETCODE_UNSUPPORTED);
  ASSERT_EQ(inner.size(), 2u);
  EXPECT_EQ(inner[1].value[3], 0x77);
  EXPECT_EQ(DDS_DomainParticipant_get_discovered_participants(nullptr, nullptr), DDS_RETCODE_UNSUPPORTED);
  EXPECT_EQ(DDS_DomainParticipantFactory_finalize_instance(), DDS_RETCODE_UNSUPPORTED);
}

// ---------------------------------------------------------------------------
// Getters that write the caller's record whatever the code.

TEST(Getters, TheDefaultParticipantQosIsOverwrittenOnAnError) {
  Doubles d;
  CParticipantQos qos;
  walk::vary_all(*qos);
  EXPECT_CALL(d.factory, get_default_participant_qos(_)).WillOnce(Return(ZORVEX::RETCODE_ERROR));
  EXPECT_EQ(DDS_DomainParticipantFactory_get_default_participant_qos(d.f, qos.get()), DDS_RETCODE_ERROR);
  CParticipantQos defaults;
  EXPECT_EQ(walk::differences(*qos, *defaults), 0);
}

// Each profile getter: the core's record first, the three names after it,
// and the caller's record holding what the core wrote though it failed.
template <class CRecordHolder, class CQos>
void check_profile_getter(Doubles& d,
                          DDS_ReturnCode_t (*getter)(DDS_DomainParticipantFactory*, CQos*, const char*, const char*,
                                                     const char*),
                          bool (*marked)(const CQos&)) {
  CRecordHolder qos;
  const char library[] = "library", profile[] = "profile", name[] = "name";
  d.factory.names = {};
  EXPECT_EQ(getter(d.f, &*qos, library, profile, name), DDS_RETCODE_ERROR);
  EXPECT_EQ(d.factory.names.library, library);
  EXPECT_EQ(d.factory.names.profile, profile);
  EXPECT_EQ(d.factory.names.qos, name);
  EXPECT_TRUE(marked(*qos));
}

bool is_marked(const DDS_UCharSequence& s) {
  return bytes(const_cast<DDS_UCharSequence&>(s)) == std::vector<unsigned char>{1, 2, 3};
}

struct FactoryQosHolder {
  DDS_DomainParticipantFactoryQos qos{{1}};
  DDS_DomainParticipantFactoryQos& operator*() { return qos; }
};

TEST(Getters, ProfileGettersPassRecordThenNamesAndWriteOnAnError) {
  Doubles d;
  {
    SCOPED_TRACE("factory qos");
    check_profile_getter<FactoryQosHolder>(
        d, DDS_DomainParticipantFactory_get_participant_factory_qos_from_profile,
        +[](const DDS_DomainParticipantFactoryQos& q) { return q.entity_factory.autoenable_created_entities == 0; });
  }
  check_profile_getter<CParticipantQos>(d, DDS_DomainParticipantFactory_get_participant_qos_from_profile,
                                        +[](const DDS_DomainParticipantQos& q) { return is_marked(q.user_data.value); });
  check_profile_getter<CTopicQos>(d, DDS_DomainParticipantFactory_get_topic_qos_from_profile,
                                  +[](const DDS_TopicQos& q) { return is_marked(q.topic_data.value); });
  check_profile_getter<CPublisherQos>(d, DDS_DomainParticipantFactory_get_publisher_qos_from_profile,
                                      +[](const DDS_PublisherQos& q) { return is_marked(q.group_data.value); });
  check_profile_getter<CSubscriberQos>(d, DDS_DomainParticipantFactory_get_subscriber_qos_from_profile,
                                       +[](const DDS_SubscriberQos& q) { return is_marked(q.group_data.value); });
  check_profile_getter<CReaderQos>(d, DDS_DomainParticipantFactory_get_datareader_qos_from_profile,
                                   +[](const DDS_DataReaderQos& q) { return is_marked(q.user_data.value); });
  check_profile_getter<CWriterQos>(d, DDS_DomainParticipantFactory_get_datawriter_qos_from_profile,
                                   +[](const DDS_DataWriterQos& q) { return is_marked(q.user_data.value); });
}

TEST(Getters, AFailedInconsistentTopicStatusReadsAsZeroCounts) {
  domain::Topic topic;
  DDS_Topic* t = as_handle<DDS_Topic>(static_cast<ZORVEX::Topic*>(&topic));
  DDS_InconsistentTopicStatus status{55, 66};
  EXPECT_CALL(topic, get_inconsistent_topic_status(_)).WillOnce(Return(ZORVEX::RETCODE_ALREADY_DELETED));
  EXPECT_EQ(DDS_Topic_get_inconsistent_topic_status(t, &status), DDS_RETCODE_ALREADY_DELETED);
  EXPECT_EQ(status.total_count, 0);
  EXPECT_EQ(status.total_count_change, 0);

  EXPECT_CALL(topic, get_inconsistent_topic_status(_)).WillOnce([](ZORVEX::InconsistentTopicStatus& s) {
    s.total_count = 3;
    s.total_count_change = 2;
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(DDS_Topic_get_inconsistent_topic_status(t, &status), DDS_RETCODE_OK);
  EXPECT_EQ(status.total_count, 3);
  EXPECT_EQ(status.total_count_change, 2);
}

// ---------------------------------------------------------------------------
// A core that throws: the exception reaches the caller unchanged, the records
// the caller passed stay as they were, and every local built for the call
// (converted QoS, texts, parameter lists, core records) is released, which
// the sanitizer build checks.

TEST(CoreExceptions, PassThroughEveryShapeLeavingTheCallersRecords) {
  Doubles d;
  const std::string long_name(80, 'n');  // texts held on the heap
  const auto fail = [] { return std::runtime_error("core failure"); };
  CTopicQos topic_qos;
  bytes(topic_qos->topic_data.value) = {1, 2, 3};
  DDS_CStringSequence parameters;
  set_names(parameters, {long_name, long_name});
  const DDS_InstanceHandle_t handle = c_handle(0x11, 1);

  EXPECT_CALL(d.participant, create_topic(_, _, _, _, _))
      .WillOnce([&](const std::string&, const std::string&, const ZORVEX::TopicQos&, ZORVEX::TopicListener* l,
                    const StatusMask&) -> ZORVEX::Topic* {
        delete l;  // the bridge was the core's
        throw fail();
      });
  EXPECT_CALL(d.participant, create_contentfilteredtopic(_, _, _, _)).WillOnce(::testing::Throw(fail()));
  EXPECT_CALL(d.participant, register_type(_, _)).WillOnce(::testing::Throw(fail()));
  EXPECT_CALL(d.participant, lookup_topicdescription(_)).WillOnce(::testing::Throw(fail()));
  EXPECT_CALL(d.participant, get_discovered_participant_data(_, _))
      .WillOnce([&](ZORVEX::ParticipantBuiltinTopicData& data,
                    const ZORVEX::InstanceHandle_t&) -> ZORVEX::ReturnCode_t {
        data.user_data.value = {7, 7};
        throw fail();
      });
  EXPECT_CALL(d.factory, get_default_participant_qos(_))
      .WillOnce([&](ZORVEX::DomainParticipantQos& qos) -> ZORVEX::ReturnCode_t {
        qos.user_data.value = {7, 7};
        throw fail();
      });

  CParticipantData participant_data;
  bytes(participant_data->user_data.value) = {9};
  CParticipantQos participant_qos;
  bytes(participant_qos->user_data.value) = {9};
  DDS_TopicListener listener{};
  const std::vector<std::pair<const char*, std::function<void()>>> calls = {
      {"create_topic",
       [&] {
         DDS_DomainParticipant_create_topic(d.p, long_name.c_str(), long_name.c_str(), topic_qos.get(), &listener, 0);
       }},
      {"create_contentfilteredtopic",
       [&] {
         DDS_DomainParticipant_create_contentfilteredtopic(d.p, long_name.c_str(), nullptr, long_name.c_str(),
                                                           &parameters);
       }},
      {"registe_type", [&] { DDS_DomainParticipant_registe_type(d.p, long_name.c_str(), nullptr); }},
      {"lookup_topicdescription", [&] { DDS_DomainParticipant_lookup_topicdescription(d.p, long_name.c_str()); }},
      {"get_discovered_participant_data",
       [&] { DDS_DomainParticipant_get_discovered_participant_data(d.p, participant_data.get(), &handle); }},
      {"get_default_participant_qos",
       [&] { DDS_DomainParticipantFactory_get_default_participant_qos(d.f, participant_qos.get()); }},
  };
  for (const auto& call : calls) {
    SCOPED_TRACE(call.first);
    EXPECT_THROW_MESSAGE(call.second(), std::runtime_error, "core failure");
  }
  EXPECT_EQ(bytes(participant_data->user_data.value), std::vector<unsigned char>{9});
  EXPECT_EQ(bytes(participant_qos->user_data.value), std::vector<unsigned char>{9});
}

// ---------------------------------------------------------------------------
// Listeners and topic descriptions.

TEST(Listeners, SetInstallsABridgeAndGetReadsOnlyThisLibrarysBridges) {
  Doubles d;
  d.participant.hold_listeners();
  DDS_DomainParticipantListener record{};
  EXPECT_CALL(d.participant, set_listener(_, _)).Times(2);
  EXPECT_CALL(d.participant, get_listener()).Times(3);
  EXPECT_EQ(DDS_DomainParticipant_get_listener(d.p), nullptr);  // none yet
  EXPECT_EQ(DDS_DomainParticipant_set_listener(d.p, &record, 0x600), DDS_RETCODE_OK);
  EXPECT_EQ(d.participant.slot.mask, 0x600u);
  EXPECT_EQ(DDS_DomainParticipant_get_listener(d.p), &record);
  d.participant.set_listener(new ZORVEX::DomainParticipantListener, 0);  // another client's
  EXPECT_EQ(DDS_DomainParticipant_get_listener(d.p), nullptr);

  domain::Topic topic;
  DDS_Topic* t = as_handle<DDS_Topic>(static_cast<ZORVEX::Topic*>(&topic));
  std::unique_ptr<ZORVEX::TopicListener> installed;
  StatusMask mask = 0;
  EXPECT_CALL(topic, set_listener(_, _)).WillOnce([&](ZORVEX::TopicListener* l, const StatusMask& m) {
    installed.reset(l);
    mask = m;
    return ZORVEX::RETCODE_OK;
  });
  DDS_TopicListener topic_record{};
  EXPECT_EQ(DDS_Topic_set_listener(t, &topic_record, DDS_INCONSISTENT_TOPIC_STATUS), DDS_RETCODE_OK);
  EXPECT_EQ(mask, DDS_INCONSISTENT_TOPIC_STATUS);
  auto* bridge = dynamic_cast<TopicListenerImpl*>(installed.get());
  ASSERT_NE(bridge, nullptr);
  EXPECT_EQ(bridge->c_listener, &topic_record);
  EXPECT_CALL(topic, get_listener()).WillOnce(Return(installed.get()));
  EXPECT_EQ(DDS_Topic_get_listener(t), &topic_record);
  ZORVEX::TopicListener foreign;
  EXPECT_CALL(topic, get_listener()).WillOnce(Return(&foreign));
  EXPECT_EQ(DDS_Topic_get_listener(t), nullptr);
}

TEST(TopicDescriptions, AnswerTheCoresTextsThroughTheTopicsDescriptionPart) {
  domain::Topic topic;
  const char name[] = "Readings", type[] = "Sample";
  EXPECT_CALL(topic, get_name()).WillOnce(Return(name));
  EXPECT_CALL(topic, get_type_name()).WillOnce(Return(type));
  EXPECT_CALL(topic, get_participant()).WillOnce(Return(fake<ZORVEX::DomainParticipant>(9)));
  DDS_TopicDescription* description =
      DDS_Topic_as_topicdescription(as_handle<DDS_Topic>(static_cast<ZORVEX::Topic*>(&topic)));
  EXPECT_EQ(DDS_TopicDescription_get_name(description), name);
  EXPECT_EQ(DDS_TopicDescription_get_type_name(description), type);
  EXPECT_EQ(DDS_TopicDescription_get_participant(description), fake<DDS_DomainParticipant>(9));
}

}  // namespace
