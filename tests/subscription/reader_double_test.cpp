// The data reader's functions against a core double: the loans that read,
// take and return_loan hand the core and what the caller's sequences hold
// afterwards, the next-sample operations, conditions, matched publications,
// records written whatever the code, and exceptions passing through.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>

#include "binding/c_records.h"
#include "binding/listener_bridges.h"
#include "binding/record_walk.h"
#include "quillmarc/dds_c.h"
#include "subscription_doubles.h"
#include "support/expect_throw.h"

namespace {

using doubles::addresses_in;
using doubles::as;
using doubles::infos_in;
using doubles::lend;
using doubles::ReaderDouble;
using ::testing::_;
using ::testing::Return;
using ::testing::StrictMock;

// A core sample information whose every field differs from the defaults.
ZORVEX::SampleInfo core_info(int seed) {
  ZORVEX::SampleInfo info;
  info.sample_state = ZORVEX::READ_SAMPLE_STATE;
  info.view_state = ZORVEX::NOT_NEW_VIEW_STATE;
  info.instance_state = ZORVEX::NOT_ALIVE_DISPOSED_INSTANCE_STATE;
  info.source_timestamp = {seed, 100u + static_cast<uint32_t>(seed)};
  std::memset(info.instance_handle.value, seed, 16);
  info.instance_handle.valid = 1;
  info.disposed_generation_count = seed + 1;
  info.no_writers_generation_count = seed + 2;
  info.sample_rank = seed + 3;
  info.generation_rank = seed + 4;
  info.absolute_generation_rank = seed + 5;
  info.valid_data = true;
  return info;
}

// The caller's view of one sample information.
DDS_SampleInfo c_info(const ZORVEX::SampleInfo& from) {
  DDS_SampleInfo to{};
  DDSTypeConvert::convert(from, to);
  return to;
}

bool same_fields(const DDS_SampleInfo& a, const DDS_SampleInfo& b) {
  return a.sample_state == b.sample_state && a.view_state == b.view_state && a.instance_state == b.instance_state &&
         a.source_timestamp.sec == b.source_timestamp.sec &&
         a.source_timestamp.nanosec == b.source_timestamp.nanosec &&
         std::memcmp(&a.instance_handle, &b.instance_handle, sizeof a.instance_handle) == 0 &&
         a.publication_handle.valid == b.publication_handle.valid &&
         a.disposed_generation_count == b.disposed_generation_count &&
         a.no_writers_generation_count == b.no_writers_generation_count && a.sample_rank == b.sample_rank &&
         a.generation_rank == b.generation_rank && a.absolute_generation_rank == b.absolute_generation_rank &&
         a.valid_data == b.valid_data;
}

class Reader : public ::testing::Test {
 protected:
  ~Reader() override {
    DDS_SampleSequence_destroy(data_);
    DDS_SampleInfoSequence_destroy(infos_);
  }

  std::vector<const void*> data() const { return *data_; }
  std::vector<DDS_SampleInfo>& infos() const { return *infos_; }

  // Fills the caller's information sequence with n elements of old content,
  // sample informations whose every byte is 0xAB.
  void fill_old(size_t n) {
    DDS_SampleInfo old;
    std::memset(&old, 0xAB, sizeof old);
    infos().assign(n, old);
  }

