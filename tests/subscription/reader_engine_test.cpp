// Readers end to end on the stand-in core, through the C functions: made,
// found, listed and deleted; samples read and taken with their states and
// values; the next-sample operations; loans given back in any order.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "stand_in.h"

namespace {

using Readers = StandIn;

TEST_F(Readers, AreCreatedFoundAndDeletedByTheirSubscriber) {
  DDS_DataReader* r = DDS_Subscriber_create_datareader(subscriber_, topic_, nullptr, nullptr, 0);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(DDS_Subscriber_lookup_datareader(subscriber_, "Readings"), r);
  EXPECT_EQ(DDS_Subscriber_lookup_datareader(subscriber_, "Other"), nullptr);
  EXPECT_EQ(DDS_DataReader_get_topicdescription(r), topic_);
  EXPECT_EQ(DDS_DataReader_get_subscriber(r), subscriber_);
  EXPECT_EQ(DDS_Subscriber_get_participant(subscriber_), c_handle_of<DDS_DomainParticipant>(participant_));
  EXPECT_EQ(DDS_DataReader_get_listener(r), nullptr);  // a null record still has a bridge, which answers null

  DDS_DataReader* kept = r;
  EXPECT_EQ(DDS_Subscriber_delete_datareader(subscriber_, r), DDS_RETCODE_OK);
  EXPECT_EQ(r, kept);
  EXPECT_EQ(DDS_Subscriber_lookup_datareader(subscriber_, "Readings"), nullptr);
  EXPECT_EQ(DDS_Subscriber_delete_datareader(subscriber_, r), DDS_RETCODE_PRECONDITION_NOT_MET);

  reader();
  reader();
  EXPECT_EQ(DDS_Subscriber_delete_contained_entities(subscriber_), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Subscriber_lookup_datareader(subscriber_, "Readings"), nullptr);
}

TEST_F(Readers, ThatHoldALoanOrAConditionAreNotDeleted) {
  ZORVEX::DataWriter* w = writer();
  DDS_DataReader* r = reader();
  write(w, 1, 10);
  Loan loan;
  ASSERT_EQ(DDS_DataReader_read(r, loan.data, loan.infos, 1, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Subscriber_delete_datareader(subscriber_, r), DDS_RETCODE_PRECONDITION_NOT_MET);
  ASSERT_EQ(DDS_DataReader_return_loan(r, loan.data, loan.infos), DDS_RETCODE_OK);

  DDS_ReadCondition* c = DDS_DataReader_create_readcondition(r, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                                             DDS_ANY_INSTANCE_STATE);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(DDS_Subscriber_delete_datareader(subscriber_, r), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_DataReader_delete_contained_entities(r), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataReader_delete_readcondition(r, c), DDS_RETCODE_PRECONDITION_NOT_MET);  // already gone
  EXPECT_EQ(DDS_Subscriber_delete_datareader(subscriber_, r), DDS_RETCODE_OK);
}

TEST_F(Readers, GetDatareadersReplacesTheSequenceWithTheReadersHoldingSamples) {
  ZORVEX::Topic* other = participant_->create_topic("Others", "Reading", ZORVEX::TOPIC_QOS_DEFAULT, nullptr, 0);
  DDS_DataReader* quiet = DDS_Subscriber_create_datareader(
      subscriber_, c_handle_of<DDS_TopicDescription>(static_cast<ZORVEX::TopicDescription*>(other)), nullptr,
      nullptr, 0);
  DDS_DataReader* busy = reader();
  ZORVEX::DataWriter* w = writer();
  write(w, 1, 10);

  DDS_DataReaderSequence* readers = DDS_DataReaderSequence_create_with_size(3);
  EXPECT_EQ(DDS_Subscriber_get_datareaders(subscriber_, readers, DDS_NOT_READ_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                           DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);
  EXPECT_EQ(static_cast<std::vector<void*>&>(*readers), std::vector<void*>{busy});
  EXPECT_EQ(DDS_Subscriber_get_datareaders(subscriber_, readers, DDS_READ_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                           DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataReaderSequence_size(readers), 0u);
  DDS_DataReaderSequence_destroy(readers);
  (void)quiet;
}

TEST_F(Readers, TakeHandsTheCallerEverySampleWithItsInformationAndRemovesIt) {
  ZORVEX::DataWriter* w = writer();
  DDS_DataReader* r = reader();
  write(w, 1, 10);
  write(w, 2, 20);
  write(w, 1, 11);

  Loan loan;
  DDS_SampleInfoSequence_resize(loan.infos, 10);  // held before: only the delivered ones stay
  ASSERT_EQ(DDS_DataReader_take(r, loan.data, loan.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                                DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);
  ASSERT_EQ(loan.size(), 3u);
  ASSERT_EQ(DDS_SampleSequence_size(loan.data), 3u);
  EXPECT_EQ(loan.values(), (std::vector<int32_t>{10, 20, 11}));
  EXPECT_EQ(loan.value(1).sensor, 2);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(loan.info(i).sample_state, DDS_NOT_READ_SAMPLE_STATE);
    EXPECT_EQ(loan.info(i).view_state, DDS_NEW_VIEW_STATE);
    EXPECT_EQ(loan.info(i).instance_state, DDS_ALIVE_INSTANCE_STATE);
    EXPECT_EQ(loan.info(i).valid_data, 1);
    EXPECT_EQ(loan.info(i).instance_handle.valid, 1);
    EXPECT_EQ(loan.info(i).publication_handle.valid, 1);
  }
  // Samples of one instance share its handle; another instance has its own.
  EXPECT_EQ(std::memcmp(&loan.info(0).instance_handle, &loan.info(2).instance_handle, sizeof(DDS_InstanceHandle_t)),
            0);
  EXPECT_NE(std::memcmp(&loan.info(0).instance_handle, &loan.info(1).instance_handle, sizeof(DDS_InstanceHandle_t)),
            0);
  ASSERT_EQ(DDS_DataReader_return_loan(r, loan.data, loan.infos), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_SampleSequence_size(loan.data), 0u);

  // Taken: nothing is left, and both sequences say so.
  EXPECT_EQ(DDS_DataReader_take(r, loan.data, loan.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                                DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_NO_DATA);
  EXPECT_EQ(loan.size(), 0u);
  EXPECT_EQ(DDS_SampleSequence_size(loan.data), 0u);
}

TEST_F(Readers, ReadMarksSamplesReadAndTheMasksSelectByState) {
  ZORVEX::DataWriter* w = writer();
  DDS_DataReader* r = reader();
  write(w, 1, 10);
  write(w, 2, 20);

  {
    Loan first;
    ASSERT_EQ(DDS_DataReader_read(r, first.data, first.infos, 1, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                  DDS_ANY_INSTANCE_STATE),
              DDS_RETCODE_OK);
    EXPECT_EQ(first.values(), std::vector<int32_t>{10});  // max_samples 1
    ASSERT_EQ(DDS_DataReader_return_loan(r, first.data, first.infos), DDS_RETCODE_OK);
  }
  {
    Loan unread;
    ASSERT_EQ(DDS_DataReader_read(r, unread.data, unread.infos, DDS_LENGTH_UNLIMITED, DDS_NOT_READ_SAMPLE_STATE,
                                  DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE),
              DDS_RETCODE_OK);
    EXPECT_EQ(unread.values(), std::vector<int32_t>{20});
    ASSERT_EQ(DDS_DataReader_return_loan(r, unread.data, unread.infos), DDS_RETCODE_OK);
  }
  write(w, 1, 11);  // instance 1 was seen: its new sample is not new in view
  {
    Loan seen;
    ASSERT_EQ(DDS_DataReader_read(r, seen.data, seen.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                                  DDS_NOT_NEW_VIEW_STATE, DDS_ANY_INSTANCE_STATE),
              DDS_RETCODE_OK);
    EXPECT_EQ(seen.values(), (std::vector<int32_t>{10, 20, 11}));
    EXPECT_EQ(seen.info(0).sample_state, DDS_READ_SAMPLE_STATE);
    EXPECT_EQ(seen.info(2).sample_state, DDS_NOT_READ_SAMPLE_STATE);
    EXPECT_EQ(seen.info(2).view_state, DDS_NOT_NEW_VIEW_STATE);
    ASSERT_EQ(DDS_DataReader_return_loan(r, seen.data, seen.infos), DDS_RETCODE_OK);
  }
  dispose(w, 2);
  {
    Loan disposed;
    ASSERT_EQ(DDS_DataReader_take(r, disposed.data, disposed.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                                  DDS_ANY_VIEW_STATE, DDS_NOT_ALIVE_DISPOSED_INSTANCE_STATE),
              DDS_RETCODE_OK);
    ASSERT_GE(disposed.size(), 1u);
    for (size_t i = 0; i < disposed.size(); ++i) {
      EXPECT_EQ(disposed.info(i).instance_state, DDS_NOT_ALIVE_DISPOSED_INSTANCE_STATE);
      if (disposed.info(i).valid_data) {
        EXPECT_EQ(disposed.value(i).sensor, 2);
      }
    }
    EXPECT_EQ(disposed.info(disposed.size() - 1).valid_data, 0);  // the disposal itself
    ASSERT_EQ(DDS_DataReader_return_loan(r, disposed.data, disposed.infos), DDS_RETCODE_OK);
  }
  Loan alive;
  ASSERT_EQ(DDS_DataReader_take(r, alive.data, alive.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                                DDS_ANY_VIEW_STATE, DDS_ALIVE_INSTANCE_STATE),
            DDS_RETCODE_OK);
  EXPECT_EQ(alive.values(), (std::vector<int32_t>{10, 11}));
  ASSERT_EQ(DDS_DataReader_return_loan(r, alive.data, alive.infos), DDS_RETCODE_OK);
}

TEST_F(Readers, NextSampleOperationsCopyIntoTheCallersMemory) {
  ZORVEX::DataWriter* w = writer();
  DDS_DataReader* r = reader();
  write(w, 1, 10);
  write(w, 2, 20);

  Reading got{};
  DDS_SampleInfo info;
  std::memset(&info, 0xAB, sizeof info);
  ASSERT_EQ(DDS_DataReader_read_next_sample(r, &got, &info), DDS_RETCODE_OK);
  EXPECT_EQ(got.value, 10);
  EXPECT_EQ(info.sample_state, DDS_NOT_READ_SAMPLE_STATE);
  EXPECT_EQ(info.valid_data, 1);
  ASSERT_EQ(DDS_DataReader_take_next_sample(r, &got, &info), DDS_RETCODE_OK);
  EXPECT_EQ(got.value, 20);  // the next one not yet read
  EXPECT_EQ(DDS_DataReader_take_next_sample(r, &got, &info), DDS_RETCODE_NO_DATA);
  EXPECT_EQ(info.valid_data, 0);  // the core's defaults, written all the same

  // What read_next_sample left, marked read, is still there for take.
  Loan rest;
  ASSERT_EQ(DDS_DataReader_take(r, rest.data, rest.infos, DDS_LENGTH_UNLIMITED, DDS_READ_SAMPLE_STATE,
                                DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);
  EXPECT_EQ(rest.values(), std::vector<int32_t>{10});
  ASSERT_EQ(DDS_DataReader_return_loan(r, rest.data, rest.infos), DDS_RETCODE_OK);
}

TEST_F(Readers, LoansComeBackInAnyOrderAndOnlyWhatWasLent) {
  ZORVEX::DataWriter* w = writer();
  DDS_DataReader* r = reader();
  DDS_DataReader* second = reader();
  for (int i = 1; i <= 3; ++i) write(w, i, 10 * i);

  Loan a, b;
  ASSERT_EQ(DDS_DataReader_take(r, a.data, a.infos, 1, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);
  ASSERT_EQ(DDS_DataReader_take(r, b.data, b.infos, 2, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);
  EXPECT_EQ(a.values(), std::vector<int32_t>{10});
  EXPECT_EQ(b.values(), (std::vector<int32_t>{20, 30}));
  // Taking again into a sequence whose loan is out would lose that loan.
  write(w, 4, 40);
  EXPECT_EQ(DDS_DataReader_take(r, a.data, a.infos, 1, DDS_ANY_SAMPLE_STATE, DDS_ANY_VIEW_STATE,
                                DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(a.values(), std::vector<int32_t>{10});

  // Values this reader did not lend: refused, and the sequence stays.
  EXPECT_EQ(DDS_DataReader_return_loan(second, b.data, b.infos), DDS_RETCODE_PRECONDITION_NOT_MET);
  EXPECT_EQ(DDS_SampleSequence_size(b.data), 2u);
  Loan forged;
  const Reading mine = reading(9, 9);
  DDS_SampleSequence_push_back_value(forged.data, &mine);
  EXPECT_EQ(DDS_DataReader_return_loan(r, forged.data, forged.infos), DDS_RETCODE_PRECONDITION_NOT_MET);

  EXPECT_EQ(DDS_DataReader_return_loan(r, b.data, b.infos), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_Subscriber_delete_datareader(subscriber_, r), DDS_RETCODE_PRECONDITION_NOT_MET);  // a is out
  EXPECT_EQ(a.value(0).value, 10);  // still valid
  EXPECT_EQ(DDS_DataReader_return_loan(r, a.data, a.infos), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataReader_return_loan(r, a.data, a.infos), DDS_RETCODE_OK);  // emptied: nothing more to return
  EXPECT_EQ(DDS_Subscriber_delete_datareader(subscriber_, r), DDS_RETCODE_OK);

  // The second reader still holds all four; taken for sample information
  // only, nothing stays lent.
  Loan infos_only;
  ASSERT_EQ(DDS_DataReader_take(second, nullptr, infos_only.infos, DDS_LENGTH_UNLIMITED, DDS_ANY_SAMPLE_STATE,
                                DDS_ANY_VIEW_STATE, DDS_ANY_INSTANCE_STATE),
            DDS_RETCODE_OK);
  EXPECT_EQ(infos_only.size(), 4u);
  EXPECT_EQ(DDS_Subscriber_delete_datareader(subscriber_, second), DDS_RETCODE_OK);
}

TEST_F(Readers, ReportMatchedPublicationsAndTheirStatuses) {
  DDS_DataReader* r = reader();
  ZORVEX::DataWriter* w = writer();

  DDS_SubscriptionMatchedStatus matched;
  std::memset(&matched, 0xAB, sizeof matched);
  ASSERT_EQ(DDS_DataReader_get_subscription_matched_status(r, &matched), DDS_RETCODE_OK);
  EXPECT_EQ(matched.current_count, 1);
  EXPECT_EQ(matched.total_count, 1);
  EXPECT_EQ(matched.last_publication_handle.valid, 1);

  DDS_InstanceHandle_tSequence* handles = DDS_InstanceHandle_tSequence_create_with_size(4);
  ASSERT_EQ(DDS_DataReader_get_matched_publications(r, handles), DDS_RETCODE_OK);
  ASSERT_EQ(DDS_InstanceHandle_tSequence_size(handles), 1u);
  const DDS_InstanceHandle_t publication = *DDS_InstanceHandle_tSequence_at(handles, 0);
  EXPECT_EQ(std::memcmp(&publication, &matched.last_publication_handle, sizeof publication), 0);
  const ZORVEX::InstanceHandle_t writer_handle = w->get_instance_handle();
  EXPECT_EQ(std::memcmp(publication.value, writer_handle.value, 16), 0);

  CPublicationData data;
  ASSERT_EQ(DDS_DataReader_get_matched_publication_data(r, data.get(), &publication), DDS_RETCODE_OK);
  EXPECT_EQ(static_cast<std::string&>(data->topic_name), "Readings");
  EXPECT_EQ(static_cast<std::string&>(data->type_name), "Reading");
  EXPECT_EQ(data->reliability.kind, DDS_RELIABLE_RELIABILITY_QOS);
  EXPECT_NE(DDS_DataReader_get_matched_publication_data(r, data.get(), &DDS_HANDLE_NIL), DDS_RETCODE_OK);
  DDS_InstanceHandle_tSequence_destroy(handles);

  // A best-effort writer offers less than this reader asks.
  writer(ZORVEX::BEST_EFFORT_RELIABILITY_QOS);
  DDS_RequestedIncompatibleQosStatus incompatible;
  ASSERT_EQ(DDS_DataReader_get_requested_incompatible_qos_status(r, &incompatible), DDS_RETCODE_OK);
  EXPECT_EQ(incompatible.total_count, 1);
  EXPECT_EQ(incompatible.last_policy_id, ZORVEX::RELIABILITY_QOS_POLICY_ID);

  DDS_SampleLostStatus lost;
  DDS_SampleRejectedStatus rejected;
  DDS_LivelinessChangedStatus liveliness;
  DDS_RequestedDeadlineMissedStatus deadline;
  EXPECT_EQ(DDS_DataReader_get_sample_lost_status(r, &lost), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataReader_get_sample_rejected_status(r, &rejected), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataReader_get_liveliness_changed_status(r, &liveliness), DDS_RETCODE_OK);
  EXPECT_EQ(DDS_DataReader_get_requested_deadline_missed_status(r, &deadline), DDS_RETCODE_OK);
  EXPECT_EQ(lost.total_count, 0);
  EXPECT_EQ(rejected.total_count, 0);
  EXPECT_EQ(deadline.total_count, 0);
  const DDS_Duration_t no_wait{0, 0};
  EXPECT_EQ(DDS_DataReader_wait_for_historical_data(r, &no_wait), DDS_RETCODE_OK);
}

}  // namespace

namespace {

// A record fresh from _initialize, with only a policy that may change edited,
// applies to an entity created with the default QoS: its zero liveliness
// lease means the same as the default's infinite one.
TEST_F(Readers, AnInitializedRecordWithAChangeablePolicyEditedAppliesToDefaultEntities) {
  DDS_DataReader* r =
      DDS_Subscriber_create_datareader(subscriber_, topic_, DDS_DATAREADER_QOS_DEFAULT, nullptr, DDS_STATUS_MASK_NONE);
  DDS_DataWriter* w =
      DDS_Publisher_create_datawriter(c_handle_of<DDS_Publisher>(publisher_), c_handle_of<DDS_Topic>(core_topic_),
                                      DDS_DATAWRITER_QOS_DEFAULT, nullptr, DDS_STATUS_MASK_NONE);
  ASSERT_NE(r, nullptr);
  ASSERT_NE(w, nullptr);

  CReaderQos reader_qos;
  DDS_UCharSequence_push_back_value(&reader_qos->user_data.value, 5);
  EXPECT_EQ(DDS_DataReader_set_qos(r, reader_qos.get()), DDS_RETCODE_OK);
  CWriterQos writer_qos;
  DDS_UCharSequence_push_back_value(&writer_qos->user_data.value, 6);
  EXPECT_EQ(DDS_DataWriter_set_qos(w, writer_qos.get()), DDS_RETCODE_OK);

  // A lease that really differs is still refused.
  reader_qos->liveliness.lease_duration = DDS_Duration_t{5, 0};
  EXPECT_EQ(DDS_DataReader_set_qos(r, reader_qos.get()), DDS_RETCODE_IMMUTABLE_POLICY);
  writer_qos->liveliness.lease_duration = DDS_Duration_t{5, 0};
  EXPECT_EQ(DDS_DataWriter_set_qos(w, writer_qos.get()), DDS_RETCODE_IMMUTABLE_POLICY);

  CReaderQos now;
  ASSERT_EQ(DDS_DataReader_get_qos(r, now.get()), DDS_RETCODE_OK);
  EXPECT_EQ(bytes(now->user_data.value), std::vector<unsigned char>{5});
  DDS_SubscriptionMatchedStatus matched;
  ASSERT_EQ(DDS_DataReader_get_subscription_matched_status(r, &matched), DDS_RETCODE_OK);
  EXPECT_EQ(matched.current_count, 1);
}

}  // namespace
