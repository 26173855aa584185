// Instance-handle pointers of every writer operation that takes one, as the
// core double receives them.
//
// DDS_HANDLE_NIL has one copy per unit, and the writer recognises the copy of
// its own unit. The writer's unit is compiled into this one so that the nil
// handle passed here is that copy; the program's other tests use the library.
#include "binding/dds_datawriter.cpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "binding/c_records.h"
#include "publication_doubles.h"

namespace {

using doubles::value_is;
using doubles::WriterDouble;
using ::testing::_;

// What one call delivered to the core.
struct Received {
  const ZORVEX::InstanceHandle_t* address = nullptr;
  ZORVEX::InstanceHandle_t handle;
  const void* sample = nullptr;
  bool timed = false;
  ZORVEX::Time_t time{};
};

const int sample = 5;
int key_holder = 0;
// Read bit for bit: negative seconds, nanoseconds past a second.
const DDS_Time_t stamp{-7, 1000000001u};

// The double's answer for one operation, with what it received.
template <class... Rest>
auto answer(Received& r, ZORVEX::ReturnCode_t rc) {
  return [&r, rc](const void* s, const ZORVEX::InstanceHandle_t& h, const Rest&... time) {
    r.sample = s;
    r.address = &h;
    r.handle = h;
    ((r.timed = true, r.time = time), ...);
    return rc;
  };
}

struct Operation {
  const char* name;
  // Calls the C function; the double answers `rc`.
  std::function<DDS_ReturnCode_t(WriterDouble&, DDS_DataWriter*, const DDS_InstanceHandle_t*, Received&,
                                 ZORVEX::ReturnCode_t)>
      run;
  bool timed;
  const void* sample;  // what the core must receive
};
void PrintTo(const Operation& op, std::ostream* os) { *os << op.name; }

#define QUILLMARC_UNTIMED(op, sample_arg)                                                                 \
  Operation{#op,                                                                                          \
            [](WriterDouble& d, DDS_DataWriter* w, const DDS_InstanceHandle_t* h, Received& r,            \
               ZORVEX::ReturnCode_t rc) {                                                                 \
              EXPECT_CALL(d, op(_, _)).WillOnce(answer<>(r, rc));                                         \
              return DDS_DataWriter_##op(w, sample_arg, h);                                               \
            },                                                                                            \
            false, sample_arg}
#define QUILLMARC_TIMED(op)                                                                               \
  Operation{#op,                                                                                          \
            [](WriterDouble& d, DDS_DataWriter* w, const DDS_InstanceHandle_t* h, Received& r,            \
               ZORVEX::ReturnCode_t rc) {                                                                 \
              EXPECT_CALL(d, op(_, _, _)).WillOnce(answer<ZORVEX::Time_t>(r, rc));                        \
              return DDS_DataWriter_##op(w, &sample, h, &stamp);                                          \
            },                                                                                            \
            true, &sample}

const Operation operations[] = {
    QUILLMARC_UNTIMED(write, &sample),
    QUILLMARC_TIMED(write_w_timestamp),
    QUILLMARC_UNTIMED(dispose, &sample),
    QUILLMARC_TIMED(dispose_w_timestamp),
    QUILLMARC_UNTIMED(unregister_instance, &sample),
    QUILLMARC_TIMED(unregister_instance_w_timestamp),
    QUILLMARC_UNTIMED(get_key_value, &key_holder),
    Operation{"get_matched_subscription_data",
              [](WriterDouble& d, DDS_DataWriter* w, const DDS_InstanceHandle_t* h, Received& r,
                 ZORVEX::ReturnCode_t rc) {
                EXPECT_CALL(d, get_matched_subscription_data(_, _))
                    .WillOnce([&r, rc](ZORVEX::SubscriptionBuiltinTopicData& data, const ZORVEX::InstanceHandle_t& h) {
                      r.address = &h;
                      r.handle = h;
                      data.topic_name = "matched";
                      return rc;
                    });
                CSubscriptionData data;
                const DDS_ReturnCode_t code = DDS_DataWriter_get_matched_subscription_data(w, data.get(), h);
                EXPECT_EQ(static_cast<std::string&>(data->topic_name), "matched");  // whatever the code
                return code;
              },
              false, nullptr},
};
#undef QUILLMARC_UNTIMED
#undef QUILLMARC_TIMED

class HandleRule : public ::testing::TestWithParam<Operation> {
 protected:
  // Calls the operation with `handle` and answers what the core received.
  const Received& call(const DDS_InstanceHandle_t* handle, ZORVEX::ReturnCode_t rc = ZORVEX::RETCODE_OK) {
    received_ = Received{};
    EXPECT_EQ(GetParam().run(writer_, w_, handle, received_, rc), rc);
    return received_;
  }
  WriterDouble writer_;
  DDS_DataWriter* w_ = quillmarc::handle(static_cast<ZORVEX::DataWriter*>(&writer_));
  Received received_;
};

TEST_P(HandleRule, NullAndTheNilHandlePassAHandleThatIsNotValid) {
  const Received& null = call(nullptr);
  EXPECT_EQ(null.handle.valid, 0);
  EXPECT_EQ(null.handle.length, 16u);
  EXPECT_TRUE(value_is(null.handle.value, 0));
  EXPECT_NE(null.address, &quillmarc::nil_core_handle);

  // The library's nil handle: its own nil core handle, itself.
  const Received& nil = call(&DDS_HANDLE_NIL);
  EXPECT_EQ(nil.address, &quillmarc::nil_core_handle);
  EXPECT_EQ(nil.handle, ZORVEX::HANDLE_NIL);

  // Another copy of it is an ordinary record of the same content.
  const DDS_InstanceHandle_t copy = DDS_HANDLE_NIL;
  const Received& other = call(&copy);
  EXPECT_NE(other.address, &quillmarc::nil_core_handle);
  EXPECT_EQ(other.handle, ZORVEX::HANDLE_NIL);
}

TEST_P(HandleRule, OtherRecordsPassTheirValueOnlyWhenValidAndValidSignExtended) {
  const DDS_InstanceHandle_t invalid = c_handle(0x42, 0);
  const Received& i = call(&invalid);
  EXPECT_EQ(i.handle.valid, 0);
  EXPECT_EQ(i.handle.length, 16u);
  EXPECT_TRUE(value_is(i.handle.value, 0));

  const DDS_InstanceHandle_t all_ones = c_handle(0x42, static_cast<DDS_Boolean>(0xFF));
  const Received& f = call(&all_ones, ZORVEX::RETCODE_BAD_PARAMETER);
  EXPECT_EQ(f.handle.valid, -1);
  EXPECT_EQ(f.handle.length, 16u);
  EXPECT_TRUE(value_is(f.handle.value, 0x42));

  const DDS_InstanceHandle_t one = c_handle(0x17, 1);
  const Received& o = call(&one, 99);
  EXPECT_EQ(o.handle.valid, 1);
  EXPECT_TRUE(value_is(o.handle.value, 0x17));
}

TEST_P(HandleRule, SamplesGoUntouchedAndTimestampsBitForBit) {
  const Received& r = call(nullptr);
  EXPECT_EQ(r.sample, GetParam().sample);
  EXPECT_EQ(r.timed, GetParam().timed);
  if (r.timed) {
    EXPECT_EQ(r.time.sec, -7);
    EXPECT_EQ(r.time.nanosec, 1000000001u);
  }
}

INSTANTIATE_TEST_SUITE_P(Writer, HandleRule, ::testing::ValuesIn(operations),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
