// The C layouts that programs compile against: sizes, alignments and member
// offsets of the handle, sample information, QoS and listener records.
#include <gtest/gtest.h>

#include <cstddef>

#include "quillmarc/dds_c.h"

namespace {

TEST(Layout, InstanceHandleIsSeventeenOctets) {
  EXPECT_EQ(sizeof(DDS_InstanceHandle_t), 17u);
  EXPECT_EQ(alignof(DDS_InstanceHandle_t), 1u);
  EXPECT_EQ(offsetof(DDS_InstanceHandle_t, valid), 16u);
  EXPECT_EQ(sizeof(DDS_Duration_t), 8u);
  EXPECT_EQ(sizeof(DDS_Time_t), 8u);
  EXPECT_EQ(sizeof(DDS_ReliabilityQosPolicyKind), 4u);
}

TEST(Layout, SampleInfoKeepsItsReservedWords) {
  EXPECT_EQ(sizeof(DDS_SampleInfo), 92u);
  EXPECT_EQ(alignof(DDS_SampleInfo), 4u);
  EXPECT_EQ(offsetof(DDS_SampleInfo, source_timestamp), 12u);
  EXPECT_EQ(offsetof(DDS_SampleInfo, instance_handle), 20u);
  EXPECT_EQ(offsetof(DDS_SampleInfo, publication_handle), 37u);
  EXPECT_EQ(offsetof(DDS_SampleInfo, reserved_0), 56u);
  EXPECT_EQ(offsetof(DDS_SampleInfo, disposed_generation_count), 60u);
  EXPECT_EQ(offsetof(DDS_SampleInfo, absolute_generation_rank), 76u);
  EXPECT_EQ(offsetof(DDS_SampleInfo, reserved_1), 80u);
  EXPECT_EQ(offsetof(DDS_SampleInfo, reserved_2), 84u);
  EXPECT_EQ(offsetof(DDS_SampleInfo, valid_data), 88u);
}

TEST(Layout, QosRecordsInDeclaredOrderWithNaturalAlignment) {
  EXPECT_EQ(sizeof(DDS_DomainParticipantFactoryQos), 1u);
  EXPECT_EQ(sizeof(DDS_DomainParticipantQos), 16u);
  EXPECT_EQ(offsetof(DDS_DomainParticipantQos, entity_factory), 8u);

  EXPECT_EQ(sizeof(DDS_PresentationQosPolicy), 8u);
  EXPECT_EQ(sizeof(DDS_PublisherQos), 32u);
  EXPECT_EQ(offsetof(DDS_PublisherQos, partition), 8u);
  EXPECT_EQ(offsetof(DDS_PublisherQos, group_data), 16u);
  EXPECT_EQ(offsetof(DDS_PublisherQos, entity_factory), 24u);
  EXPECT_EQ(sizeof(DDS_SubscriberQos), sizeof(DDS_PublisherQos));

  EXPECT_EQ(sizeof(DDS_DurabilityServiceQosPolicy), 28u);
  EXPECT_EQ(sizeof(DDS_TopicQos), 120u);
  EXPECT_EQ(offsetof(DDS_TopicQos, durability), 8u);
  EXPECT_EQ(offsetof(DDS_TopicQos, durability_service), 12u);
  EXPECT_EQ(offsetof(DDS_TopicQos, deadline), 40u);
  EXPECT_EQ(offsetof(DDS_TopicQos, reliability), 68u);
  EXPECT_EQ(offsetof(DDS_TopicQos, history), 84u);
  EXPECT_EQ(offsetof(DDS_TopicQos, ownership), 116u);

  EXPECT_EQ(sizeof(DDS_DataWriterQos), 136u);
  EXPECT_EQ(offsetof(DDS_DataWriterQos, reliability), 60u);
  EXPECT_EQ(offsetof(DDS_DataWriterQos, user_data), 112u);
  EXPECT_EQ(offsetof(DDS_DataWriterQos, ownership_strength), 124u);
  EXPECT_EQ(offsetof(DDS_DataWriterQos, writer_data_lifecycle), 128u);

  EXPECT_EQ(sizeof(DDS_DataReaderQos), 112u);
  EXPECT_EQ(offsetof(DDS_DataReaderQos, user_data), 72u);
  EXPECT_EQ(offsetof(DDS_DataReaderQos, time_based_filter), 84u);
  EXPECT_EQ(offsetof(DDS_DataReaderQos, reader_data_lifecycle), 92u);
}

TEST(Layout, ListenerRecordsArePointerFieldsInOrder) {
  constexpr size_t p = sizeof(void*);
  EXPECT_EQ(sizeof(DDS_DataReaderListener), 8 * p);
  EXPECT_EQ(offsetof(DDS_DataReaderListener, on_requested_deadline_missed), 1 * p);
  EXPECT_EQ(offsetof(DDS_DataReaderListener, on_data_available), 6 * p);
  EXPECT_EQ(offsetof(DDS_DataReaderListener, on_subscription_matched), 7 * p);
  EXPECT_EQ(sizeof(DDS_SubscriberListener), 9 * p);
  EXPECT_EQ(offsetof(DDS_SubscriberListener, on_data_on_readers), 8 * p);
  EXPECT_EQ(sizeof(DDS_DataWriterListener), 5 * p);
  EXPECT_EQ(offsetof(DDS_DataWriterListener, on_publication_matched), 4 * p);
  EXPECT_EQ(sizeof(DDS_TopicListener), 2 * p);
}

TEST(Layout, StatusAndBuiltinRecords) {
  EXPECT_EQ(sizeof(DDS_SampleRejectedStatus), 32u);
  EXPECT_EQ(offsetof(DDS_SampleRejectedStatus, last_instance_handle), 12u);
  EXPECT_EQ(sizeof(DDS_OfferedIncompatibleQosStatus), 12u);
  EXPECT_EQ(sizeof(DDS_SubscriptionMatchedStatus), 36u);
  EXPECT_EQ(sizeof(DDS_BuiltinTopicKey_t), 12u);
  EXPECT_EQ(offsetof(DDS_TopicBuiltinTopicData, name), 16u);
  EXPECT_EQ(offsetof(DDS_PublicationBuiltinTopicData, topic_name), 24u);
}

}  // namespace
