// Status records, sample information and built-in topic data: handles,
// states, reserved words, names and policies.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "binding/dds_type_convert.h"
#include "c_records.h"

namespace {

using DDSTypeConvert::convert;

TEST(StatusConvert, InvalidCoreHandleLeavesTheCValueBytes) {
  ZORVEX::SampleRejectedStatus core;
  core.total_count = 3;
  core.total_count_change = -1;
  core.last_reason = ZORVEX::REJECTED_BY_SAMPLES_LIMIT;
  std::memset(core.last_instance_handle.value, 0x66, 16);
  DDS_SampleRejectedStatus c{};
  c.last_instance_handle = c_handle(0x22, 1);
  convert(core, c);
  EXPECT_EQ(c.total_count, 3);
  EXPECT_EQ(c.total_count_change, -1);
  EXPECT_EQ(c.last_reason, DDS_REJECTED_BY_SAMPLES_LIMIT);
  EXPECT_EQ(c.last_instance_handle.valid, 0);
  EXPECT_EQ(c.last_instance_handle.value[15], 0x22);

  core.last_instance_handle.valid = 1;
  convert(core, c);
  EXPECT_EQ(c.last_instance_handle.valid, 1);
  EXPECT_EQ(c.last_instance_handle.value[15], 0x66);
}

TEST(StatusConvert, CHandleFlagIsSignExtendedAndTheLengthLeftAlone) {
  DDS_PublicationMatchedStatus c{4, 1, 2, -1, c_handle(0x5A, static_cast<DDS_Boolean>(0x80))};
  ZORVEX::PublicationMatchedStatus core;
  core.last_subscription_handle.length = 9;
  convert(c, core);
  EXPECT_EQ(core.current_count, 2);
  EXPECT_EQ(core.current_count_change, -1);
  EXPECT_EQ(core.last_subscription_handle.valid, -128);
  EXPECT_EQ(core.last_subscription_handle.value[0], 0x5A);
  EXPECT_EQ(core.last_subscription_handle.length, 9u);

  c.last_subscription_handle = c_handle(0x01, 0);
  convert(c, core);
  EXPECT_EQ(core.last_subscription_handle.valid, 0);
  EXPECT_EQ(core.last_subscription_handle.value[0], 0x5A);  // not written for an invalid handle
}

TEST(StatusConvert, CodesAndCountsAreCopiedUnchanged) {
  ZORVEX::OfferedIncompatibleQosStatus core;
  core.total_count = 7;
  core.total_count_change = 2;
  core.last_policy_id = 99;  // no identifier the table knows
  core.policies.push_back({ZORVEX::RELIABILITY_QOS_POLICY_ID, 7});
  DDS_OfferedIncompatibleQosStatus c{};
  convert(core, c);
  EXPECT_EQ(c.total_count, 7);
  EXPECT_EQ(c.total_count_change, 2);
  EXPECT_EQ(c.last_policy_id, 99);

  DDS_LivelinessChangedStatus lc{1, 2, 3, 4, c_handle(0, 0)};
  ZORVEX::LivelinessChangedStatus core_lc;
  convert(lc, core_lc);
  DDS_LivelinessChangedStatus back{};
  convert(core_lc, back);
  // Up to the end of the last member: the tail padding holds whatever the
  // compiler left there.
  const size_t members_end = offsetof(DDS_LivelinessChangedStatus, last_publication_handle) +
                             sizeof lc.last_publication_handle;
  EXPECT_EQ(std::memcmp(&lc, &back, members_end), 0);

  DDS_SampleRejectedStatus rejected{0, 0, static_cast<DDS_SampleRejectedStatusKind>(77), c_handle(0, 0)};
  ZORVEX::SampleRejectedStatus core_rejected;
  convert(rejected, core_rejected);
  EXPECT_EQ(static_cast<int>(core_rejected.last_reason), 77);
}

DDS_SampleInfo patterned_info() {
  DDS_SampleInfo c;
  std::memset(&c, 0xC3, sizeof c);
  return c;
}

TEST(SampleInfoConvert, CoreToCWidensStatesAndKeepsReservedWords) {
  ZORVEX::SampleInfo core;
  core.instance_state = ZORVEX::NOT_ALIVE_NO_WRITERS_INSTANCE_STATE;
  core.sample_rank = 5;
  core.absolute_generation_rank = -2;
  core.instance_handle.valid = 1;
  std::memset(core.instance_handle.value, 0x10, 16);
  set_byte(core.valid_data, 0x03);
  DDS_SampleInfo c = patterned_info();
  convert(core, c);

  EXPECT_EQ(c.sample_state, DDS_NOT_READ_SAMPLE_STATE);
  EXPECT_EQ(c.view_state, DDS_NEW_VIEW_STATE);
  EXPECT_EQ(c.instance_state, 4u);
  EXPECT_EQ(c.source_timestamp.sec, -1);
  EXPECT_EQ(c.source_timestamp.nanosec, 4294967295u);
  EXPECT_EQ(c.instance_handle.valid, 1);
  EXPECT_EQ(c.instance_handle.value[3], 0x10);
  EXPECT_EQ(c.publication_handle.valid, 0);
  EXPECT_EQ(c.publication_handle.value[3], 0xC3);
  EXPECT_EQ(c.disposed_generation_count, 0);
  EXPECT_EQ(c.sample_rank, 5);
  EXPECT_EQ(c.absolute_generation_rank, -2);
  EXPECT_EQ(c.valid_data, 3);
  for (DDS_ULong word : {c.reserved_0, c.reserved_1, c.reserved_2}) EXPECT_EQ(word, 0xC3C3C3C3u);
}

TEST(SampleInfoConvert, CToCoreTakesTheLowSixteenBitsOfEachState) {
  DDS_SampleInfo c = patterned_info();
  c.sample_state = 0x10002;
  c.view_state = 2;
  c.instance_state = 0xFFFF0001;
  c.source_timestamp = {12, 34};
  c.valid_data = 0x10;
  c.instance_handle = c_handle(0x44, 0);
  ZORVEX::SampleInfo core;
  convert(c, core);
  EXPECT_EQ(core.sample_state, 2);
  EXPECT_EQ(core.view_state, 2);
  EXPECT_EQ(core.instance_state, 1);
  EXPECT_EQ(core.source_timestamp.sec, 12);
  EXPECT_EQ(core.source_timestamp.nanosec, 34u);
  EXPECT_EQ(byte_of(core.valid_data), 1);
  EXPECT_EQ(core.instance_handle, ZORVEX::HANDLE_NIL);
  EXPECT_EQ(core.disposed_generation_count, static_cast<int32_t>(0xC3C3C3C3));
}

TEST(BuiltinConvert, PolicyKindsAndBooleansFollowTheTable) {
  ZORVEX::PublicationBuiltinTopicData core;  // reliable by default
  core.durability.kind = static_cast<ZORVEX::DurabilityQosPolicyKind>(9);
  CPublicationData c;
  c->durability.kind = DDS_PERSISTENT_DURABILITY_QOS;
  convert(core, *c);
  EXPECT_EQ(c->reliability.kind, DDS_RELIABLE_RELIABILITY_QOS);
  EXPECT_EQ(c->durability.kind, DDS_PERSISTENT_DURABILITY_QOS);

  CSubscriptionData s;
  s->presentation.ordered_access = 5;
  ZORVEX::SubscriptionBuiltinTopicData core_s;
  convert(*s, core_s);
  EXPECT_EQ(byte_of(core_s.presentation.ordered_access), 1);
}

TEST(BuiltinConvert, NamesAreAssignedIntoTheExistingStrings) {
  ZORVEX::TopicBuiltinTopicData core;
  core.name = "Temperature";
  core.type_name = "Reading";
  core.key.value[2] = -5;
  core.durability_service.service_cleanup_delay = {3, 4};
  core.history.depth = 12;
  CTopicData c;
  void* inner = DDSCString_inner(&c->name);
  convert(core, *c);
  EXPECT_STREQ(DDSCString_c_str(&c->name), "Temperature");
  EXPECT_STREQ(DDSCString_c_str(&c->type_name), "Reading");
  EXPECT_EQ(DDSCString_inner(&c->name), inner);
  EXPECT_EQ(c->key.value[2], -5);
  EXPECT_EQ(c->durability_service.service_cleanup_delay.sec, 3);
  EXPECT_EQ(c->history.depth, 12);

  ZORVEX::TopicBuiltinTopicData back;
  back.name = "old name, longer than the new one";
  convert(*c, back);
  EXPECT_EQ(back.name, "Temperature");
}

TEST(BuiltinConvert, PartitionNamesAreReplaced) {
  ZORVEX::SubscriptionBuiltinTopicData core;
  core.partition.name = {"east", "west"};
  CSubscriptionData c;
  set_names(c->partition.name, {"old-1", "old-2", "old-3"});
  convert(core, *c);
  EXPECT_EQ(names(c->partition.name), core.partition.name);
}

}  // namespace
