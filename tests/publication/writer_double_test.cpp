// The writer's functions against a core double, through the library: the
// handles it answers, QoS and status records written whatever the code, the
// listener pair, matched subscriptions replacing the caller's sequence, and
// exceptions passing through.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "binding/c_records.h"
#include "binding/listener_bridges.h"
#include "binding/record_walk.h"
#include "publication_doubles.h"
#include "quillmarc/dds_c.h"

namespace {

using doubles::core_handle;
using doubles::value_is;
using doubles::WriterDouble;
using ::testing::_;
using ::testing::Return;
using ::testing::StrictMock;

class Writer : public ::testing::Test {
 protected:
  StrictMock<WriterDouble> writer_;
  DDS_DataWriter* w_ = reinterpret_cast<DDS_DataWriter*>(static_cast<ZORVEX::DataWriter*>(&writer_));
  const int sample_ = 3;
};

TEST_F(Writer, RegisterAndLookupAnswerTheCoresHandleByTheCoreToCRule) {
  EXPECT_CALL(writer_, register_instance(&sample_)).WillOnce(Return(core_handle(0x21, 1)));
  const DDS_InstanceHandle_t registered = DDS_DataWriter_register_instance(w_, &sample_);
  EXPECT_EQ(registered.valid, 1);
  EXPECT_TRUE(value_is(registered.value, 0x21));

  // Not valid: valid 0, and none of the core's bytes.
  EXPECT_CALL(writer_, lookup_instance(&sample_)).WillOnce(Return(core_handle(0x99, 0)));
  const DDS_InstanceHandle_t unknown = DDS_DataWriter_lookup_instance(w_, &sample_);
  EXPECT_EQ(unknown.valid, 0);
  EXPECT_TRUE(value_is(unknown.value, 0));

  // Valid with a low byte of 0: the bytes come, the C flag is the low byte.
  EXPECT_CALL(writer_, lookup_instance(nullptr)).WillOnce(Return(core_handle(0x33, 0x100)));
  const DDS_InstanceHandle_t odd = DDS_DataWriter_lookup_instance(w_, nullptr);
  EXPECT_EQ(odd.valid, 0);
  EXPECT_TRUE(value_is(odd.value, 0x33));

  const DDS_Time_t stamp{-1, 4000000000u};
  EXPECT_CALL(writer_, register_instance_w_timestamp(&sample_, _))
      .WillOnce([](const void*, const ZORVEX::Time_t& t) {
        EXPECT_EQ(t.sec, -1);
        EXPECT_EQ(t.nanosec, 4000000000u);
        return core_handle(0x05, -1);
      });
  const DDS_InstanceHandle_t stamped = DDS_DataWriter_register_instance_w_timestamp(w_, &sample_, &stamp);
  EXPECT_EQ(static_cast<unsigned char>(stamped.valid), 0xFF);
  EXPECT_TRUE(value_is(stamped.value, 0x05));
}

TEST_F(Writer, QosGetterOverwritesOnErrorAndSetterConvertsTheMarkerToo) {
  CWriterQos qos;
  walk::vary_all(*qos);
  EXPECT_CALL(writer_, get_qos(_)).WillOnce([](ZORVEX::DataWriterQos& q) {
    q.ownership_strength.value = 8;
    return ZORVEX::RETCODE_NOT_ENABLED;
  });
  EXPECT_EQ(DDS_DataWriter_get_qos(w_, qos.get()), DDS_RETCODE_NOT_ENABLED);
  ZORVEX::DataWriterQos expected;
  expected.ownership_strength.value = 8;
  CWriterQos from_core;
  DDSTypeConvert::convert(static_cast<const ZORVEX::DataWriterQos&>(expected), *from_core);
  EXPECT_EQ(walk::differences(*qos, *from_core), 0);

  CWriterQos marker;
  bytes(marker->user_data.value) = {7};
  DDS_DATAWRITER_QOS_DEFAULT = marker.get();
  EXPECT_CALL(writer_, set_qos(_)).WillOnce([](const ZORVEX::DataWriterQos& q) {
    EXPECT_NE(&q, &ZORVEX::DATAWRITER_QOS_DEFAULT);
    EXPECT_EQ(q.user_data.value, (std::vector<unsigned char>{7}));
    return ZORVEX::RETCODE_IMMUTABLE_POLICY;
  });
  EXPECT_EQ(DDS_DataWriter_set_qos(w_, marker.get()), DDS_RETCODE_IMMUTABLE_POLICY);
  DDS_DATAWRITER_QOS_DEFAULT = nullptr;

  const char* library = "library";
  EXPECT_CALL(writer_, set_qos_with_profile(library, nullptr, library)).WillOnce(Return(ZORVEX::RETCODE_UNSUPPORTED));
  EXPECT_EQ(DDS_DataWriter_set_qos_with_profile(w_, library, nullptr, library), DDS_RETCODE_UNSUPPORTED);
}

// The four status getters: the core's record reaches the caller whatever the
// code, over a record that held something else.
struct StatusWriter : ZORVEX::DataWriter {
  template <class Status>
  ZORVEX::ReturnCode_t fill(Status& s) {
    s.total_count = 11;
    s.total_count_change = -2;
    return ZORVEX::RETCODE_ERROR;
  }
  ZORVEX::ReturnCode_t get_liveliness_lost_status(ZORVEX::LivelinessLostStatus& s) override { return fill(s); }
  ZORVEX::ReturnCode_t get_offered_deadline_missed_status(ZORVEX::OfferedDeadlineMissedStatus& s) override {
    return fill(s);
  }
  ZORVEX::ReturnCode_t get_offered_incompatible_qos_status(ZORVEX::OfferedIncompatibleQosStatus& s) override {
    return fill(s);
  }
  ZORVEX::ReturnCode_t get_publication_matched_status(ZORVEX::PublicationMatchedStatus& s) override {
    return fill(s);
  }
};

template <class CStatus, DDS_ReturnCode_t (*Get)(DDS_DataWriter*, CStatus*)>
struct Getter {
  using status = CStatus;
  static DDS_ReturnCode_t get(DDS_DataWriter* w, CStatus* s) { return Get(w, s); }
};

template <class G>
class StatusGetters : public ::testing::Test {};
using Getters = ::testing::Types<
    Getter<DDS_LivelinessLostStatus, DDS_DataWriter_get_liveliness_lost_status>,
    Getter<DDS_OfferedDeadlineMissedStatus, DDS_DataWriter_get_offered_deadline_missed_status>,
    Getter<DDS_OfferedIncompatibleQosStatus, DDS_DataWriter_get_offered_incompatible_qos_status>,
    Getter<DDS_PublicationMatchedStatus, DDS_DataWriter_get_publication_matched_status>>;
TYPED_TEST_SUITE(StatusGetters, Getters);

TYPED_TEST(StatusGetters, WriteTheCoresRecordWhateverTheCode) {
  StatusWriter writer;
  typename TypeParam::status status;
  std::memset(&status, 0x5A, sizeof status);
  EXPECT_EQ(TypeParam::get(reinterpret_cast<DDS_DataWriter*>(static_cast<ZORVEX::DataWriter*>(&writer)), &status),
            DDS_RETCODE_ERROR);
  EXPECT_EQ(status.total_count, 11);
  EXPECT_EQ(status.total_count_change, -2);
}

TEST_F(Writer, ListenerSetInstallsANewBridgeEachTimeAndGetAnswersTheLastRecord) {
  writer_.hold_listeners();
  EXPECT_CALL(writer_, set_listener(_, _)).Times(3);
  EXPECT_CALL(writer_, get_listener()).Times(4);

  DDS_DataWriterListener first{}, second{};
  EXPECT_EQ(DDS_DataWriter_get_listener(w_), nullptr);  // none installed
  EXPECT_EQ(DDS_DataWriter_set_listener(w_, &first, 0x2000u), DDS_RETCODE_OK);
  EXPECT_EQ(writer_.mask, 0x2000u);
  const ZORVEX::DataWriterListener* first_bridge = writer_.listener.get();
  EXPECT_EQ(DDS_DataWriter_get_listener(w_), &first);

  EXPECT_EQ(DDS_DataWriter_set_listener(w_, &second, DDS_STATUS_MASK_ALL), DDS_RETCODE_OK);
  EXPECT_NE(writer_.listener.get(), first_bridge);
  EXPECT_EQ(writer_.mask, DDS_STATUS_MASK_ALL);
  EXPECT_EQ(DDS_DataWriter_get_listener(w_), &second);

  EXPECT_EQ(DDS_DataWriter_set_listener(w_, nullptr, 0), DDS_RETCODE_OK);
  ASSERT_NE(dynamic_cast<DataWriterListenerImpl*>(writer_.listener.get()), nullptr);
  EXPECT_EQ(DDS_DataWriter_get_listener(w_), nullptr);
}

TEST_F(Writer, ListenerOfAnotherClientReadsAsNull) {
  ZORVEX::DataWriterListener foreign;
  ZORVEX::PublisherListener group;  // a writer listener, but not a writer bridge
  EXPECT_CALL(writer_, get_listener()).WillOnce(Return(&foreign)).WillOnce(Return(&group));
  EXPECT_EQ(DDS_DataWriter_get_listener(w_), nullptr);
  EXPECT_EQ(DDS_DataWriter_get_listener(w_), nullptr);
}

TEST_F(Writer, DurationsAndTheWritersRelativesPassUnchanged) {
  const DDS_Duration_t wait{0x7fffffff, 0xffffffffu};
  EXPECT_CALL(writer_, wait_for_acknowledgments(_)).WillOnce([](const ZORVEX::Duration_t& d) {
    EXPECT_EQ(d.sec, 0x7fffffff);
    EXPECT_EQ(d.nanosec, 0xffffffffu);
    return ZORVEX::RETCODE_TIMEOUT;
  });
  EXPECT_EQ(DDS_DataWriter_wait_for_acknowledgments(w_, &wait), DDS_RETCODE_TIMEOUT);

  EXPECT_CALL(writer_, assert_liveliness()).WillOnce(Return(ZORVEX::RETCODE_NOT_ENABLED));
  EXPECT_EQ(DDS_DataWriter_assert_liveliness(w_), DDS_RETCODE_NOT_ENABLED);

  ZORVEX::Topic topic;
  ZORVEX::Publisher publisher;
  EXPECT_CALL(writer_, get_topic()).WillOnce(Return(&topic)).WillOnce(Return(nullptr));
  EXPECT_CALL(writer_, get_publisher()).WillOnce(Return(&publisher));
  EXPECT_EQ(DDS_DataWriter_get_topic(w_), reinterpret_cast<DDS_Topic*>(static_cast<ZORVEX::Topic*>(&topic)));
  EXPECT_EQ(DDS_DataWriter_get_topic(w_), nullptr);
  EXPECT_EQ(DDS_DataWriter_get_publisher(w_),
            reinterpret_cast<DDS_Publisher*>(static_cast<ZORVEX::Publisher*>(&publisher)));
}

TEST_F(Writer, MatchedSubscriptionsReplaceTheSequenceInTheCoresOrder) {
  DDS_InstanceHandle_tSequence handles;
  std::vector<DDS_InstanceHandle_t>& held = handles;
  held.assign(3, c_handle(0xEE, 1));

  EXPECT_CALL(writer_, get_matched_subscriptions(_))
      .WillOnce([](std::vector<ZORVEX::InstanceHandle_t>& out) {
        EXPECT_TRUE(out.empty());
        out = {core_handle(0x02, 1), core_handle(0x01, 0)};
        return ZORVEX::RETCODE_ERROR;
      })
      .WillOnce(Return(ZORVEX::RETCODE_OK));

  EXPECT_EQ(DDS_DataWriter_get_matched_subscriptions(w_, &handles), DDS_RETCODE_ERROR);
  ASSERT_EQ(held.size(), 2u);
  EXPECT_EQ(held[0].valid, 1);
  EXPECT_TRUE(value_is(held[0].value, 0x02));
  EXPECT_EQ(held[1].valid, 0);
  EXPECT_TRUE(value_is(held[1].value, 0));  // from an all-zero element

  EXPECT_EQ(DDS_DataWriter_get_matched_subscriptions(w_, &handles), DDS_RETCODE_OK);
  EXPECT_TRUE(held.empty());
}

TEST_F(Writer, CoreExceptionsPassThroughLeavingTheOutputsAlone) {
  DDS_InstanceHandle_tSequence handles;
  std::vector<DDS_InstanceHandle_t>& held = handles;
  held.assign(1, c_handle(0xEE, 1));
  EXPECT_CALL(writer_, get_matched_subscriptions(_)).WillOnce([](std::vector<ZORVEX::InstanceHandle_t>& out) {
    out.assign(100, core_handle(1, 1));
    return (throw std::runtime_error("core failure"), ZORVEX::RETCODE_OK);
  });
  EXPECT_THROW(DDS_DataWriter_get_matched_subscriptions(w_, &handles), std::runtime_error);
  EXPECT_EQ(held.size(), 1u);

  EXPECT_CALL(writer_, write(&sample_, _)).WillOnce([](const void*, const ZORVEX::InstanceHandle_t&) {
    return (throw std::bad_alloc(), ZORVEX::RETCODE_OK);
  });
  EXPECT_THROW(DDS_DataWriter_write(w_, &sample_, nullptr), std::bad_alloc);
}

}  // namespace
