// GoogleMock doubles of a core subscriber and data reader, every operation
// mocked. Like the core, a double keeps each listener it is handed (also by a
// create call it refuses) and deletes it when replaced or when it goes.
#ifndef QUILLMARC_TESTS_SUBSCRIPTION_SUBSCRIPTION_DOUBLES_H
#define QUILLMARC_TESTS_SUBSCRIPTION_SUBSCRIPTION_DOUBLES_H

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "quillmarc/dds_c.h"
#include "zorvex/zorvex.h"

namespace doubles {

using ZORVEX::InstanceHandle_t;
using ZORVEX::ReturnCode_t;
using ZORVEX::StatusMask;

struct SubscriberDouble : ZORVEX::Subscriber {
  MOCK_METHOD(ZORVEX::DataReader*, create_datareader,
              (ZORVEX::TopicDescription*, const ZORVEX::DataReaderQos&, ZORVEX::DataReaderListener*,
               const StatusMask&),
              (override));
  MOCK_METHOD(ZORVEX::DataReader*, create_datareader_with_qos_profile,
              (ZORVEX::TopicDescription*, const char*, const char*, const char*, ZORVEX::DataReaderListener*,
               StatusMask),
              (override));
  MOCK_METHOD(ReturnCode_t, delete_datareader, (ZORVEX::DataReader*&), (override));
  MOCK_METHOD(ZORVEX::DataReader*, lookup_datareader, (const std::string&), (override));
  MOCK_METHOD(ReturnCode_t, get_datareaders,
              (std::vector<ZORVEX::DataReader*>&, const ZORVEX::SampleStateMask&, const ZORVEX::ViewStateMask&,
               const ZORVEX::InstanceStateMask&),
              (override));
  MOCK_METHOD(ReturnCode_t, notify_datareaders, (), (override));
  MOCK_METHOD(ReturnCode_t, begin_access, (), (override));
  MOCK_METHOD(ReturnCode_t, end_access, (), (override));
  MOCK_METHOD(ZORVEX::DomainParticipant*, get_participant, (), (override));
  MOCK_METHOD(ReturnCode_t, delete_contained_entities, (), (override));
  MOCK_METHOD(ReturnCode_t, set_qos, (const ZORVEX::SubscriberQos&), (override));
  MOCK_METHOD(ReturnCode_t, get_qos, (ZORVEX::SubscriberQos&), (override));
  MOCK_METHOD(ReturnCode_t, set_qos_with_profile, (const char*, const char*, const char*), (override));
  MOCK_METHOD(ReturnCode_t, set_listener, (ZORVEX::SubscriberListener*, const StatusMask&), (override));
  MOCK_METHOD(ZORVEX::SubscriberListener*, get_listener, (), (override));
  MOCK_METHOD(ReturnCode_t, set_default_datareader_qos, (const ZORVEX::DataReaderQos&), (override));
  MOCK_METHOD(ReturnCode_t, get_default_datareader_qos, (ZORVEX::DataReaderQos&), (override));
  MOCK_METHOD(ReturnCode_t, set_default_datareader_qos_with_profile, (const char*, const char*, const char*),
              (override));

  // Listeners handed over by the create calls.
  std::vector<std::unique_ptr<ZORVEX::DataReaderListener>> kept;
  void keep(ZORVEX::DataReaderListener* listener) { kept.emplace_back(listener); }

