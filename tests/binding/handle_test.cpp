// Instance handles crossing in both directions, handle-pointer arguments,
// times, and the entity casts and DDS_Entity_ functions over core doubles.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "binding/handles.h"
#include "c_records.h"
#include "core_doubles.h"

namespace {

using quillmarc::HandleArgument;
using quillmarc::to_c;
using quillmarc::to_core;
using ::testing::_;
using ::testing::Return;
using ::testing::ReturnRef;

bool value_is(const unsigned char (&value)[16], unsigned char fill) {
  for (unsigned char b : value)
    if (b != fill) return false;
  return true;
}

struct CToCoreCase {
  unsigned char valid;
  int32_t core_valid;
  unsigned char core_fill;
};

class CToCore : public ::testing::TestWithParam<CToCoreCase> {};

TEST_P(CToCore, ValidIsSignExtendedAndValueCopiedOnlyWhenValid) {
  const CToCoreCase c = GetParam();
  const ZORVEX::InstanceHandle_t h = to_core(c_handle(0x3C, static_cast<DDS_Boolean>(c.valid)));
  EXPECT_EQ(h.valid, c.core_valid);
  EXPECT_EQ(h.length, 16u);
  EXPECT_TRUE(value_is(h.value, c.core_fill));
}

INSTANTIATE_TEST_SUITE_P(Rule, CToCore,
                         ::testing::Values(CToCoreCase{0, 0, 0}, CToCoreCase{1, 1, 0x3C},
                                           CToCoreCase{0xFF, -1, 0x3C}, CToCoreCase{0x80, -128, 0x3C}));

TEST(CoreToC, InvalidHandleKeepsTheRecordsValueBytes) {
  ZORVEX::InstanceHandle_t core;
  std::memset(core.value, 0x77, sizeof core.value);
  DDS_InstanceHandle_t c = c_handle(0x11, 1);

  core.valid = 0;
  to_c(core, c);
  EXPECT_EQ(c.valid, 0);
  EXPECT_TRUE(value_is(c.value, 0x11));

  core.valid = 0x100;  // valid, though its low byte is 0
  to_c(core, c);
  EXPECT_EQ(c.valid, 0);
  EXPECT_TRUE(value_is(c.value, 0x77));

  core.valid = -1;
  const DDS_InstanceHandle_t returned = to_c(core);
  EXPECT_EQ(returned.valid, -1);
  EXPECT_TRUE(value_is(returned.value, 0x77));
  core.valid = 0;
  EXPECT_TRUE(value_is(to_c(core).value, 0));
}

TEST(CoreToC, TimesAndDurationsAreCopiedBitForBit) {
  const DDS_Time_t t{-5, 1500000000u};
  const ZORVEX::Time_t core = to_core(t);
  EXPECT_EQ(core.sec, -5);
  EXPECT_EQ(core.nanosec, 1500000000u);
  DDS_Duration_t back{};
  to_c(ZORVEX::Duration_t{-1, 0xffffffffu}, back);
  EXPECT_EQ(back.sec, -1);
  EXPECT_EQ(back.nanosec, 0xffffffffu);
}

// What a writer double receives for each handle pointer.
class HandlePointer : public ::testing::Test {
 protected:
  const ZORVEX::InstanceHandle_t& written(const DDS_InstanceHandle_t* handle) {
    EXPECT_CALL(writer_, write(&sample_, _)).WillOnce([this](const void*, const ZORVEX::InstanceHandle_t& h) {
      received_ = &h;
      copy_ = h;
      return ZORVEX::RETCODE_OK;
    });
    writer_.write(&sample_, HandleArgument(handle));
    return copy_;
  }
  doubles::Writer writer_;
  int sample_ = 0;
  const ZORVEX::InstanceHandle_t* received_ = nullptr;
  ZORVEX::InstanceHandle_t copy_;
};

TEST_F(HandlePointer, NullAndNilBothPassAnInvalidHandleTheNilOneItself) {
  EXPECT_EQ(written(nullptr), ZORVEX::HANDLE_NIL);
  EXPECT_NE(received_, &quillmarc::nil_core_handle);

  EXPECT_EQ(written(&DDS_HANDLE_NIL), ZORVEX::HANDLE_NIL);
  EXPECT_EQ(received_, &quillmarc::nil_core_handle);

  const DDS_InstanceHandle_t nil_copy = DDS_HANDLE_NIL;
  EXPECT_EQ(written(&nil_copy), ZORVEX::HANDLE_NIL);
  EXPECT_NE(received_, &quillmarc::nil_core_handle);
}

TEST_F(HandlePointer, OtherHandlesFollowTheCToCoreRule) {
  const DDS_InstanceHandle_t invalid = c_handle(0x42, 0);
  EXPECT_EQ(written(&invalid), ZORVEX::HANDLE_NIL);

  const DDS_InstanceHandle_t valid = c_handle(0x42, 2);
  const ZORVEX::InstanceHandle_t& h = written(&valid);
  EXPECT_EQ(h.valid, 2);
  EXPECT_EQ(h.length, 16u);
  EXPECT_TRUE(value_is(h.value, 0x42));
}

TEST(EntityCasts, NullStaysNullAndOthersReachTheEntityPart) {
  EXPECT_EQ(DDS_DomainParticipant_as_entity(nullptr), nullptr);
  EXPECT_EQ(DDS_Publisher_as_entity(nullptr), nullptr);
  EXPECT_EQ(DDS_Subscriber_as_entity(nullptr), nullptr);
  EXPECT_EQ(DDS_Topic_as_entity(nullptr), nullptr);
  EXPECT_EQ(DDS_Topic_as_topicdescription(nullptr), nullptr);

  doubles::Participant participant;
  doubles::Publisher publisher;
  doubles::Subscriber subscriber;
  doubles::Topic topic;
  auto entity_of = [](ZORVEX::Entity& e) { return reinterpret_cast<DDS_Entity*>(&e); };
  EXPECT_EQ(DDS_DomainParticipant_as_entity(quillmarc::handle<ZORVEX::DomainParticipant>(&participant)),
            entity_of(participant));
  EXPECT_EQ(DDS_Publisher_as_entity(quillmarc::handle<ZORVEX::Publisher>(&publisher)), entity_of(publisher));
  EXPECT_EQ(DDS_Subscriber_as_entity(quillmarc::handle<ZORVEX::Subscriber>(&subscriber)), entity_of(subscriber));

  DDS_Topic* t = quillmarc::handle<ZORVEX::Topic>(&topic);
  EXPECT_EQ(DDS_Topic_as_entity(t), reinterpret_cast<DDS_Entity*>(t));
  EXPECT_EQ(DDS_Topic_as_entity(t), entity_of(topic));
  EXPECT_EQ(DDS_Topic_as_topicdescription(t),
            reinterpret_cast<DDS_TopicDescription*>(static_cast<ZORVEX::TopicDescription*>(&topic)));
}

TEST(EntityFunctions, AnswerWhatTheCoreEntityAnswers) {
  doubles::Publisher publisher;
  DDS_Entity* entity = DDS_Publisher_as_entity(quillmarc::handle<ZORVEX::Publisher>(&publisher));

  const ZORVEX::StatusMask changes = 0x80001234u;
  EXPECT_CALL(publisher, get_status_changes()).WillOnce(ReturnRef(changes));
  EXPECT_EQ(DDS_Entity_get_status_changes(entity), 0x80001234u);

  auto* condition = reinterpret_cast<ZORVEX::StatusCondition*>(0x5000);
  EXPECT_CALL(publisher, get_statuscondition()).WillOnce(Return(condition));
  EXPECT_EQ(DDS_Entity_get_statuscondition(entity), reinterpret_cast<DDS_StatusCondition*>(condition));
}

TEST(EntityFunctions, InstanceHandleIsCopiedAsTheCoreCopiesIt) {
  doubles::Topic topic;
  ZORVEX::InstanceHandle_t own;
  std::memset(own.value, 0x11, sizeof own.value);
  own.length = 4;  // the core's copy keeps only the first four bytes
  own.valid = 1;
  EXPECT_CALL(topic, get_instance_handle()).WillRepeatedly(ReturnRef(own));
  DDS_Entity* entity = DDS_Topic_as_entity(quillmarc::handle<ZORVEX::Topic>(&topic));

  DDS_InstanceHandle_t h = DDS_Entity_get_instance_handle(entity);
  EXPECT_EQ(h.valid, 1);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(h.value[i], i < 4 ? 0x11 : 0) << i;

  own.valid = 0;
  h = DDS_Entity_get_instance_handle(entity);
  EXPECT_EQ(h.valid, 0);
  EXPECT_TRUE(value_is(h.value, 0));
}

TEST(EntityFunctions, EnableCallsTheEntityPartAndReturnsItsCode) {
  doubles::Participant participant;
  doubles::Publisher publisher;
  doubles::Subscriber subscriber;
  EXPECT_CALL(participant, enable()).WillOnce(Return(ZORVEX::RETCODE_NOT_ENABLED));
  EXPECT_CALL(publisher, enable()).WillOnce(Return(ZORVEX::RETCODE_OK));
  EXPECT_CALL(subscriber, enable()).WillOnce(Return(ZORVEX::RETCODE_ALREADY_DELETED));
  EXPECT_EQ(DDS_DomainParticipant_enable(quillmarc::handle<ZORVEX::DomainParticipant>(&participant)),
            DDS_RETCODE_NOT_ENABLED);
  EXPECT_EQ(DDS_Publisher_enable(quillmarc::handle<ZORVEX::Publisher>(&publisher)), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Subscriber_enable(quillmarc::handle<ZORVEX::Subscriber>(&subscriber)), DDS_RETCODE_ALREADY_DELETED);
}

}  // namespace
