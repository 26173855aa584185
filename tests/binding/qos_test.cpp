// QoS records: the defaults _initialize writes, the kind table in both
// directions, booleans, sequence replacement, and every member of every
// record converted both ways.
#include <gtest/gtest.h>

#include <functional>

#include "binding/dds_type_convert.h"
#include "c_records.h"
#include "record_walk.h"

namespace {

using DDSTypeConvert::convert;

void expect_duration(const DDS_Duration_t& d, DDS_Long sec, DDS_ULong nanosec) {
  EXPECT_EQ(d.sec, sec);
  EXPECT_EQ(d.nanosec, nanosec);
}

// The members the topic, writer and reader records share.
template <class Q>
void expect_entity_defaults(const Q& q, DDS_ReliabilityQosPolicyKind reliability) {
  EXPECT_EQ(q.durability.kind, DDS_VOLATILE_DURABILITY_QOS);
  expect_duration(q.deadline.period, 0, 0);
  expect_duration(q.latency_budget.duration, 0, 0);
  EXPECT_EQ(q.liveliness.kind, DDS_AUTOMATIC_LIVELINESS_QOS);
  expect_duration(q.liveliness.lease_duration, 0, 0);
  EXPECT_EQ(q.reliability.kind, reliability);
  expect_duration(q.reliability.max_blocking_time, 0, 100000000u);
  EXPECT_EQ(q.destination_order.kind, DDS_BY_RECEPTION_TIMESTAMP_DESTINATIONORDER_QOS);
  EXPECT_EQ(q.history.kind, DDS_KEEP_LAST_HISTORY_QOS);
  EXPECT_EQ(q.history.depth, 1);
  EXPECT_EQ(q.resource_limits.max_samples, -1);
  EXPECT_EQ(q.resource_limits.max_instances, -1);
  EXPECT_EQ(q.resource_limits.max_samples_per_instance, -1);
  EXPECT_EQ(q.ownership.kind, DDS_SHARED_OWNERSHIP_QOS);
}

template <class Q>
void expect_topic_and_writer_defaults(const Q& q) {
  expect_duration(q.durability_service.service_cleanup_delay, 0, 0);
  EXPECT_EQ(q.durability_service.history_kind, DDS_KEEP_LAST_HISTORY_QOS);
  EXPECT_EQ(q.durability_service.history_depth, 1);
  EXPECT_EQ(q.durability_service.max_samples, -1);
  EXPECT_EQ(q.durability_service.max_instances, -1);
  EXPECT_EQ(q.durability_service.max_samples_per_instance, -1);
  EXPECT_EQ(q.transport_priority.value, 0);
  expect_duration(q.lifespan.duration, 0, 0);
}

TEST(QosInitialize, EntityRecordsGetTheDefaultsTable) {
  CTopicQos topic;
  expect_entity_defaults(*topic, DDS_BEST_EFFORT_RELIABILITY_QOS);
  expect_topic_and_writer_defaults(*topic);
  EXPECT_TRUE(bytes(topic->topic_data.value).empty());

  CWriterQos writer;
  expect_entity_defaults(*writer, DDS_RELIABLE_RELIABILITY_QOS);
  expect_topic_and_writer_defaults(*writer);
  EXPECT_TRUE(bytes(writer->user_data.value).empty());
  EXPECT_EQ(writer->ownership_strength.value, 0);
  EXPECT_EQ(writer->writer_data_lifecycle.autodispose_unregistered_instances, 1);

  CReaderQos reader;
  expect_entity_defaults(*reader, DDS_BEST_EFFORT_RELIABILITY_QOS);
  EXPECT_TRUE(bytes(reader->user_data.value).empty());
  expect_duration(reader->time_based_filter.minimum_separation, 0, 0);
  expect_duration(reader->reader_data_lifecycle.autopurge_nowriter_samples_delay, DDS_DURATION_INFINITE_SEC,
                  DDS_DURATION_INFINITE_NSEC);
  expect_duration(reader->reader_data_lifecycle.autopurge_disposed_samples_delay, DDS_DURATION_INFINITE_SEC,
                  DDS_DURATION_INFINITE_NSEC);
}

TEST(QosInitialize, GroupRecordsGetTheDefaultsTable) {
  CParticipantQos participant;
  EXPECT_EQ(participant->entity_factory.autoenable_created_entities, 1);
  EXPECT_TRUE(bytes(participant->user_data.value).empty());

  CPublisherQos publisher;
  CSubscriberQos subscriber;
  for (DDS_PublisherQos* q : {publisher.get(), reinterpret_cast<DDS_PublisherQos*>(subscriber.get())}) {
    EXPECT_EQ(q->presentation.access_scope, DDS_INSTANCE_PRESENTATION_QOS);
    EXPECT_EQ(q->presentation.coherent_access, 0);
    EXPECT_EQ(q->presentation.ordered_access, 0);
    EXPECT_TRUE(names(q->partition.name).empty());
    EXPECT_TRUE(bytes(q->group_data.value).empty());
    EXPECT_EQ(q->entity_factory.autoenable_created_entities, 1);
  }
}

TEST(QosFinalize, ReleasesTheSequencesSoTheRecordCanBeInitialisedAgain) {
  CWriterQos writer;
  bytes(writer->user_data.value).assign(1000, 7);
  DDS_DataWriterQos_finalize(writer.get());
  DDS_DataWriterQos_initialize(writer.get());  // the leak checker sees the first vector go
  EXPECT_TRUE(bytes(writer->user_data.value).empty());
}

// One kind member of one record: C value -> core value and back, each
// through a fresh pair of records whose target member starts at `before`.
struct KindRow {
  const char* name;
  int count, first;
  std::function<int(int c, int core_before)> to_core;
  std::function<int(int core, int c_before)> to_c;
};

#define KIND_ROW(CRec, CoreRec, path, count, first)                          \
  KindRow{#CRec "_" #count "_" #first, count, first,                          \
          [](int c, int before) {                                             \
            CRec q;                                                           \
            CoreRec k;                                                        \
            q->path = static_cast<decltype(q->path)>(c);                      \
            k.path = static_cast<decltype(k.path)>(before);                   \
            convert(*q, k);                                                   \
            return static_cast<int>(k.path);                                  \
          },                                                                  \
          [](int core, int before) {                                          \
            CRec q;                                                           \
            CoreRec k;                                                        \
            k.path = static_cast<decltype(k.path)>(core);                     \
            q->path = static_cast<decltype(q->path)>(before);                 \
            convert(k, *q);                                                   \
            return static_cast<int>(q->path);                                 \
          }}

class KindTable : public ::testing::TestWithParam<KindRow> {};

TEST_P(KindTable, MapsTheTableAndLeavesOtherValuesAlone) {
  const KindRow& row = GetParam();
  const int core_kept = row.first + row.count - 1, c_kept = row.count - 1;
  for (int c = 0; c < row.count; ++c) {
    EXPECT_EQ(row.to_core(c, 200), row.first + c) << c;
    EXPECT_EQ(row.to_c(row.first + c, 50), c) << c;
  }
  for (int c : {row.count, 7, -1, 0x100, 0x101})
    EXPECT_EQ(row.to_core(c, core_kept), core_kept) << "C value " << c;
  for (int core : {row.first - 1, row.first + row.count, 9, 255})
    if (core >= 0) {
      EXPECT_EQ(row.to_c(core, c_kept), c_kept) << "core value " << core;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Members, KindTable,
    ::testing::Values(KIND_ROW(CTopicQos, ZORVEX::TopicQos, durability.kind, 4, 0),
                      KIND_ROW(CTopicQos, ZORVEX::TopicQos, durability_service.history_kind, 2, 0),
                      KIND_ROW(CTopicQos, ZORVEX::TopicQos, liveliness.kind, 3, 0),
                      KIND_ROW(CTopicQos, ZORVEX::TopicQos, reliability.kind, 2, 1),
                      KIND_ROW(CTopicQos, ZORVEX::TopicQos, destination_order.kind, 2, 0),
                      KIND_ROW(CTopicQos, ZORVEX::TopicQos, history.kind, 2, 0),
                      KIND_ROW(CTopicQos, ZORVEX::TopicQos, ownership.kind, 2, 0),
                      KIND_ROW(CPublisherQos, ZORVEX::PublisherQos, presentation.access_scope, 3, 0),
                      KIND_ROW(CWriterQos, ZORVEX::DataWriterQos, reliability.kind, 2, 1),
                      KIND_ROW(CReaderQos, ZORVEX::DataReaderQos, reliability.kind, 2, 1),
                      KIND_ROW(CPublicationData, ZORVEX::PublicationBuiltinTopicData, reliability.kind, 2, 1),
                      KIND_ROW(CSubscriptionData, ZORVEX::SubscriptionBuiltinTopicData,
                               presentation.access_scope, 3, 0)),
    [](const ::testing::TestParamInfo<KindRow>& info) {
      return std::string(info.param.name) + "_" + std::to_string(info.index);
    });

TEST(QosConvert, ReliabilityIsNumberedOneAndTwoInTheCore) {
  CTopicQos topic;
  ZORVEX::TopicQos core;
  convert(*topic, core);
  EXPECT_EQ(core.reliability.kind, ZORVEX::BEST_EFFORT_RELIABILITY_QOS);

  ZORVEX::DataWriterQos writer;  // reliable by the core's default
  CWriterQos c;
  c->reliability.kind = DDS_BEST_EFFORT_RELIABILITY_QOS;
  convert(writer, *c);
  EXPECT_EQ(c->reliability.kind, DDS_RELIABLE_RELIABILITY_QOS);
}

TEST(QosConvert, BooleansAreNormalisedInAndCopiedOut) {
  CPublisherQos c;
  c->presentation.coherent_access = static_cast<DDS_Boolean>(0x80);
  c->presentation.ordered_access = 5;
  c->entity_factory.autoenable_created_entities = 0;
  ZORVEX::PublisherQos core;
  convert(*c, core);
  EXPECT_EQ(byte_of(core.presentation.coherent_access), 1);
  EXPECT_EQ(byte_of(core.presentation.ordered_access), 1);
  EXPECT_EQ(byte_of(core.entity_factory.autoenable_created_entities), 0);

  set_byte(core.presentation.ordered_access, 0x02);
  convert(core, *c);
  EXPECT_EQ(c->presentation.ordered_access, 2);
  EXPECT_EQ(c->presentation.coherent_access, 1);
}

TEST(QosConvert, SequencesReplaceTheTargetsContent) {
  CParticipantQos c;
  bytes(c->user_data.value) = {1, 2};
  ZORVEX::DomainParticipantQos core;
  core.user_data.value = {9, 9, 9, 9, 9};
  convert(*c, core);
  EXPECT_EQ(core.user_data.value, (std::vector<unsigned char>{1, 2}));

  bytes(c->user_data.value).assign(5, 7);
  core.user_data.value = {3, 4};
  convert(core, *c);
  EXPECT_EQ(bytes(c->user_data.value), (std::vector<unsigned char>{3, 4}));

  CPublisherQos publisher;
  ZORVEX::PublisherQos with_names;
  with_names.partition.name = {"alpha", "beta"};
  convert(with_names, *publisher);
  convert(with_names, *publisher);
  EXPECT_EQ(names(publisher->partition.name), (std::vector<std::string>{"alpha", "beta"}));

  with_names.partition.name = {"stale"};
  set_names(publisher->partition.name, {"gamma"});
  convert(*publisher, with_names);
  EXPECT_EQ(with_names.partition.name, (std::vector<std::string>{"gamma"}));

  with_names.partition.name.clear();
  convert(with_names, *publisher);
  EXPECT_TRUE(names(publisher->partition.name).empty());
}

TEST(QosConvert, FactoryQosCarriesItsOneBoolean) {
  DDS_DomainParticipantFactoryQos c{{static_cast<DDS_Boolean>(0xF0)}};
  ZORVEX::DomainParticipantFactoryQos core;
  set_byte(core.entity_factory.autoenable_created_entities, 0);
  convert(c, core);
  EXPECT_EQ(byte_of(core.entity_factory.autoenable_created_entities), 1);
  set_byte(core.entity_factory.autoenable_created_entities, 0);
  convert(core, c);
  EXPECT_EQ(c.entity_factory.autoenable_created_entities, 0);
}

// Every member changed, carried to the core and back into a fresh record.
template <class CRec, class CoreRec>
void expect_round_trip() {
  CRec original, back;
  walk::vary_all(*original);
  int leaves = 0;
  walk::record(*original, *back, [&leaves](auto&, auto&) { ++leaves; });
  ASSERT_EQ(walk::differences(*original, *back), leaves);
  CoreRec core;
  convert(*original, core);
  convert(core, *back);
  EXPECT_EQ(walk::differences(*original, *back), 0);
}

TEST(QosConvert, EveryMemberOfEveryRecordGoesBothWays) {
  expect_round_trip<CParticipantQos, ZORVEX::DomainParticipantQos>();
  expect_round_trip<CPublisherQos, ZORVEX::PublisherQos>();
  expect_round_trip<CSubscriberQos, ZORVEX::SubscriberQos>();
  expect_round_trip<CTopicQos, ZORVEX::TopicQos>();
  expect_round_trip<CWriterQos, ZORVEX::DataWriterQos>();
  expect_round_trip<CReaderQos, ZORVEX::DataReaderQos>();
  expect_round_trip<CParticipantData, ZORVEX::ParticipantBuiltinTopicData>();
  expect_round_trip<CTopicData, ZORVEX::TopicBuiltinTopicData>();
  expect_round_trip<CPublicationData, ZORVEX::PublicationBuiltinTopicData>();
  expect_round_trip<CSubscriptionData, ZORVEX::SubscriptionBuiltinTopicData>();
}

}  // namespace