  // Holds what set_listener installs and answers it back, as the core does.
  void hold_listeners() {
    ON_CALL(*this, set_listener).WillByDefault([this](ZORVEX::SubscriberListener* l, const StatusMask& m) {
      listener.reset(l);
      mask = m;
      return ZORVEX::RETCODE_OK;
    });
    ON_CALL(*this, get_listener).WillByDefault([this] { return listener.get(); });
  }
  std::unique_ptr<ZORVEX::SubscriberListener> listener;
  StatusMask mask = 0;
};

struct ReaderDouble : ZORVEX::DataReader {
  MOCK_METHOD(ReturnCode_t, read,
              (SequenceBase&, SequenceBase&, int32_t, ZORVEX::SampleStateMask, ZORVEX::ViewStateMask,
               ZORVEX::InstanceStateMask),
              (override));
  MOCK_METHOD(ReturnCode_t, take,
              (SequenceBase&, SequenceBase&, int32_t, ZORVEX::SampleStateMask, ZORVEX::ViewStateMask,
               ZORVEX::InstanceStateMask),
              (override));
  MOCK_METHOD(ReturnCode_t, read_next_sample, (void*, ZORVEX::SampleInfo&), (override));
  MOCK_METHOD(ReturnCode_t, take_next_sample, (void*, ZORVEX::SampleInfo&), (override));
  MOCK_METHOD(ReturnCode_t, return_loan, (SequenceBase&, SequenceBase&), (override));
  MOCK_METHOD(ZORVEX::ReadCondition*, create_readcondition,
              (ZORVEX::SampleStateMask, ZORVEX::ViewStateMask, ZORVEX::InstanceStateMask), (override));
  MOCK_METHOD(ZORVEX::QueryCondition*, create_querycondition,
              (ZORVEX::SampleStateMask, ZORVEX::ViewStateMask, ZORVEX::InstanceStateMask, const std::string&,
               const std::vector<std::string>&),
              (override));
  MOCK_METHOD(ReturnCode_t, delete_readcondition, (ZORVEX::ReadCondition*), (override));
  MOCK_METHOD(ReturnCode_t, get_liveliness_changed_status, (ZORVEX::LivelinessChangedStatus&), (override));
  MOCK_METHOD(ReturnCode_t, get_requested_deadline_missed_status, (ZORVEX::RequestedDeadlineMissedStatus&),
              (override));
  MOCK_METHOD(ReturnCode_t, get_requested_incompatible_qos_status, (ZORVEX::RequestedIncompatibleQosStatus&),
              (override));
  MOCK_METHOD(ReturnCode_t, get_sample_lost_status, (ZORVEX::SampleLostStatus&), (override));
  MOCK_METHOD(ReturnCode_t, get_sample_rejected_status, (ZORVEX::SampleRejectedStatus&), (override));
  MOCK_METHOD(ReturnCode_t, get_subscription_matched_status, (ZORVEX::SubscriptionMatchedStatus&), (override));
  MOCK_METHOD(ZORVEX::TopicDescription*, get_topicdescription, (), (override));
  MOCK_METHOD(ZORVEX::Subscriber*, get_subscriber, (), (override));
  MOCK_METHOD(ReturnCode_t, delete_contained_entities, (), (override));
  MOCK_METHOD(ReturnCode_t, wait_for_historical_data, (const ZORVEX::Duration_t&), (override));
  MOCK_METHOD(ReturnCode_t, get_matched_publication_data,
              (ZORVEX::PublicationBuiltinTopicData&, const InstanceHandle_t&), (override));
  MOCK_METHOD(ReturnCode_t, get_matched_publications, (std::vector<InstanceHandle_t>&), (override));
  MOCK_METHOD(ReturnCode_t, set_qos, (const ZORVEX::DataReaderQos&), (override));
  MOCK_METHOD(ReturnCode_t, get_qos, (ZORVEX::DataReaderQos&), (override));
  MOCK_METHOD(ReturnCode_t, set_qos_with_profile, (const char*, const char*, const char*), (override));
  MOCK_METHOD(ReturnCode_t, set_listener, (ZORVEX::DataReaderListener*, const StatusMask&), (override));
  MOCK_METHOD(ZORVEX::DataReaderListener*, get_listener, (), (override));

  void hold_listeners() {
    ON_CALL(*this, set_listener).WillByDefault([this](ZORVEX::DataReaderListener* l, const StatusMask& m) {
      listener.reset(l);
      mask = m;
      return ZORVEX::RETCODE_OK;
    });
    ON_CALL(*this, get_listener).WillByDefault([this] { return listener.get(); });
  }
  std::unique_ptr<ZORVEX::DataReaderListener> listener;
  StatusMask mask = 0;
};

// Lends as the core does: grows both loans to the count given and writes
// each value address and sample information into its cell.
inline void lend(SequenceBase& data, SequenceBase& infos, const std::vector<void*>& values,
                 const std::vector<ZORVEX::SampleInfo>& information) {
  const int n = static_cast<int>(information.size());
  ASSERT_TRUE(data.length(n));
  ASSERT_TRUE(infos.length(n));
  for (int i = 0; i < n; ++i) {
    *static_cast<void**>(data.cells[static_cast<size_t>(i)]) = values[static_cast<size_t>(i)];
    *static_cast<ZORVEX::SampleInfo*>(infos.cells[static_cast<size_t>(i)]) = information[static_cast<size_t>(i)];
  }
}

// What a loan handed to the core holds, read through SequenceBase.
inline std::vector<void*> addresses_in(const SequenceBase& data) {
  std::vector<void*> out;
  for (int i = 0; i < data.length(); ++i) out.push_back(*static_cast<void* const*>(data.cells[static_cast<size_t>(i)]));
  return out;
}
inline std::vector<ZORVEX::SampleInfo> infos_in(const SequenceBase& infos) {
  std::vector<ZORVEX::SampleInfo> out;
  for (int i = 0; i < infos.length(); ++i) out.push_back(*static_cast<const ZORVEX::SampleInfo*>(infos.cells[static_cast<size_t>(i)]));
  return out;
}

template <class Handle, class Core>
Handle* as(Core* object) {
  return reinterpret_cast<Handle*>(object);
}

}  // namespace doubles

#endif
