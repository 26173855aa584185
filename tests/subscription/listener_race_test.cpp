// get_listener racing set_listener, through the exported functions: one
// thread swaps an entity's listener between two records while another asks
// for it, from outside any callback and from inside the entity's own
// callback. Every answer is one of the two records, and no answer reads a
// bridge that the swap has already released (AddressSanitizer and
// ThreadSanitizer watch the bridge's memory).
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "stand_in.h"

namespace {

// Swaps per race; QUILLMARC_LISTENER_SWAPS makes it a long run.
const long kSwaps = [] {
  const char* v = std::getenv("QUILLMARC_LISTENER_SWAPS");
  return v != nullptr ? std::strtol(v, nullptr, 0) : 3000L;
}();

// The entities of the fixture, as C handles.
struct Entities {
  DDS_DomainParticipant* participant;
  DDS_Topic* topic;
  DDS_Subscriber* subscriber;
  DDS_DataWriter* writer;
  DDS_DataReader* reader;
};

// For each entity kind: its C handle and listener record, its pair of
// listener functions, and which entity of the fixture it is.
#define LISTENER_KIND(Kind, Entity, member)                  \
  struct Kind {                                             \
    using Handle = DDS_##Entity;                            \
    using Record = DDS_##Entity##Listener;                  \
    static constexpr auto set = DDS_##Entity##_set_listener; \
    static constexpr auto get = DDS_##Entity##_get_listener; \
    static Handle* of(const Entities& e) { return e.member; } \
  };
LISTENER_KIND(ParticipantKind, DomainParticipant, participant)
LISTENER_KIND(TopicKind, Topic, topic)
LISTENER_KIND(SubscriberKind, Subscriber, subscriber)
LISTENER_KIND(WriterKind, DataWriter, writer)
LISTENER_KIND(ReaderKind, DataReader, reader)
#undef LISTENER_KIND

template <class Kind>
class ListenerRace : public StandIn {
 protected:
  typename Kind::Handle* entity() {
    if (writer_ == nullptr) writer_ = writer();
    if (reader_ == nullptr) reader_ = reader();
    return Kind::of({c_handle_of<DDS_DomainParticipant>(participant_), c_handle_of<DDS_Topic>(core_topic_),
                     subscriber_, c_handle_of<DDS_DataWriter>(writer_), reader_});
  }

  // Swaps the listener between first_ and second_ on another thread while
  // `ask` runs here, until the swaps are done.
  template <class Ask>
  void race(typename Kind::Handle* e, Ask ask) {
    std::atomic<bool> done{false};
    std::thread swapper([&] {
      for (long i = 0; i < kSwaps; ++i)
        EXPECT_EQ(Kind::set(e, i % 2 == 0 ? &first_ : &second_, DDS_STATUS_MASK_NONE), DDS_RETCODE_OK);
      done = true;
    });
    while (!done) ask();
    swapper.join();
  }

  bool one_of_both(const typename Kind::Record* answer) const { return answer == &first_ || answer == &second_; }

  typename Kind::Record first_{};
  typename Kind::Record second_{};
  ZORVEX::DataWriter* writer_ = nullptr;
  DDS_DataReader* reader_ = nullptr;
};

using Kinds = ::testing::Types<ParticipantKind, TopicKind, SubscriberKind, WriterKind, ReaderKind>;
TYPED_TEST_SUITE(ListenerRace, Kinds);

TYPED_TEST(ListenerRace, GetListenerAnswersTheOldOrTheNewRecord) {
  typename TypeParam::Handle* e = this->entity();
  ASSERT_EQ(TypeParam::set(e, &this->first_, DDS_STATUS_MASK_NONE), DDS_RETCODE_OK);
  long wrong = 0;
  this->race(e, [&] { wrong += this->one_of_both(TypeParam::get(e)) ? 0 : 1; });
  EXPECT_EQ(wrong, 0);
}

// The usual way a callback finds its context: it asks its reader for the
// listener while a configuration thread swaps that listener.
std::atomic<long> callback_answers_wrong{0};
std::atomic<long> callbacks{0};
const DDS_DataReaderListener* context_first = nullptr;
const DDS_DataReaderListener* context_second = nullptr;

void on_data_available(DDS_DataReader* reader) {
  const DDS_DataReaderListener* mine = DDS_DataReader_get_listener(reader);
  if (mine != context_first && mine != context_second) ++callback_answers_wrong;
  ++callbacks;
}

using ListenerRaceInCallbacks = ListenerRace<ReaderKind>;

TEST_F(ListenerRaceInCallbacks, ACallbackAskingForItsListenerDuringSwapsGetsEitherRecord) {
  first_.on_data_available = on_data_available;
  second_.on_data_available = on_data_available;
  context_first = &first_;
  context_second = &second_;
  DDS_DataReader* r = entity();
  ASSERT_EQ(DDS_DataReader_set_listener(r, &first_, DDS_DATA_AVAILABLE_STATUS), DDS_RETCODE_OK);
  // The swaps start once this thread writes, and it writes at least once:
  // a thread slow to start cannot miss the race.
  std::atomic<bool> writing{false};
  std::atomic<bool> done{false};
  std::thread swapper([&] {
    while (!writing) std::this_thread::yield();
    for (long i = 0; i < kSwaps; ++i)
      EXPECT_EQ(DDS_DataReader_set_listener(r, i % 2 == 0 ? &second_ : &first_, DDS_DATA_AVAILABLE_STATUS),
                DDS_RETCODE_OK);
    done = true;
  });
  int32_t value = 0;
  writing = true;
  do {
    write(writer_, 1, ++value);
    Loan loan;
    ASSERT_EQ(DDS_DataReader_take(r, loan.data, loan.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                                  DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE),
              DDS_RETCODE_OK);
    ASSERT_EQ(DDS_DataReader_return_loan(r, loan.data, loan.infos), DDS_RETCODE_OK);
  } while (!done);
  swapper.join();
  EXPECT_GT(callbacks.load(), 0);
  EXPECT_EQ(callback_answers_wrong.load(), 0);
  ASSERT_EQ(DDS_DataReader_set_listener(r, nullptr, DDS_STATUS_MASK_NONE), DDS_RETCODE_OK);
}

}  // namespace
