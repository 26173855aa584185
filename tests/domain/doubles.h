// GoogleMock doubles of the core's factory, participant, topic and
// content-filtered topic. A double handed a listener keeps it and deletes it
// when replaced or when the double goes, as the core does; a double handed a
// listener by a creator deletes it at once.
#ifndef QUILLMARC_TESTS_DOMAIN_DOUBLES_H
#define QUILLMARC_TESTS_DOMAIN_DOUBLES_H

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "zorvex/zorvex.h"

namespace domain {

using ZORVEX::ReturnCode_t;
using ZORVEX::StatusMask;

// The three profile names as the core received them.
struct ProfileNames {
  const char* library = nullptr;
  const char* profile = nullptr;
  const char* qos = nullptr;
};

struct Factory : ZORVEX::DomainParticipantFactory {
  MOCK_METHOD(ZORVEX::DomainParticipant*, create_participant,
              (ZORVEX::DomainId_t, const ZORVEX::DomainParticipantQos&, ZORVEX::DomainParticipantListener*,
               const StatusMask&),
              (override));
  MOCK_METHOD(ZORVEX::DomainParticipant*, create_participant_with_qos_profile,
              (ZORVEX::DomainId_t, const char*, const char*, const char*, ZORVEX::DomainParticipantListener*,
               StatusMask),
              (override));
  MOCK_METHOD(ReturnCode_t, delete_participant, (ZORVEX::DomainParticipant*&), (override));
  MOCK_METHOD(ReturnCode_t, get_default_participant_qos, (ZORVEX::DomainParticipantQos&), (override));

  // The profile getters answer `code` after writing a mark into the record
  // (see mark() in the tests) and keep the names they were given.
  ProfileNames names;
  ReturnCode_t code = ZORVEX::RETCODE_ERROR;
#define QUILLMARC_PROFILE_GETTER(operation, Qos)                                                        \
  ReturnCode_t operation(ZORVEX::Qos& qos, const char* l, const char* p, const char* n) override {      \
    names = {l, p, n};                                                                                 \
    mark(qos);                                                                                         \
    return code;                                                                                       \
  }
  QUILLMARC_PROFILE_GETTER(get_participant_factory_qos_from_profile, DomainParticipantFactoryQos)
  QUILLMARC_PROFILE_GETTER(get_participant_qos_from_profile, DomainParticipantQos)
  QUILLMARC_PROFILE_GETTER(get_topic_qos_from_profile, TopicQos)
  QUILLMARC_PROFILE_GETTER(get_publisher_qos_from_profile, PublisherQos)
  QUILLMARC_PROFILE_GETTER(get_subscriber_qos_from_profile, SubscriberQos)
  QUILLMARC_PROFILE_GETTER(get_datareader_qos_from_profile, DataReaderQos)
  QUILLMARC_PROFILE_GETTER(get_datawriter_qos_from_profile, DataWriterQos)
#undef QUILLMARC_PROFILE_GETTER