  StrictMock<ReaderDouble> reader_;
  DDS_DataReader* r_ = as<DDS_DataReader>(static_cast<ZORVEX::DataReader*>(&reader_));
  DDS_SampleSequence* data_ = DDS_SampleSequence_create();
  DDS_SampleInfoSequence* infos_ = DDS_SampleInfoSequence_create();
  int junk_ = 0;
  int values_[3] = {10, 20, 30};
};

// read and take share their handling: one table row each.
struct Lending {
  const char* name;
  decltype(&DDS_DataReader_take) call;
  decltype(&ZORVEX::DataReader::take) op;
};
void PrintTo(const Lending& l, std::ostream* os) { *os << l.name; }

class ReadOrTake : public Reader, public ::testing::WithParamInterface<Lending> {
 protected:
  // The core answers rc after lending one cell per value.
  void core_lends(std::vector<void*> values, std::vector<ZORVEX::SampleInfo> information, ZORVEX::ReturnCode_t rc,
                  int32_t max = 7, uint16_t s = 0xffff, uint16_t v = 2, uint16_t i = 0x8006) {
    auto lends = [=](SequenceBase& d, SequenceBase& in, int32_t m, ZORVEX::SampleStateMask sm,
                     ZORVEX::ViewStateMask vm, ZORVEX::InstanceStateMask im) {
      EXPECT_EQ(d.length(), 0);
      EXPECT_EQ(in.length(), 0);
      EXPECT_EQ(m, max);
      EXPECT_EQ(sm, s);
      EXPECT_EQ(vm, v);
      EXPECT_EQ(im, i);
      lend(d, in, values, information);
      return rc;
    };
    if (GetParam().op == &ZORVEX::DataReader::take)
      EXPECT_CALL(reader_, take(_, _, _, _, _, _)).WillOnce(lends);
    else
      EXPECT_CALL(reader_, read(_, _, _, _, _, _)).WillOnce(lends);
  }
  DDS_ReturnCode_t call(DDS_SampleSequence* data, int32_t max = 7, uint16_t s = 0xffff, uint16_t v = 2,
                        uint16_t i = 0x8006) {
    return GetParam().call(r_, data, infos_, max, s, v, i);
  }
};

TEST_P(ReadOrTake, TheCallerGetsExactlyTheLentSamplesOverItsOldContent) {
  fill_old(10);
  core_lends({&values_[2], &values_[0], &values_[1]}, {core_info(1), core_info(2), core_info(3)},
             ZORVEX::RETCODE_OK);
  EXPECT_EQ(call(data_), DDS_RETCODE_OK);

  EXPECT_EQ(data(), (std::vector<const void*>{&values_[2], &values_[0], &values_[1]}));
  ASSERT_EQ(infos().size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const DDS_SampleInfo& got = infos()[static_cast<size_t>(i)];
    EXPECT_TRUE(same_fields(got, c_info(core_info(i + 1)))) << i;
    // Bytes the conversion does not write are those the element held.
    EXPECT_EQ(got.reserved_0, 0xABABABABu);
    EXPECT_EQ(got.reserved_2, 0xABABABABu);
    EXPECT_EQ(got.publication_handle.value[5], 0xAB);  // an invalid handle's value bytes
  }
}

TEST_P(ReadOrTake, NoSampleLeavesBothSequencesEmpty) {
  fill_old(4);
  core_lends({}, {}, ZORVEX::RETCODE_NO_DATA, ZORVEX::LENGTH_UNLIMITED, 1, 1, 1);
  EXPECT_EQ(call(data_, DDS_LENGTH_UNLIMITED, 1, 1, 1), DDS_RETCODE_NO_DATA);
  EXPECT_TRUE(data().empty());
  EXPECT_TRUE(infos().empty());
}

TEST_P(ReadOrTake, AnErrorStillGivesWhatTheCoreLeftAndNewElementsStartZero) {
  ZORVEX::SampleInfo untouched;  // the loan's own default cell
  core_lends({nullptr}, {untouched}, ZORVEX::RETCODE_ERROR);
  EXPECT_EQ(call(data_), DDS_RETCODE_ERROR);
  EXPECT_EQ(data(), std::vector<const void*>{nullptr});
  ASSERT_EQ(infos().size(), 1u);
  EXPECT_TRUE(same_fields(infos()[0], c_info(untouched)));
  EXPECT_EQ(infos()[0].reserved_1, 0u);
}

TEST_P(ReadOrTake, WithoutADataSequenceTheValuesGoStraightBack) {
  core_lends({&values_[0], &values_[1]}, {core_info(1), core_info(2)}, ZORVEX::RETCODE_OK);
  EXPECT_CALL(reader_, return_loan(_, _)).WillOnce([this](SequenceBase& d, SequenceBase&) {
    EXPECT_EQ(addresses_in(d), (std::vector<void*>{&values_[0], &values_[1]}));
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(call(nullptr), DDS_RETCODE_OK);
  EXPECT_EQ(infos().size(), 2u);

  // Nothing lent, nothing to give back.
  core_lends({}, {}, ZORVEX::RETCODE_NO_DATA);
  EXPECT_EQ(call(nullptr), DDS_RETCODE_NO_DATA);
}

TEST_P(ReadOrTake, ACoreExceptionPassesThroughAndTheSequencesStay) {
  fill_old(2);
  auto fails = [](SequenceBase& d, SequenceBase&, int32_t, ZORVEX::SampleStateMask, ZORVEX::ViewStateMask,
                  ZORVEX::InstanceStateMask) -> ZORVEX::ReturnCode_t {
    d.length(3);
    throw std::runtime_error("core failure");
  };
  if (GetParam().op == &ZORVEX::DataReader::take)
    EXPECT_CALL(reader_, take(_, _, _, _, _, _)).WillOnce(fails);
  else
    EXPECT_CALL(reader_, read(_, _, _, _, _, _)).WillOnce(fails);
  EXPECT_THROW_MESSAGE(call(data_), std::runtime_error, "core failure");
  EXPECT_TRUE(data().empty());
  EXPECT_EQ(infos().size(), 2u);
}

// Addresses left in the data sequence are a loan not yet returned: the call
// refuses rather than lose it, and the reader is not asked.
TEST_P(ReadOrTake, ADataSequenceStillHoldingAddressesIsRefusedUntouched) {
  fill_old(2);
  DDS_SampleSequence_push_back_value(data_, &junk_);
  EXPECT_EQ(call(data_), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(data(), std::vector<const void*>{&junk_});
  ASSERT_EQ(infos().size(), 2u);
  EXPECT_EQ(infos()[1].reserved_0, 0xABABABABu);
}

INSTANTIATE_TEST_SUITE_P(Reader, ReadOrTake,
                         ::testing::Values(Lending{"take", DDS_DataReader_take, &ZORVEX::DataReader::take},
                                           Lending{"read", DDS_DataReader_read, &ZORVEX::DataReader::read}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Reader, ReturnLoanHandsBackTheCallersAddressesAndItsInformationConverted) {
  DDS_SampleSequence_push_back_value(data_, &values_[1]);
  DDS_SampleSequence_push_back_value(data_, &values_[0]);
  infos() = {c_info(core_info(4)), c_info(core_info(5))};
  infos()[0].reserved_1 = 77;
  const std::vector<DDS_SampleInfo> before = infos();

  EXPECT_CALL(reader_, return_loan(_, _)).WillOnce([this](SequenceBase& d, SequenceBase& in) {
    EXPECT_EQ(addresses_in(d), (std::vector<void*>{&values_[1], &values_[0]}));
    const std::vector<ZORVEX::SampleInfo> given = infos_in(in);
    EXPECT_EQ(given.size(), 2u);
    for (size_t i = 0; i < given.size(); ++i) EXPECT_TRUE(same_fields(c_info(given[i]), c_info(core_info(4 + int(i)))));
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(DDS_DataReader_return_loan(r_, data_, infos_), DDS_RETCODE_OK);
  // The addresses are the core's again; the information is left as it was.
  EXPECT_TRUE(data().empty());
  ASSERT_EQ(infos().size(), 2u);
  EXPECT_EQ(std::memcmp(infos().data(), before.data(), 2 * sizeof(DDS_SampleInfo)), 0);
}

TEST_F(Reader, ARefusedReturnLeavesTheAddressesWithTheCaller) {
  DDS_SampleSequence_push_back_value(data_, &junk_);
  EXPECT_CALL(reader_, return_loan(_, _)).WillOnce(Return(ZORVEX::RETCODE_PRECONDITION_NOT_MET));
  EXPECT_EQ(DDS_DataReader_return_loan(r_, data_, infos_), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(data(), std::vector<const void*>{&junk_});
}

TEST_F(Reader, EmptySequencesOrNoDataSequenceHandTheCoreEmptyLoans) {
  EXPECT_CALL(reader_, return_loan(_, _)).Times(2).WillRepeatedly([](SequenceBase& d, SequenceBase& in) {
    EXPECT_EQ(d.length(), 0);
    EXPECT_EQ(in.length(), 0);
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(DDS_DataReader_return_loan(r_, data_, infos_), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataReader_return_loan(r_, nullptr, infos_), DDS_RETCODE_OK);
}

TEST_F(Reader, WhatATakeLentIsWhatTheReturnGivesBack) {
  EXPECT_CALL(reader_, take(_, _, _, _, _, _))
      .WillOnce([this](SequenceBase& d, SequenceBase& in, int32_t, ZORVEX::SampleStateMask, ZORVEX::ViewStateMask,
                       ZORVEX::InstanceStateMask) {
        lend(d, in, {&values_[0], &values_[2]}, {core_info(1), core_info(2)});
        return ZORVEX::RETCODE_OK;
      });
  EXPECT_CALL(reader_, return_loan(_, _)).WillOnce([this](SequenceBase& d, SequenceBase& in) {
    EXPECT_EQ(addresses_in(d), (std::vector<void*>{&values_[0], &values_[2]}));
    EXPECT_EQ(in.length(), 2);
    return ZORVEX::RETCODE_OK;
  });
  ASSERT_EQ(DDS_DataReader_take(r_, data_, infos_, 2, 0xffff, 0xffff, 0xffff), DDS_RETCODE_OK);
  EXPECT_EQ(*static_cast<const int*>(*DDS_SampleSequence_at(data_, 1)), 30);
  EXPECT_EQ(DDS_DataReader_return_loan(r_, data_, infos_), DDS_RETCODE_OK);
}

TEST_F(Reader, NextSampleOperationsPassTheCallersMemoryAndWriteTheInformationWhateverTheCode) {
  int sample = 0;
  EXPECT_CALL(reader_, take_next_sample(&sample, _)).WillOnce([](void* d, ZORVEX::SampleInfo& info) {
    *static_cast<int*>(d) = 5;
    info = core_info(9);
    return ZORVEX::RETCODE_OK;
  });
  DDS_SampleInfo info;
  std::memset(&info, 0xAB, sizeof info);
  EXPECT_EQ(DDS_DataReader_take_next_sample(r_, &sample, &info), DDS_RETCODE_OK);
  EXPECT_EQ(sample, 5);
  EXPECT_TRUE(same_fields(info, c_info(core_info(9))));
  EXPECT_EQ(info.reserved_0, 0xABABABABu);

  // Nothing to read: the core's defaults come back.
  EXPECT_CALL(reader_, read_next_sample(nullptr, _)).WillOnce(Return(ZORVEX::RETCODE_NO_DATA));
  EXPECT_EQ(DDS_DataReader_read_next_sample(r_, nullptr, &info), DDS_RETCODE_NO_DATA);
  EXPECT_EQ(info.sample_state, DDS_NOT_READ_SAMPLE_STATE);
  EXPECT_EQ(info.view_state, DDS_NEW_VIEW_STATE);
  EXPECT_EQ(info.instance_state, DDS_ALIVE_INSTANCE_STATE);
  EXPECT_EQ(info.source_timestamp.sec, -1);
  EXPECT_EQ(info.valid_data, 0);
  EXPECT_EQ(info.instance_handle.valid, 0);
}

TEST_F(Reader, ConditionsGetTheirMasksExpressionAndParameters) {
  ZORVEX::ReadCondition* made = reinterpret_cast<ZORVEX::ReadCondition*>(&junk_);  // never dereferenced
  EXPECT_CALL(reader_, create_readcondition(0xfffe, 1, 0x8004)).WillOnce(Return(made));
  EXPECT_EQ(DDS_DataReader_create_readcondition(r_, 0xfffe, 1, 0x8004), as<DDS_ReadCondition>(made));

  DDS_CStringSequence* parameters = DDS_CStringSequence_create();
  set_names(*parameters, {"10", "", "x y"});
  EXPECT_CALL(reader_, create_querycondition(2, 0xffff, 6, std::string("value > %0"),
                                             std::vector<std::string>{"10", "", "x y"}))
      .WillOnce(Return(nullptr));
  EXPECT_EQ(DDS_DataReader_create_querycondition(r_, 2, 0xffff, 6, "value > %0", parameters), nullptr);

  set_names(*parameters, {});
  EXPECT_CALL(reader_, create_querycondition(1, 1, 1, std::string(""), std::vector<std::string>{}))
      .WillOnce(Return(nullptr));
  EXPECT_EQ(DDS_DataReader_create_querycondition(r_, 1, 1, 1, "", parameters), nullptr);

  // A null expression: the core is not asked (the double is strict).
  EXPECT_THROW_MESSAGE(DDS_DataReader_create_querycondition(r_, 1, 1, 1, nullptr, parameters), std::logic_error,
                       "basic_string::_M_construct null not valid");
  DDS_CStringSequence_destroy(parameters);

  EXPECT_CALL(reader_, delete_readcondition(made)).WillOnce(Return(ZORVEX::RETCODE_PRECONDITION_NOT_MET));
  EXPECT_EQ(DDS_DataReader_delete_readcondition(r_, as<DDS_ReadCondition>(made)), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_CALL(reader_, delete_contained_entities()).WillOnce(Return(ZORVEX::RETCODE_OK));
  EXPECT_EQ(DDS_DataReader_delete_contained_entities(r_), DDS_RETCODE_OK);
}

TEST_F(Reader, MatchedPublicationsReplaceTheSequenceAlsoOnError) {
  DDS_InstanceHandle_tSequence* handles = DDS_InstanceHandle_tSequence_create();
  DDS_InstanceHandle_tSequence_push_back_value(handles, c_handle(0x11, 1));
  DDS_InstanceHandle_tSequence_push_back_value(handles, c_handle(0x11, 1));
  EXPECT_CALL(reader_, get_matched_publications(_)).WillOnce([](std::vector<ZORVEX::InstanceHandle_t>& found) {
    ZORVEX::InstanceHandle_t h;
    std::memset(h.value, 0x42, 16);
    h.valid = 1;
    ZORVEX::InstanceHandle_t invalid;
    std::memset(invalid.value, 0x77, 16);
    found = {h, invalid};
    return ZORVEX::RETCODE_ERROR;
  });
  EXPECT_EQ(DDS_DataReader_get_matched_publications(r_, handles), DDS_RETCODE_ERROR);
  const std::vector<DDS_InstanceHandle_t>& got = *handles;
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].valid, 1);
  EXPECT_EQ(got[0].value[15], 0x42);
  EXPECT_EQ(got[1].valid, 0);
  EXPECT_EQ(got[1].value[0], 0);  // a new element: zero, not the core's bytes
  DDS_InstanceHandle_tSequence_destroy(handles);
}

TEST_F(Reader, MatchedPublicationDataTakesTheHandleByTheCToCoreRuleAndWritesWhateverTheCode) {
  CPublicationData data;
  const DDS_InstanceHandle_t not_valid = c_handle(0x5A, 0);
  EXPECT_CALL(reader_, get_matched_publication_data(_, _))
      .WillOnce([](ZORVEX::PublicationBuiltinTopicData& d, const ZORVEX::InstanceHandle_t& h) {
        EXPECT_EQ(h.valid, 0);
        EXPECT_EQ(h.length, 16u);
        EXPECT_EQ(h.value[0], 0);
        d.topic_name = "left by the core";
        return ZORVEX::RETCODE_BAD_PARAMETER;
      });
  EXPECT_EQ(DDS_DataReader_get_matched_publication_data(r_, data.get(), &not_valid), DDS_RETCODE_BAD_PARAMETER);
  EXPECT_EQ(static_cast<std::string&>(data->topic_name), "left by the core");

  const DDS_InstanceHandle_t all_ones = c_handle(0x5A, static_cast<DDS_Boolean>(0xFF));
  EXPECT_CALL(reader_, get_matched_publication_data(_, _))
      .WillOnce([](ZORVEX::PublicationBuiltinTopicData&, const ZORVEX::InstanceHandle_t& h) {
        EXPECT_EQ(h.valid, -1);
        EXPECT_EQ(h.value[15], 0x5A);
        return ZORVEX::RETCODE_OK;
      });
  EXPECT_EQ(DDS_DataReader_get_matched_publication_data(r_, data.get(), &all_ones), DDS_RETCODE_OK);
}

TEST_F(Reader, StatusGettersWriteTheCoresRecordWhateverTheCode) {
  DDS_LivelinessChangedStatus liveliness;
  std::memset(&liveliness, 0xAB, sizeof liveliness);
  EXPECT_CALL(reader_, get_liveliness_changed_status(_)).WillOnce([](ZORVEX::LivelinessChangedStatus& s) {
    s.alive_count = 3;
    return ZORVEX::RETCODE_ERROR;
  });
  EXPECT_EQ(DDS_DataReader_get_liveliness_changed_status(r_, &liveliness), DDS_RETCODE_ERROR);
  EXPECT_EQ(liveliness.alive_count, 3);
  EXPECT_EQ(liveliness.not_alive_count, 0);

  DDS_RequestedDeadlineMissedStatus deadline;
  std::memset(&deadline, 0xAB, sizeof deadline);
  EXPECT_CALL(reader_, get_requested_deadline_missed_status(_)).WillOnce(Return(ZORVEX::RETCODE_NOT_ENABLED));
  EXPECT_EQ(DDS_DataReader_get_requested_deadline_missed_status(r_, &deadline), DDS_RETCODE_NOT_ENABLED);
  EXPECT_EQ(deadline.total_count, 0);
  EXPECT_EQ(deadline.last_instance_handle.valid, 0);

  DDS_RequestedIncompatibleQosStatus incompatible;
  std::memset(&incompatible, 0xAB, sizeof incompatible);
  EXPECT_CALL(reader_, get_requested_incompatible_qos_status(_))
      .WillOnce([](ZORVEX::RequestedIncompatibleQosStatus& s) {
        s.total_count = 2;
        s.last_policy_id = 11;
        s.policies = {{11, 2}};  // no C field: only destroyed
        return ZORVEX::RETCODE_OK;
      });
  EXPECT_EQ(DDS_DataReader_get_requested_incompatible_qos_status(r_, &incompatible), DDS_RETCODE_OK);
  EXPECT_EQ(incompatible.total_count, 2);
  EXPECT_EQ(incompatible.last_policy_id, 11);

  DDS_SampleLostStatus lost;
  EXPECT_CALL(reader_, get_sample_lost_status(_)).WillOnce([](ZORVEX::SampleLostStatus& s) {
    s.total_count = 4;
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(DDS_DataReader_get_sample_lost_status(r_, &lost), DDS_RETCODE_OK);
  EXPECT_EQ(lost.total_count, 4);

  DDS_SampleRejectedStatus rejected;
  EXPECT_CALL(reader_, get_sample_rejected_status(_)).WillOnce([](ZORVEX::SampleRejectedStatus& s) {
    s.last_reason = ZORVEX::REJECTED_BY_SAMPLES_LIMIT;
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(DDS_DataReader_get_sample_rejected_status(r_, &rejected), DDS_RETCODE_OK);
  EXPECT_EQ(rejected.last_reason, DDS_REJECTED_BY_SAMPLES_LIMIT);

  DDS_SubscriptionMatchedStatus matched;
  EXPECT_CALL(reader_, get_subscription_matched_status(_)).WillOnce([](ZORVEX::SubscriptionMatchedStatus& s) {
    s.current_count = 1;
    std::memset(s.last_publication_handle.value, 0x42, 16);
    s.last_publication_handle.valid = 1;
    return ZORVEX::RETCODE_OK;
  });
  EXPECT_EQ(DDS_DataReader_get_subscription_matched_status(r_, &matched), DDS_RETCODE_OK);
  EXPECT_EQ(matched.current_count, 1);
  EXPECT_EQ(matched.last_publication_handle.valid, 1);
  EXPECT_EQ(matched.last_publication_handle.value[3], 0x42);
}

TEST_F(Reader, QosGetterOverwritesOnErrorAndSetterConvertsTheMarkerToo) {
  CReaderQos qos;
  walk::vary_all(*qos);
  EXPECT_CALL(reader_, get_qos(_)).WillOnce(Return(ZORVEX::RETCODE_ERROR));
  EXPECT_EQ(DDS_DataReader_get_qos(r_, qos.get()), DDS_RETCODE_ERROR);
  CReaderQos from_core;
  ZORVEX::DataReaderQos core_default;
  DDSTypeConvert::convert(static_cast<const ZORVEX::DataReaderQos&>(core_default), *from_core);
  EXPECT_EQ(walk::differences(*qos, *from_core), 0);

  CReaderQos marker;
  bytes(marker->user_data.value) = {7};
  DDS_DATAREADER_QOS_DEFAULT = marker.get();
  EXPECT_CALL(reader_, set_qos(_)).WillOnce([](const ZORVEX::DataReaderQos& q) {
    EXPECT_NE(&q, &ZORVEX::DATAREADER_QOS_DEFAULT);
    EXPECT_EQ(q.user_data.value, std::vector<unsigned char>{7});
    return ZORVEX::RETCODE_IMMUTABLE_POLICY;
  });
  EXPECT_EQ(DDS_DataReader_set_qos(r_, marker.get()), DDS_RETCODE_IMMUTABLE_POLICY);
  DDS_DATAREADER_QOS_DEFAULT = nullptr;

  const char* lib = "lib";
  EXPECT_CALL(reader_, set_qos_with_profile(lib, nullptr, nullptr)).WillOnce(Return(ZORVEX::RETCODE_UNSUPPORTED));
  EXPECT_EQ(DDS_DataReader_set_qos_with_profile(r_, lib, nullptr, nullptr), DDS_RETCODE_UNSUPPORTED);
}

TEST_F(Reader, ListenerForwardersAndDurationReachTheCore) {
  reader_.hold_listeners();
  DDS_DataReaderListener record{};
  EXPECT_CALL(reader_, set_listener(_, _));
  EXPECT_CALL(reader_, get_listener()).Times(2);
  EXPECT_EQ(DDS_DataReader_set_listener(r_, &record, DDS_DATA_AVAILABLE_STATUS), DDS_RETCODE_OK);
  EXPECT_EQ(reader_.mask, DDS_DATA_AVAILABLE_STATUS);
  EXPECT_EQ(DDS_DataReader_get_listener(r_), &record);
  reader_.listener.reset(new ZORVEX::DataReaderListener);  // not one of the library's bridges
  EXPECT_EQ(DDS_DataReader_get_listener(r_), nullptr);

  ZORVEX::Topic topic;
  ZORVEX::Subscriber subscriber;
  EXPECT_CALL(reader_, get_topicdescription()).WillOnce(Return(&topic));
  EXPECT_EQ(DDS_DataReader_get_topicdescription(r_),
            as<DDS_TopicDescription>(static_cast<ZORVEX::TopicDescription*>(&topic)));
  EXPECT_CALL(reader_, get_subscriber()).WillOnce(Return(&subscriber));
  EXPECT_EQ(DDS_DataReader_get_subscriber(r_), as<DDS_Subscriber>(&subscriber));

  const DDS_Duration_t wait{-2, 4000000000u};
  EXPECT_CALL(reader_, wait_for_historical_data(_)).WillOnce([](const ZORVEX::Duration_t& d) {
    EXPECT_EQ(d.sec, -2);
    EXPECT_EQ(d.nanosec, 4000000000u);
    return ZORVEX::RETCODE_TIMEOUT;
  });
  EXPECT_EQ(DDS_DataReader_wait_for_historical_data(r_, &wait), DDS_RETCODE_TIMEOUT);
}

}  // namespace
