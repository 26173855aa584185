// Listener bridges: the callback rule, what each C function receives, and
// setting and reading listeners through core doubles.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binding/listener_bridges.h"
#include "binding/shapes.h"
#include "c_records.h"
#include "core_doubles.h"

namespace {

using ::testing::_;

// What the C callbacks saw, in order.
struct Heard {
  std::string event;
  void* entity;
  DDS_Long count;
  DDS_Boolean handle_valid;
};
std::vector<Heard> heard;

template <class Entity, class Status>
void record_status(const char* event, Entity* entity, Status* status, DDS_Long count, DDS_Boolean valid) {
  (void)status;
  heard.push_back({event, entity, count, valid});
}

void on_sample_lost(DDS_DataReader* r, DDS_SampleLostStatus* s) {
  record_status("sample_lost", r, s, s->total_count, 0);
}
void on_sample_rejected(DDS_DataReader* r, DDS_SampleRejectedStatus* s) {
  record_status("sample_rejected", r, s, s->total_count, s->last_instance_handle.valid);
}
void on_data_available(DDS_DataReader* r) { heard.push_back({"data_available", r, 0, 0}); }
void on_data_available_again(DDS_DataReader* r) { heard.push_back({"data_available_again", r, 0, 0}); }
void on_data_on_readers(DDS_Subscriber* s) { heard.push_back({"data_on_readers", s, 0, 0}); }
void on_publication_matched(DDS_DataWriter* w, DDS_PublicationMatchedStatus* s) {
  record_status("publication_matched", w, s, s->current_count, s->last_subscription_handle.valid);
}
void on_inconsistent_topic(DDS_Topic* t, DDS_InconsistentTopicStatus* s) {
  record_status("inconsistent_topic", t, s, s->total_count_change, 0);
}

class Bridges : public ::testing::Test {
 protected:
  Bridges() { heard.clear(); }
  doubles::Reader reader_;
  doubles::Writer writer_;
  doubles::Subscriber subscriber_;
  doubles::Topic topic_;
};

// Every event a reader listener can hear, with statuses that say so.
void raise_reader_events(ZORVEX::DataReaderListener& l, ZORVEX::DataReader* r) {
  ZORVEX::SampleLostStatus lost;
  lost.total_count = 4;
  ZORVEX::SampleRejectedStatus rejected;
  rejected.total_count = 6;
  l.on_data_available(r);
  l.on_sample_lost(r, lost);
  l.on_sample_rejected(r, rejected);
  l.on_liveliness_changed(r, {});
  l.on_requested_deadline_missed(r, {});
  l.on_requested_incompatible_qos(r, {});
  l.on_subscription_matched(r, {});
}

TEST_F(Bridges, NullRecordOrNullFieldCallsNothing) {
  DataReaderListenerImpl no_record(nullptr);
  raise_reader_events(no_record, &reader_);
  DDS_DataReaderListener empty{};
  DataReaderListenerImpl no_fields(&empty);
  raise_reader_events(no_fields, &reader_);
  EXPECT_TRUE(heard.empty());
}

TEST_F(Bridges, SetFieldsAreCalledWithTheHandleAndALocalStatus) {
  DDS_DataReaderListener record{};
  record.listener_data = &record;
  record.on_sample_lost = on_sample_lost;
  record.on_sample_rejected = on_sample_rejected;
  record.on_data_available = on_data_available;
  DataReaderListenerImpl bridge(&record);
  raise_reader_events(bridge, &reader_);

  ASSERT_EQ(heard.size(), 3u);
  EXPECT_EQ(heard[0].event, "data_available");
  EXPECT_EQ(heard[1].event, "sample_lost");
  EXPECT_EQ(heard[1].count, 4);
  EXPECT_EQ(heard[2].count, 6);
  EXPECT_EQ(heard[2].handle_valid, 0);
  for (const Heard& h : heard) EXPECT_EQ(h.entity, static_cast<void*>(&reader_));
  EXPECT_EQ(bridge.c_listener, &record);
}

TEST_F(Bridges, TheRecordIsReadAnewAtEveryCallback) {
  DDS_DataReaderListener record{};
  DataReaderListenerImpl bridge(&record);
  bridge.on_data_available(&reader_);
  record.on_data_available = on_data_available;
  bridge.on_data_available(&reader_);
  record.on_data_available = on_data_available_again;
  bridge.on_data_available(&reader_);
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[1].event, "data_available_again");
}