  // One member of each record that differs from its default.
  static void mark(ZORVEX::DomainParticipantFactoryQos& q) { q.entity_factory.autoenable_created_entities = false; }
  static void mark(ZORVEX::DomainParticipantQos& q) { q.user_data.value = {1, 2, 3}; }
  static void mark(ZORVEX::TopicQos& q) { q.topic_data.value = {1, 2, 3}; }
  static void mark(ZORVEX::PublisherQos& q) { q.group_data.value = {1, 2, 3}; }
  static void mark(ZORVEX::SubscriberQos& q) { q.group_data.value = {1, 2, 3}; }
  static void mark(ZORVEX::DataReaderQos& q) { q.user_data.value = {1, 2, 3}; }
  static void mark(ZORVEX::DataWriterQos& q) { q.user_data.value = {1, 2, 3}; }
};

// Keeps the last listener installed, answers it back.
template <class Listener>
struct ListenerSlot {
  std::unique_ptr<Listener> held;
  StatusMask mask = 0;
};

struct Participant : ZORVEX::DomainParticipant {
  MOCK_METHOD(ReturnCode_t, set_listener, (ZORVEX::DomainParticipantListener*, const StatusMask&), (override));
  MOCK_METHOD(ZORVEX::DomainParticipantListener*, get_listener, (), (override));
  MOCK_METHOD(ReturnCode_t, register_type, (const std::string&, const ZORVEX::TypeDescriptor*), (override));
  MOCK_METHOD(ZORVEX::Publisher*, create_publisher,
              (const ZORVEX::PublisherQos&, ZORVEX::PublisherListener*, const StatusMask&), (override));
  MOCK_METHOD(ZORVEX::Publisher*, create_publisher_with_qos_profile,
              (const char*, const char*, const char*, ZORVEX::PublisherListener*, StatusMask), (override));
  MOCK_METHOD(ReturnCode_t, delete_publisher, (ZORVEX::Publisher*&), (override));
  MOCK_METHOD(ZORVEX::Subscriber*, create_subscriber,
              (const ZORVEX::SubscriberQos&, ZORVEX::SubscriberListener*, const StatusMask&), (override));
  MOCK_METHOD(ZORVEX::Subscriber*, create_subscriber_with_qos_profile,
              (const char*, const char*, const char*, ZORVEX::SubscriberListener*, StatusMask), (override));
  MOCK_METHOD(ReturnCode_t, delete_subscriber, (ZORVEX::Subscriber*&), (override));
  MOCK_METHOD(ZORVEX::Topic*, create_topic,
              (const std::string&, const std::string&, const ZORVEX::TopicQos&, ZORVEX::TopicListener*,
               const StatusMask&),
              (override));
  MOCK_METHOD(ZORVEX::Topic*, create_topic_with_qos_profile,
              (const std::string&, const std::string&, const char*, const char*, const char*,
               ZORVEX::TopicListener*, StatusMask),
              (override));
  MOCK_METHOD(ReturnCode_t, delete_topic, (ZORVEX::Topic*&), (override));
  MOCK_METHOD(ZORVEX::ContentFilteredTopic*, create_contentfilteredtopic,
              (const std::string&, ZORVEX::Topic*, const std::string&, const std::vector<std::string>&),
              (override));
  MOCK_METHOD(ReturnCode_t, delete_contentfilteredtopic, (ZORVEX::ContentFilteredTopic*&), (override));
  MOCK_METHOD(ZORVEX::Topic*, find_topic, (const std::string&, const ZORVEX::Duration_t&), (override));
  MOCK_METHOD(ZORVEX::TopicDescription*, lookup_topicdescription, (const std::string&), (override));
  MOCK_METHOD(ReturnCode_t, ignore_participant, (const ZORVEX::InstanceHandle_t&), (override));
  MOCK_METHOD(ReturnCode_t, ignore_topic, (const ZORVEX::InstanceHandle_t&), (override));
  MOCK_METHOD(ReturnCode_t, ignore_publication, (const ZORVEX::InstanceHandle_t&), (override));
  MOCK_METHOD(ReturnCode_t, ignore_subscription, (const ZORVEX::InstanceHandle_t&), (override));
  MOCK_METHOD(bool, contains_entity, (const ZORVEX::InstanceHandle_t&), (override));
  MOCK_METHOD(ReturnCode_t, get_discovered_participant_data,
              (ZORVEX::ParticipantBuiltinTopicData&, const ZORVEX::InstanceHandle_t&), (override));
  MOCK_METHOD(ReturnCode_t, get_discovered_topic_data,
              (ZORVEX::TopicBuiltinTopicData&, const ZORVEX::InstanceHandle_t&), (override));
  MOCK_METHOD(ReturnCode_t, get_discovered_participants, (std::vector<ZORVEX::InstanceHandle_t>&), (override));
  MOCK_METHOD(ReturnCode_t, get_discovered_topics, (std::vector<ZORVEX::InstanceHandle_t>&), (override));

  ListenerSlot<ZORVEX::DomainParticipantListener> slot;
  void hold_listeners() {
    ON_CALL(*this, set_listener).WillByDefault([this](ZORVEX::DomainParticipantListener* l, const StatusMask& m) {
      slot.held.reset(l);
      slot.mask = m;
      return ZORVEX::RETCODE_OK;
    });
    ON_CALL(*this, get_listener).WillByDefault([this] { return slot.held.get(); });
  }
};

struct Topic : ZORVEX::Topic {
  MOCK_METHOD(const char*, get_name, (), (override));
  MOCK_METHOD(const char*, get_type_name, (), (override));
  MOCK_METHOD(ZORVEX::DomainParticipant*, get_participant, (), (override));
  MOCK_METHOD(ReturnCode_t, set_listener, (ZORVEX::TopicListener*, const StatusMask&), (override));
  MOCK_METHOD(ZORVEX::TopicListener*, get_listener, (), (override));
  MOCK_METHOD(ReturnCode_t, get_inconsistent_topic_status, (ZORVEX::InconsistentTopicStatus&), (override));
  MOCK_METHOD(ReturnCode_t, get_qos, (ZORVEX::TopicQos&), (override));
};

struct FilteredTopic : ZORVEX::ContentFilteredTopic {
  MOCK_METHOD(ZORVEX::Topic*, get_related_topic, (), (override));
  MOCK_METHOD(ReturnCode_t, get_expression_parameters, (std::vector<std::string>&), (override));
  MOCK_METHOD(ReturnCode_t, set_expression_parameters, (const std::vector<std::string>&), (override));
};

}  // namespace domain

#endif
