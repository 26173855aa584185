// The condition, data reader, instance handle and sample information
// sequences: the shared sequence suite, and what their elements add.
#include <gtest/gtest.h>

#include <cstring>

#include "quillmarc/dds_c.h"
#include "support/sequence_suite.h"

namespace {

SEQUENCE_TRAITS(Condition, void*, 0x0fffffffffffffff)
SEQUENCE_TRAITS(DataReader, void*, 0x0fffffffffffffff)
SEQUENCE_TRAITS(InstanceHandle_t, DDS_InstanceHandle_t, 0x0787878787878787)
SEQUENCE_TRAITS(SampleInfo, DDS_SampleInfo, 0x01642c8590b21642)

using EntitySequences =
    ::testing::Types<ConditionSequence, DataReaderSequence, InstanceHandle_tSequence, SampleInfoSequence>;
INSTANTIATE_TYPED_TEST_SUITE_P(Entity, SequenceTest, EntitySequences, SequenceNames);

TEST(InstanceHandleSequence, AnInvalidHandleKeepsItsValueBytes) {
  DDS_InstanceHandle_t h;
  std::memset(h.value, 0x5E, sizeof h.value);
  h.valid = 0;
  DDS_InstanceHandle_tSequence* q = DDS_InstanceHandle_tSequence_create();
  DDS_InstanceHandle_tSequence_push_back_value(q, h);
  DDS_InstanceHandle_tSequence_resize(q, 4);
  EXPECT_EQ(std::memcmp(DDS_InstanceHandle_tSequence_at(q, 0), &h, sizeof h), 0);
  EXPECT_EQ(DDS_InstanceHandle_tSequence_at(q, 3)->value[15], 0);
  DDS_InstanceHandle_tSequence_destroy(q);
}

TEST(SampleInfoSequence, CopiesCarryTheReservedWords) {
  DDS_SampleInfo info;
  std::memset(&info, 0, sizeof info);
  info.reserved_1 = 0xDEADBEEF;
  DDS_SampleInfoSequence* q = DDS_SampleInfoSequence_create_with_size(3);
  EXPECT_EQ(DDS_SampleInfoSequence_at(q, 2)->reserved_2, 0u);
  DDS_SampleInfoSequence_push_back_value(q, info);
  DDS_SampleInfoSequence copy(*q);
  EXPECT_EQ(copy[3].reserved_1, 0xDEADBEEFu);
  DDS_SampleInfoSequence_destroy(q);
}

}  // namespace
