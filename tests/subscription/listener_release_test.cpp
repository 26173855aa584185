// A listener record may be freed as soon as the call that released it has
// answered: once set_listener or the entity's delete returns, no callback
// through the old record is still running and none starts. Here another
// thread keeps raising the entity's events while each callback lingers; the
// test releases the listener while a callback is inside it, then frees the
// record and the state the callback uses (AddressSanitizer watches both)
// and counts the callbacks that were still inside or came late.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "quillmarc/dds_c.h"

namespace {

using namespace std::chrono_literals;

struct Reading {
  DDS_Long sensor;  // the key
  DDS_Long value;
};
struct Other {
  DDS_Double anything;
};

// What the callbacks use, freed with their record.
struct State {
  std::atomic<long> calls{0};
};
std::atomic<State*> state{nullptr};

std::atomic<int> inside{0};
std::atomic<bool> released{false};
std::atomic<long> late{0};

template <class... Args>
void linger(Args...) {
  State* mine = state;
  if (released) ++late;
  ++inside;
  std::this_thread::sleep_for(300us);
  if (released) ++late;
  ++mine->calls;
  --inside;
}

DDS_DomainParticipantFactory* factory() { return DDS_DomainParticipantFactory_get_instance(); }

DDS_TopicDescription* described(DDS_Topic* t) { return DDS_Topic_as_topicdescription(t); }

// A participant with both types registered and the topic "Readings".
struct Side {
  explicit Side(DDS_DomainId_t domain, const DDS_DomainParticipantListener* listener = nullptr,
                DDS_StatusMask mask = DDS_STATUS_MASK_NONE)
      : participant(DDS_DomainParticipantFactory_create_participant(factory(), domain,
                                                                    DDS_DOMAINPARTICIPANT_QOS_DEFAULT, listener,
                                                                    mask)) {
    const ZORVEX_TypeDescriptor reading = ZORVEX_KEYED_TYPE(Reading, sensor);
    const ZORVEX_TypeDescriptor other = ZORVEX_UNKEYED_TYPE(Other);
    EXPECT_EQ(DDS_DomainParticipant_registe_type(participant, "Reading", &reading), DDS_RETCODE_OK);
    EXPECT_EQ(DDS_DomainParticipant_registe_type(participant, "Other", &other), DDS_RETCODE_OK);
    topic = DDS_DomainParticipant_create_topic(participant, "Readings", "Reading", DDS_TOPIC_QOS_DEFAULT, nullptr,
                                               DDS_STATUS_MASK_NONE);
    publisher = DDS_DomainParticipant_create_publisher(participant, DDS_PUBLISHER_QOS_DEFAULT, nullptr,
                                                       DDS_STATUS_MASK_NONE);
    subscriber = DDS_DomainParticipant_create_subscriber(participant, DDS_SUBSCRIBER_QOS_DEFAULT, nullptr,
                                                         DDS_STATUS_MASK_NONE);
  }
  void leave() {
    EXPECT_EQ(DDS_DomainParticipant_delete_contained_entities(participant), DDS_RETCODE_OK);
    EXPECT_EQ(DDS_DomainParticipantFactory_delete_participant(factory(), participant), DDS_RETCODE_OK);
  }
  DDS_DataReader* reader(DDS_Subscriber* s = nullptr) {
    return DDS_Subscriber_create_datareader(s ? s : subscriber, described(topic), DDS_DATAREADER_QOS_DEFAULT,
                                            nullptr, DDS_STATUS_MASK_NONE);
  }
  DDS_DataWriter* writer(DDS_Publisher* p = nullptr) {
    return DDS_Publisher_create_datawriter(p ? p : publisher, topic, DDS_DATAWRITER_QOS_DEFAULT, nullptr,
                                           DDS_STATUS_MASK_NONE);
  }

  DDS_DomainParticipant* participant;
  DDS_Topic* topic;
  DDS_Publisher* publisher;
  DDS_Subscriber* subscriber;
};

// The side under test, and another thread on two further participants of
// the domain raising every kind of event it can hear: data for its readers,
// readers matching and unmatching its writers, a topic of another type
// under the name "Conflicts".
class World {
 public:
  World() : domain_(next_domain_++), local(domain_), source_(domain_), rival_(domain_) {
    inside = 0;
    released = false;
    late = 0;
    thread_ = std::thread([this] { raise_events(); });
  }
  ~World() {
    stop_ = true;
    thread_.join();
    rival_.leave();
    source_.leave();
    local.leave();
  }
  DDS_DomainId_t domain() const { return domain_; }