TEST_F(Bridges, GroupBridgesHearTheirMembersEvents) {
  DDS_SubscriberListener sub{};
  sub.on_sample_lost = on_sample_lost;
  sub.on_data_on_readers = on_data_on_readers;
  SubscriberListenerImpl sub_bridge(&sub);
  raise_reader_events(sub_bridge, &reader_);
  sub_bridge.on_data_on_readers(&subscriber_);

  DDS_PublisherListener pub{};
  pub.on_publication_matched = on_publication_matched;
  PublisherListenerImpl pub_bridge(&pub);
  ZORVEX::PublicationMatchedStatus matched;
  matched.current_count = 2;
  matched.last_subscription_handle.valid = 1;
  pub_bridge.on_publication_matched(&writer_, matched);

  DDS_DomainParticipantListener part{};
  part.on_inconsistent_topic = on_inconsistent_topic;
  part.on_data_on_readers = on_data_on_readers;
  part.on_publication_matched = on_publication_matched;
  DomainParticipantListenerImpl part_bridge(&part);
  ZORVEX::DomainParticipantListener& as_core = part_bridge;
  ZORVEX::InconsistentTopicStatus inconsistent;
  inconsistent.total_count_change = 1;
  static_cast<ZORVEX::TopicListener&>(as_core).on_inconsistent_topic(&topic_, inconsistent);
  static_cast<ZORVEX::SubscriberListener&>(as_core).on_data_on_readers(&subscriber_);
  static_cast<ZORVEX::PublisherListener&>(as_core).on_publication_matched(&writer_, matched);
  raise_reader_events(static_cast<ZORVEX::SubscriberListener&>(as_core), &reader_);

  std::vector<std::string> events;
  for (const Heard& h : heard) events.push_back(h.event);
  EXPECT_EQ(events, (std::vector<std::string>{"sample_lost", "data_on_readers", "publication_matched",
                                              "inconsistent_topic", "data_on_readers", "publication_matched"}));
  EXPECT_EQ(heard[2].entity, static_cast<void*>(&writer_));
  EXPECT_EQ(heard[2].count, 2);
  EXPECT_EQ(heard[2].handle_valid, 1);
  EXPECT_EQ(heard[3].entity, static_cast<void*>(static_cast<ZORVEX::Topic*>(&topic_)));
}

TEST(ListenerShapes, EverySetInstallsANewBridgeAndGetAnswersTheLastRecord) {
  doubles::Reader reader;
  reader.hold_listeners();
  DDS_DataReaderListener first{}, second{};
  EXPECT_CALL(reader, set_listener(_, DDS_DATA_AVAILABLE_STATUS)).Times(2);
  EXPECT_CALL(reader, get_listener()).Times(2);

  EXPECT_EQ(quillmarc::set_listener<DataReaderListenerImpl>(&reader, &first, DDS_DATA_AVAILABLE_STATUS),
            DDS_RETCODE_OK);
  const ZORVEX::DataReaderListener* first_bridge = reader.slot.held.get();
  EXPECT_EQ(quillmarc::get_listener<DataReaderListenerImpl>(&reader), &first);

  EXPECT_EQ(quillmarc::set_listener<DataReaderListenerImpl>(&reader, &second, DDS_DATA_AVAILABLE_STATUS),
            DDS_RETCODE_OK);
  EXPECT_NE(reader.slot.held.get(), first_bridge);
  EXPECT_EQ(reader.slot.installed, 2);
  EXPECT_EQ(quillmarc::get_listener<DataReaderListenerImpl>(&reader), &second);
}

TEST(ListenerShapes, NullRecordStillInstallsABridge) {
  doubles::Topic topic;
  topic.hold_listeners();
  EXPECT_CALL(topic, set_listener(_, _));
  EXPECT_CALL(topic, get_listener());
  quillmarc::set_listener<TopicListenerImpl>(&topic, nullptr, DDS_STATUS_MASK_ALL);
  ASSERT_NE(topic.slot.held, nullptr);
  EXPECT_EQ(topic.slot.mask, DDS_STATUS_MASK_ALL);
  EXPECT_EQ(quillmarc::get_listener<TopicListenerImpl>(&topic), nullptr);
}

TEST(ListenerShapes, NoListenerOrAForeignOneReadsAsNull) {
  struct Foreign : ZORVEX::DomainParticipantListener {};
  doubles::Participant participant;
  participant.hold_listeners();
  EXPECT_CALL(participant, set_listener(_, _)).Times(2);
  EXPECT_CALL(participant, get_listener()).Times(3);
  EXPECT_EQ(quillmarc::get_listener<DomainParticipantListenerImpl>(&participant), nullptr);
  participant.set_listener(new Foreign, 0);
  EXPECT_EQ(quillmarc::get_listener<DomainParticipantListenerImpl>(&participant), nullptr);

  DDS_DomainParticipantListener record{};
  quillmarc::set_listener<DomainParticipantListenerImpl>(&participant, &record, 0);
  EXPECT_EQ(quillmarc::get_listener<DomainParticipantListenerImpl>(&participant), &record);

  // A subscriber bridge is a reader listener, but not a reader's bridge.
  doubles::Reader reader;
  reader.hold_listeners();
  EXPECT_CALL(reader, set_listener(_, _));
  EXPECT_CALL(reader, get_listener());
  DDS_SubscriberListener sub{};
  reader.set_listener(new SubscriberListenerImpl(&sub), 0);
  EXPECT_EQ(quillmarc::get_listener<DataReaderListenerImpl>(&reader), nullptr);
}

}  // namespace
