// GoogleMock doubles of a core publisher and data writer, every operation
// mocked. Like the core, a double keeps each listener it is handed (also by a
// create call it refuses) and deletes it when replaced or when it goes.
#ifndef QUILLMARC_TESTS_PUBLICATION_PUBLICATION_DOUBLES_H
#define QUILLMARC_TESTS_PUBLICATION_PUBLICATION_DOUBLES_H

#include <gmock/gmock.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "quillmarc/dds_c.h"
#include "zorvex/zorvex.h"

namespace doubles {

using ZORVEX::InstanceHandle_t;
using ZORVEX::ReturnCode_t;
using ZORVEX::StatusMask;
using ZORVEX::Time_t;

struct PublisherDouble : ZORVEX::Publisher {
  MOCK_METHOD(ZORVEX::DataWriter*, create_datawriter,
              (ZORVEX::Topic*, const ZORVEX::DataWriterQos&, ZORVEX::DataWriterListener*, const StatusMask&),
              (override));
  MOCK_METHOD(ZORVEX::DataWriter*, create_datawriter_with_qos_profile,
              (ZORVEX::Topic*, const char*, const char*, const char*, ZORVEX::DataWriterListener*, StatusMask),
              (override));
  MOCK_METHOD(ReturnCode_t, delete_datawriter, (ZORVEX::DataWriter*&), (override));
  MOCK_METHOD(ZORVEX::DataWriter*, lookup_datawriter, (const std::string&), (override));
  MOCK_METHOD(ReturnCode_t, suspend_publications, (), (override));
  MOCK_METHOD(ReturnCode_t, resume_publications, (), (override));
  MOCK_METHOD(ReturnCode_t, begin_coherent_changes, (), (override));
  MOCK_METHOD(ReturnCode_t, end_coherent_changes, (), (override));
  MOCK_METHOD(ReturnCode_t, wait_for_acknowledgments, (const ZORVEX::Duration_t&), (override));
  MOCK_METHOD(ZORVEX::DomainParticipant*, get_participant, (), (override));
  MOCK_METHOD(ReturnCode_t, delete_contained_entities, (), (override));
  MOCK_METHOD(ReturnCode_t, set_qos, (const ZORVEX::PublisherQos&), (override));
  MOCK_METHOD(ReturnCode_t, get_qos, (ZORVEX::PublisherQos&), (override));
  MOCK_METHOD(ReturnCode_t, set_qos_with_profile, (const char*, const char*, const char*), (override));
  MOCK_METHOD(ReturnCode_t, set_listener, (ZORVEX::PublisherListener*, const StatusMask&), (override));
  MOCK_METHOD(ZORVEX::PublisherListener*, get_listener, (), (override));
  MOCK_METHOD(ReturnCode_t, set_default_datawriter_qos, (const ZORVEX::DataWriterQos&), (override));
  MOCK_METHOD(ReturnCode_t, get_default_datawriter_qos, (ZORVEX::DataWriterQos&), (override));
  MOCK_METHOD(ReturnCode_t, set_default_datawriter_qos_with_profile, (const char*, const char*, const char*),
              (override));

  // Listeners handed over by the create calls.
  std::vector<std::unique_ptr<ZORVEX::DataWriterListener>> kept;
  void keep(ZORVEX::DataWriterListener* listener) { kept.emplace_back(listener); }
};

struct WriterDouble : ZORVEX::DataWriter {
  MOCK_METHOD(InstanceHandle_t, register_instance, (const void*), (override));
  MOCK_METHOD(InstanceHandle_t, register_instance_w_timestamp, (const void*, const Time_t&), (override));
  MOCK_METHOD(ReturnCode_t, unregister_instance, (const void*, const InstanceHandle_t&), (override));
  MOCK_METHOD(ReturnCode_t, unregister_instance_w_timestamp, (const void*, const InstanceHandle_t&, const Time_t&),
              (override));
  MOCK_METHOD(ReturnCode_t, get_key_value, (void*, const InstanceHandle_t&), (override));
  MOCK_METHOD(InstanceHandle_t, lookup_instance, (const void*), (override));
  MOCK_METHOD(ReturnCode_t, write, (const void*, const InstanceHandle_t&), (override));
  MOCK_METHOD(ReturnCode_t, write_w_timestamp, (const void*, const InstanceHandle_t&, const Time_t&), (override));
  MOCK_METHOD(ReturnCode_t, dispose, (const void*, const InstanceHandle_t&), (override));
  MOCK_METHOD(ReturnCode_t, dispose_w_timestamp, (const void*, const InstanceHandle_t&, const Time_t&), (override));
  MOCK_METHOD(ReturnCode_t, wait_for_acknowledgments, (const ZORVEX::Duration_t&), (override));
  MOCK_METHOD(ReturnCode_t, get_liveliness_lost_status, (ZORVEX::LivelinessLostStatus&), (override));
  MOCK_METHOD(ReturnCode_t, get_offered_deadline_missed_status, (ZORVEX::OfferedDeadlineMissedStatus&),
              (override));
  MOCK_METHOD(ReturnCode_t, get_offered_incompatible_qos_status, (ZORVEX::OfferedIncompatibleQosStatus&),
              (override));
  MOCK_METHOD(ReturnCode_t, get_publication_matched_status, (ZORVEX::PublicationMatchedStatus&), (override));
  MOCK_METHOD(ReturnCode_t, assert_liveliness, (), (override));
  MOCK_METHOD(ZORVEX::Topic*, get_topic, (), (override));
  MOCK_METHOD(ZORVEX::Publisher*, get_publisher, (), (override));
  MOCK_METHOD(ReturnCode_t, get_matched_subscription_data,
              (ZORVEX::SubscriptionBuiltinTopicData&, const InstanceHandle_t&), (override));
  MOCK_METHOD(ReturnCode_t, get_matched_subscriptions, (std::vector<InstanceHandle_t>&), (override));
  MOCK_METHOD(ReturnCode_t, set_qos, (const ZORVEX::DataWriterQos&), (override));
  MOCK_METHOD(ReturnCode_t, get_qos, (ZORVEX::DataWriterQos&), (override));
  MOCK_METHOD(ReturnCode_t, set_qos_with_profile, (const char*, const char*, const char*), (override));
  MOCK_METHOD(ReturnCode_t, set_listener, (ZORVEX::DataWriterListener*, const StatusMask&), (override));
  MOCK_METHOD(ZORVEX::DataWriterListener*, get_listener, (), (override));

  // Holds what set_listener installs and answers it back, as the core does.
  void hold_listeners() {
    ON_CALL(*this, set_listener).WillByDefault([this](ZORVEX::DataWriterListener* l, const StatusMask& m) {
      listener.reset(l);
      mask = m;
      return ZORVEX::RETCODE_OK;
    });
    ON_CALL(*this, get_listener).WillByDefault([this] { return listener.get(); });
  }
  std::unique_ptr<ZORVEX::DataWriterListener> listener;
  StatusMask mask = 0;
};

// A core handle of 16 `fill` bytes.
inline InstanceHandle_t core_handle(unsigned char fill, int32_t valid) {
  InstanceHandle_t h;
  std::memset(h.value, fill, sizeof h.value);
  h.valid = valid;
  return h;
}

inline bool value_is(const unsigned char (&value)[16], unsigned char fill) {
  for (unsigned char b : value)
    if (b != fill) return false;
  return true;
}

}  // namespace doubles

#endif
