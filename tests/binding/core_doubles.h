// GoogleMock doubles of the core's entities. A double that is handed a
// listener keeps it, as the core does, and deletes it when replaced or when
// the double goes.
#ifndef QUILLMARC_TESTS_BINDING_CORE_DOUBLES_H
#define QUILLMARC_TESTS_BINDING_CORE_DOUBLES_H

#include <gmock/gmock.h>

#include <memory>

#include "zorvex/zorvex.h"

namespace doubles {

using ZORVEX::ReturnCode_t;
using ZORVEX::StatusMask;

// Keeps the last listener it was given, answers it back.
template <class Listener>
struct ListenerSlot {
  std::unique_ptr<Listener> held;
  StatusMask mask = 0;
  int installed = 0;
  ReturnCode_t install(Listener* listener, const StatusMask& m) {
    held.reset(listener);
    mask = m;
    ++installed;
    return ZORVEX::RETCODE_OK;
  }
};

#define QUILLMARC_LISTENER_MOCKS(Listener)                                                    \
  MOCK_METHOD(ReturnCode_t, set_listener, (ZORVEX::Listener*, const StatusMask&), (override)); \
  MOCK_METHOD(ZORVEX::Listener*, get_listener, (), (override));                               \
  ListenerSlot<ZORVEX::Listener> slot;                                                         \
  void hold_listeners() {                                                                      \
    ON_CALL(*this, set_listener).WillByDefault([this](ZORVEX::Listener* l, const StatusMask& m) { \
      return slot.install(l, m);                                                               \
    });                                                                                        \
    ON_CALL(*this, get_listener).WillByDefault([this] { return slot.held.get(); });           \
  }

#define QUILLMARC_ENTITY_MOCKS                                                           \
  MOCK_METHOD(ReturnCode_t, enable, (), (override));                                     \
  MOCK_METHOD(ZORVEX::StatusCondition*, get_statuscondition, (), (override));            \
  MOCK_METHOD(const StatusMask&, get_status_changes, (), (override));                    \
  MOCK_METHOD(const ZORVEX::InstanceHandle_t&, get_instance_handle, (), (override));

struct Participant : ZORVEX::DomainParticipant {
  QUILLMARC_ENTITY_MOCKS
  QUILLMARC_LISTENER_MOCKS(DomainParticipantListener)
  MOCK_METHOD(ZORVEX::Publisher*, create_publisher,
              (const ZORVEX::PublisherQos&, ZORVEX::PublisherListener*, const StatusMask&), (override));
  MOCK_METHOD(ReturnCode_t, delete_publisher, (ZORVEX::Publisher*&), (override));
  MOCK_METHOD(ReturnCode_t, set_qos, (const ZORVEX::DomainParticipantQos&), (override));
  MOCK_METHOD(ReturnCode_t, get_qos, (ZORVEX::DomainParticipantQos&), (override));
  MOCK_METHOD(ReturnCode_t, ignore_publication, (const ZORVEX::InstanceHandle_t&), (override));
};

struct Publisher : ZORVEX::Publisher {
  QUILLMARC_ENTITY_MOCKS
  MOCK_METHOD(ZORVEX::DataWriter*, create_datawriter,
              (ZORVEX::Topic*, const ZORVEX::DataWriterQos&, ZORVEX::DataWriterListener*, const StatusMask&),
              (override));
  MOCK_METHOD(ReturnCode_t, get_qos, (ZORVEX::PublisherQos&), (override));
};

struct Subscriber : ZORVEX::Subscriber {
  QUILLMARC_ENTITY_MOCKS
  QUILLMARC_LISTENER_MOCKS(SubscriberListener)
};

struct Topic : ZORVEX::Topic {
  QUILLMARC_ENTITY_MOCKS
  QUILLMARC_LISTENER_MOCKS(TopicListener)
};

struct Writer : ZORVEX::DataWriter {
  QUILLMARC_LISTENER_MOCKS(DataWriterListener)
  MOCK_METHOD(ReturnCode_t, write, (const void*, const ZORVEX::InstanceHandle_t&), (override));
};

struct Reader : ZORVEX::DataReader {
  QUILLMARC_LISTENER_MOCKS(DataReaderListener)
  MOCK_METHOD(ReturnCode_t, get_sample_lost_status, (ZORVEX::SampleLostStatus&), (override));
  MOCK_METHOD(ReturnCode_t, get_qos, (ZORVEX::DataReaderQos&), (override));
};

#undef QUILLMARC_LISTENER_MOCKS
#undef QUILLMARC_ENTITY_MOCKS

}  // namespace doubles

#endif