 private:
  void raise_events() {
    DDS_DataWriter* writer = source_.writer();
    for (DDS_Long value = 0; !stop_; ++value) {
      const Reading r{value % 4, value};
      EXPECT_EQ(DDS_DataWriter_write(writer, &r, &DDS_HANDLE_NIL), DDS_RETCODE_OK);
      DDS_DataReader* matching = source_.reader();
      EXPECT_EQ(DDS_Subscriber_delete_datareader(source_.subscriber, matching), DDS_RETCODE_OK);
      DDS_Topic* conflict = DDS_DomainParticipant_create_topic(rival_.participant, "Conflicts", "Other",
                                                               DDS_TOPIC_QOS_DEFAULT, nullptr, DDS_STATUS_MASK_NONE);
      EXPECT_EQ(DDS_DomainParticipant_delete_topic(rival_.participant, conflict), DDS_RETCODE_OK);
    }
  }

  static inline std::atomic<DDS_DomainId_t> next_domain_{180};
  DDS_DomainId_t domain_;

 public:
  Side local;

 private:
  Side source_;
  Side rival_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Per entity kind: its listener record and the event it listens to, how the
// entity is made with a record (with what it needs to hear the event), how
// its listener is replaced, and how it is deleted.
struct ReaderKind {
  using Record = DDS_DataReaderListener;
  struct Made {
    DDS_DataReader* reader;
  };
  static void listen(Record& r) { r.on_data_available = linger<DDS_DataReader*>; }
  static Made make(World& w, const Record* r) {
    return {DDS_Subscriber_create_datareader(w.local.subscriber, described(w.local.topic),
                                             DDS_DATAREADER_QOS_DEFAULT, r, DDS_DATA_AVAILABLE_STATUS)};
  }
  static DDS_ReturnCode_t replace(Made m) { return DDS_DataReader_set_listener(m.reader, nullptr, 0); }
  static DDS_ReturnCode_t remove(World& w, Made m) {
    return DDS_Subscriber_delete_datareader(w.local.subscriber, m.reader);
  }
};

struct SubscriberKind {
  using Record = DDS_SubscriberListener;
  struct Made {
    DDS_Subscriber* subscriber;
  };
  static void listen(Record& r) { r.on_data_on_readers = linger<DDS_Subscriber*>; }
  static Made make(World& w, const Record* r) {
    Made m{DDS_DomainParticipant_create_subscriber(w.local.participant, DDS_SUBSCRIBER_QOS_DEFAULT, r,
                                                   DDS_DATA_ON_READERS_STATUS)};
    w.local.reader(m.subscriber);
    return m;
  }
  static DDS_ReturnCode_t replace(Made m) { return DDS_Subscriber_set_listener(m.subscriber, nullptr, 0); }
  static DDS_ReturnCode_t remove(World& w, Made m) {
    EXPECT_EQ(DDS_Subscriber_delete_contained_entities(m.subscriber), DDS_RETCODE_OK);
    return DDS_DomainParticipant_delete_subscriber(w.local.participant, m.subscriber);
  }
};

struct ParticipantKind {
  using Record = DDS_DomainParticipantListener;
  using Made = std::shared_ptr<Side>;
  static void listen(Record& r) { r.on_data_on_readers = linger<DDS_Subscriber*>; }
  static Made make(World& w, const Record* r) {
    auto side = std::make_shared<Side>(w.domain(), r, DDS_DATA_ON_READERS_STATUS);
    side->reader();
    return side;
  }
  static DDS_ReturnCode_t replace(const Made& m) {
    return DDS_DomainParticipant_set_listener(m->participant, nullptr, 0);
  }
  static DDS_ReturnCode_t remove(World&, const Made& m) {
    EXPECT_EQ(DDS_DomainParticipant_delete_contained_entities(m->participant), DDS_RETCODE_OK);
    return DDS_DomainParticipantFactory_delete_participant(factory(), m->participant);
  }
};

struct WriterKind {
  using Record = DDS_DataWriterListener;
  struct Made {
    DDS_DataWriter* writer;
  };
  static void listen(Record& r) { r.on_publication_matched = linger<DDS_DataWriter*, DDS_PublicationMatchedStatus*>; }
  static Made make(World& w, const Record* r) {
    return {DDS_Publisher_create_datawriter(w.local.publisher, w.local.topic, DDS_DATAWRITER_QOS_DEFAULT, r,
                                            DDS_PUBLICATION_MATCHED_STATUS)};
  }
  static DDS_ReturnCode_t replace(Made m) { return DDS_DataWriter_set_listener(m.writer, nullptr, 0); }
  static DDS_ReturnCode_t remove(World& w, Made m) {
    return DDS_Publisher_delete_datawriter(w.local.publisher, m.writer);
  }
};

// A publisher's listener is given when it is made and goes when it is
// deleted: DDS_Publisher_set_listener is not provided.
struct PublisherKind {
  using Record = DDS_PublisherListener;
  struct Made {
    DDS_Publisher* publisher;
  };
  static void listen(Record& r) {
    r.on_publication_matched = linger<DDS_DataWriter*, DDS_PublicationMatchedStatus*>;
  }
  static Made make(World& w, const Record* r) {
    Made m{DDS_DomainParticipant_create_publisher(w.local.participant, DDS_PUBLISHER_QOS_DEFAULT, r,
                                                  DDS_PUBLICATION_MATCHED_STATUS)};
    w.local.writer(m.publisher);
    return m;
  }
  static constexpr bool replaceable = false;
  static DDS_ReturnCode_t replace(Made) { return DDS_RETCODE_UNSUPPORTED; }
  static DDS_ReturnCode_t remove(World& w, Made m) {
    EXPECT_EQ(DDS_Publisher_delete_contained_entities(m.publisher), DDS_RETCODE_OK);
    return DDS_DomainParticipant_delete_publisher(w.local.participant, m.publisher);
  }
};

struct TopicKind {
  using Record = DDS_TopicListener;
  struct Made {
    DDS_Topic* topic;
  };
  static void listen(Record& r) { r.on_inconsistent_topic = linger<DDS_Topic*, DDS_InconsistentTopicStatus*>; }
  static Made make(World& w, const Record* r) {
    return {DDS_DomainParticipant_create_topic(w.local.participant, "Conflicts", "Reading", DDS_TOPIC_QOS_DEFAULT,
                                               r, DDS_INCONSISTENT_TOPIC_STATUS)};
  }
  static DDS_ReturnCode_t replace(Made m) { return DDS_Topic_set_listener(m.topic, nullptr, 0); }
  static DDS_ReturnCode_t remove(World& w, Made m) {
    return DDS_DomainParticipant_delete_topic(w.local.participant, m.topic);
  }
};

template <class Kind, class = void>
struct Replaceable : std::true_type {};
template <class Kind>
struct Replaceable<Kind, std::void_t<decltype(Kind::replaceable)>> : std::bool_constant<Kind::replaceable> {};

template <class Kind>
class ListenerRelease : public ::testing::Test {
 protected:
  static constexpr int kRounds = 3;

