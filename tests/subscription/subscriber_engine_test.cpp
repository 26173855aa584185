// Subscriber and reader listeners and QoS end to end on the stand-in core,
// through the C functions: callbacks reaching the C records (and taking from
// inside them), QoS set and read back through the core, default reader QoS,
// and the copy of a topic's policies into a reader QoS.
#include <gtest/gtest.h>

#include <vector>

#include "binding/dds_type_convert.h"
#include "binding/record_walk.h"
#include "stand_in.h"

namespace {

// What the C callbacks saw; a C callback receives nothing but the entity.
struct Heard {
  std::vector<DDS_DataReader*> data_available;
  std::vector<DDS_Subscriber*> data_on_readers;
  std::vector<int32_t> taken;
  int matched = 0;
} heard;

void take_all(DDS_DataReader* reader) {
  Loan loan;
  if (DDS_DataReader_take(reader, loan.data, loan.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                          DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE) != DDS_RETCODE_OK)
    return;
  for (int32_t v : loan.values()) heard.taken.push_back(v);
  EXPECT_EQ(DDS_DataReader_return_loan(reader, loan.data, loan.infos), DDS_RETCODE_OK);
}

void on_data_available(DDS_DataReader* reader) {
  heard.data_available.push_back(reader);
  take_all(reader);
}

void on_subscription_matched(DDS_DataReader*, DDS_SubscriptionMatchedStatus* status) {
  heard.matched = status->current_count;
}

// Takes from every reader that has something.
void on_data_on_readers(DDS_Subscriber* subscriber) {
  heard.data_on_readers.push_back(subscriber);
  DDS_DataReaderSequence* readers = DDS_DataReaderSequence_create();
  EXPECT_EQ(DDS_Subscriber_get_datareaders(subscriber, readers, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                           DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);
  for (void* r : static_cast<std::vector<void*>&>(*readers)) take_all(static_cast<DDS_DataReader*>(r));
  DDS_DataReaderSequence_destroy(readers);
}

// Hands the event on to the readers' own listeners.
void notify_readers(DDS_Subscriber* subscriber) {
  heard.data_on_readers.push_back(subscriber);
  EXPECT_EQ(DDS_Subscriber_notify_datareaders(subscriber), DDS_RETCODE_OK);
}

class Listeners : public StandIn {
 protected:
  void SetUp() override {
    heard = Heard{};
    StandIn::SetUp();
  }
};

TEST_F(Listeners, OnDataAvailableReachesTheReadersRecordWhichTakesInsideTheCallback) {
  DDS_DataReaderListener record{};
  record.on_data_available = on_data_available;
  record.on_subscription_matched = on_subscription_matched;
  DDS_DataReader* r = reader(&record, DDS_DATA_AVAILABLE_STATUS | DDS_SUBSCRIPTION_MATCHED_STATUS);
  EXPECT_EQ(DDS_DataReader_get_listener(r), &record);
  ZORVEX::DataWriter* w = writer();
  EXPECT_EQ(heard.matched, 1);
  write(w, 1, 10);
  write(w, 2, 20);
  EXPECT_EQ(heard.data_available, (std::vector<DDS_DataReader*>{r, r}));
  EXPECT_EQ(heard.taken, (std::vector<int32_t>{10, 20}));

  // A second record replaces the first; without the event in the mask,
  // nothing is called.
  DDS_DataReaderListener quiet{};
  quiet.on_data_available = on_data_available;
  EXPECT_EQ(DDS_DataReader_set_listener(r, &quiet, DDS_SUBSCRIPTION_MATCHED_STATUS), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataReader_get_listener(r), &quiet);
  write(w, 3, 30);
  EXPECT_EQ(heard.data_available.size(), 2u);
  EXPECT_EQ(DDS_DataReader_set_listener(r, nullptr, 0), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataReader_get_listener(r), nullptr);
}

TEST_F(Listeners, OnDataOnReadersReachesTheSubscribersRecord) {
  DDS_SubscriberListener record{};
  record.on_data_on_readers = on_data_on_readers;
  ASSERT_EQ(DDS_Subscriber_set_listener(subscriber_, &record, DDS_DATA_ON_READERS_STATUS), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Subscriber_get_listener(subscriber_), &record);
  DDS_DataReaderListener reader_record{};
  reader_record.on_data_available = on_data_available;
  reader(&reader_record, DDS_DATA_AVAILABLE_STATUS);  // the subscriber's event comes first
  ZORVEX::DataWriter* w = writer();
  write(w, 1, 10);
  EXPECT_EQ(heard.data_on_readers, std::vector<DDS_Subscriber*>{subscriber_});
  EXPECT_TRUE(heard.data_available.empty());
  EXPECT_EQ(heard.taken, std::vector<int32_t>{10});

  // notify_datareaders from inside the callback runs the reader's own.
  record.on_data_on_readers = notify_readers;
  write(w, 2, 20);
  EXPECT_EQ(heard.data_on_readers.size(), 2u);
  ASSERT_EQ(heard.data_available.size(), 1u);
  EXPECT_EQ(heard.taken, (std::vector<int32_t>{10, 20}));
}

using Qos = StandIn;

TEST_F(Qos, TheSubscribersQosGoesThroughTheCoreAndBack) {
  CSubscriberQos qos;
  set_names(qos->partition.name, {"north", "south"});
  bytes(qos->group_data.value) = {1, 2, 3};
  qos->entity_factory.autoenable_created_entities = 0;
  ASSERT_EQ(DDS_Subscriber_set_qos(subscriber_, qos.get()), DDS_RETCODE_OK);
  CSubscriberQos back;
  ASSERT_EQ(DDS_Subscriber_get_qos(subscriber_, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*qos, *back), 0);

  // The presentation is fixed once the subscriber is enabled.
  qos->presentation.access_scope = DDS_TOPIC_PRESENTATION_QOS;
  EXPECT_EQ(DDS_Subscriber_set_qos(subscriber_, qos.get()), DDS_RETCODE_IMMUTABLE_POLICY);
  ASSERT_EQ(DDS_Subscriber_get_qos(subscriber_, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(back->presentation.access_scope, DDS_INSTANCE_PRESENTATION_QOS);
}

TEST_F(Qos, TheDefaultReaderQosIsKeptAndGivenToReadersMadeWithTheDefault) {
  CReaderQos qos;
  qos->history = {DDS_KEEP_LAST_HISTORY_QOS, 5};
  qos->reliability.kind = DDS_RELIABLE_RELIABILITY_QOS;
  qos->durability.kind = DDS_TRANSIENT_LOCAL_DURABILITY_QOS;
  qos->deadline.period = {10, 0};
  qos->time_based_filter.minimum_separation = {1, 500};
  bytes(qos->user_data.value) = {7, 8};
  qos->reader_data_lifecycle.autopurge_nowriter_samples_delay = {30, 0};
  ASSERT_EQ(DDS_Subscriber_set_default_datareader_qos(subscriber_, qos.get()), DDS_RETCODE_OK);
  CReaderQos back;
  ASSERT_EQ(DDS_Subscriber_get_default_datareader_qos(subscriber_, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*qos, *back), 0);

  DDS_DataReader* r = DDS_Subscriber_create_datareader(subscriber_, topic_, DDS_DATAREADER_QOS_DEFAULT, nullptr, 0);
  ASSERT_NE(r, nullptr);
  CReaderQos of_reader;
  ASSERT_EQ(DDS_DataReader_get_qos(r, of_reader.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*qos, *of_reader), 0);
}

TEST_F(Qos, AReadersChangeablePoliciesGoThroughTheCoreAndBack) {
  DDS_DataReader* r = reader();
  CReaderQos qos;
  ASSERT_EQ(DDS_DataReader_get_qos(r, qos.get()), DDS_RETCODE_OK);
  bytes(qos->user_data.value) = {4};
  qos->deadline.period = {20, 0};
  qos->latency_budget.duration = {0, 1000};
  qos->time_based_filter.minimum_separation = {2, 0};
  qos->reader_data_lifecycle.autopurge_disposed_samples_delay = {5, 5};
  ASSERT_EQ(DDS_DataReader_set_qos(r, qos.get()), DDS_RETCODE_OK);
  CReaderQos back;
  ASSERT_EQ(DDS_DataReader_get_qos(r, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(walk::differences(*qos, *back), 0);

  qos->reliability.kind = DDS_BEST_EFFORT_RELIABILITY_QOS;
  EXPECT_EQ(DDS_DataReader_set_qos(r, qos.get()), DDS_RETCODE_IMMUTABLE_POLICY);
  ASSERT_EQ(DDS_DataReader_get_qos(r, back.get()), DDS_RETCODE_OK);
  EXPECT_EQ(back->reliability.kind, DDS_RELIABLE_RELIABILITY_QOS);
}

TEST_F(Qos, ATopicsPoliciesCopiedIntoAReaderQosMakeAReaderWithThem) {
  ZORVEX::TopicQos topic_qos;
  topic_qos.history = {ZORVEX::KEEP_ALL_HISTORY_QOS, 1};
  topic_qos.reliability.kind = ZORVEX::RELIABLE_RELIABILITY_QOS;
  topic_qos.durability.kind = ZORVEX::TRANSIENT_LOCAL_DURABILITY_QOS;
  ZORVEX::Topic* topic = participant_->create_topic("Logged", "Reading", topic_qos, nullptr, 0);
  ASSERT_NE(topic, nullptr);
  ZORVEX::TopicQos from_core;
  ASSERT_EQ(topic->get_qos(from_core), ZORVEX::RETCODE_OK);
  CTopicQos c_topic_qos;
  DDSTypeConvert::convert(static_cast<const ZORVEX::TopicQos&>(from_core), *c_topic_qos);

  CReaderQos qos;
  ASSERT_EQ(DDS_Subscriber_get_default_datareader_qos(subscriber_, qos.get()), DDS_RETCODE_OK);
  bytes(qos->user_data.value) = {9};
  ASSERT_EQ(DDS_Subscriber_copy_from_topic_qos(subscriber_, qos.get(), c_topic_qos.get()), DDS_RETCODE_OK);
  EXPECT_EQ(qos->history.kind, DDS_KEEP_ALL_HISTORY_QOS);
  EXPECT_EQ(bytes(qos->user_data.value), std::vector<unsigned char>{9});

  DDS_DataReader* r = DDS_Subscriber_create_datareader(
      subscriber_, c_handle_of<DDS_TopicDescription>(static_cast<ZORVEX::TopicDescription*>(topic)), qos.get(),
      nullptr, 0);
  ASSERT_NE(r, nullptr);
  CReaderQos of_reader;
  ASSERT_EQ(DDS_DataReader_get_qos(r, of_reader.get()), DDS_RETCODE_OK);
  EXPECT_EQ(of_reader->history.kind, DDS_KEEP_ALL_HISTORY_QOS);
  EXPECT_EQ(of_reader->reliability.kind, DDS_RELIABLE_RELIABILITY_QOS);
  EXPECT_EQ(of_reader->durability.kind, DDS_TRANSIENT_LOCAL_DURABILITY_QOS);
  EXPECT_EQ(bytes(of_reader->user_data.value), std::vector<unsigned char>{9});
}

}  // namespace