  // Makes the entity with a fresh record, waits until a callback lingers in
  // it, lets `release` drop the listener, then frees the record.
  template <class Release>
  void release_while_called(Release release) {
    World world;
    for (int round = 0; round < kRounds; ++round) {
      auto* record = new typename Kind::Record{};
      Kind::listen(*record);
      state = new State;
      released = false;
      auto made = Kind::make(world, record);
      const auto give_up = std::chrono::steady_clock::now() + 10s;
      while (inside == 0 && std::chrono::steady_clock::now() < give_up) std::this_thread::yield();
      ASSERT_GT(inside.load(), 0) << "no callback came";
      const bool deleted = release(world, made);
      EXPECT_EQ(inside.load(), 0) << "a callback was still running, round " << round;
      released = true;
      delete record;
      delete state.load();
      std::this_thread::sleep_for(2ms);  // time for a late callback to show
      if (!deleted) {
        EXPECT_EQ(Kind::remove(world, made), DDS_RETCODE_OK);
      }
    }
    EXPECT_EQ(late.load(), 0);
  }
};

using Kinds = ::testing::Types<ReaderKind, SubscriberKind, ParticipantKind, WriterKind, PublisherKind, TopicKind>;
TYPED_TEST_SUITE(ListenerRelease, Kinds);

TYPED_TEST(ListenerRelease, NoCallbackThroughAReplacedRecordOnceSetListenerReturns) {
  if (!Replaceable<TypeParam>::value) GTEST_SKIP() << "its listener is not replaceable";
  this->release_while_called([](World&, auto& made) {
    EXPECT_EQ(TypeParam::replace(made), DDS_RETCODE_OK);
    return false;
  });
}

TYPED_TEST(ListenerRelease, NoCallbackThroughADeletedEntitysRecordOnceTheDeleteReturns) {
  this->release_while_called([](World& world, auto& made) {
    EXPECT_EQ(TypeParam::remove(world, made), DDS_RETCODE_OK);
    return true;
  });
}

}  // namespace
