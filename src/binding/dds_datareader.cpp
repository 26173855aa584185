// The data reader's functions: one core call each. read and take borrow the
// samples through two loan sequences made for the call: the caller receives
// the converted sample information and the address of each lent value, and
// return_loan hands exactly those addresses back, so that the core releases
// the values.
#include "quillmarc/dds_datareader.h"

#include <vector>

#include "binding/loan_sequence.h"
#include "binding/shapes.h"
#include "value_types/sequence_impl.h"

// Its _create and _destroy stand in entity_sequence_lifetimes.cpp.
QUILLMARC_DEFINE_SEQUENCE_CLASS(DDS_SampleSequence, const void*)
QUILLMARC_DEFINE_SEQUENCE_FUNCTIONS(DDS_SampleSequence, const void*)

using quillmarc::core;
using quillmarc::handle;
using quillmarc::to_core;
using ZORVEX::DataReader;

namespace {

using ReadOrTake = ZORVEX::ReturnCode_t (DataReader::*)(SequenceBase&, SequenceBase&, int32_t,
                                                          ZORVEX::SampleStateMask, ZORVEX::ViewStateMask,
                                                          ZORVEX::InstanceStateMask);

// What the core lent, as the caller receives it: info_seq resized to the
// information loan's length (new elements all zero, those kept overwritten
// but for their reserved words), data_values replaced by the lent addresses.
void deliver(SequenceData<void*>& data, SequenceData<ZORVEX::SampleInfo>& infos, DDS_SampleSequence* data_values,
             DDS_SampleInfoSequence* info_seq) {
  const int n = infos.length();
  std::vector<DDS_SampleInfo>& out = *info_seq;
  out.resize(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) DDSTypeConvert::convert(static_cast<const ZORVEX::SampleInfo&>(infos[i]), out[i]);
  if (data_values == nullptr) return;
  // The caller's array is reused: a failed growth leaves it as it was, and
  // nothing after the resize can throw.
  std::vector<const void*>& values = *data_values;
  values.resize(static_cast<size_t>(data.length()));
  for (int i = 0; i < data.length(); ++i) values[static_cast<size_t>(i)] = data[i];
}

ZORVEX::ReturnCode_t lend(ReadOrTake op, DDS_DataReader* reader, DDS_SampleSequence* data_values,
                          DDS_SampleInfoSequence* info_seq, DDS_Long max_samples, DDS_SampleStateMask sample_states,
                          DDS_ViewStateMask view_states, DDS_InstanceStateMask instance_states) {
  // Addresses still in data_values are a loan not yet returned: replacing
  // them would lose it for good, and the reader could never be deleted.
  if (data_values != nullptr && !DDS_SampleSequence_empty(data_values)) return DDS_RETCODE_PRECONDITION_NOT_MET;
  // Made in this order so that the data loan goes first.
  SequenceData<ZORVEX::SampleInfo> infos;
  SequenceData<void*> data;
  DataReader* r = core(reader);
  const ZORVEX::ReturnCode_t rc = (r->*op)(data, infos, max_samples, sample_states, view_states, instance_states);
  const bool lent = rc == ZORVEX::RETCODE_OK;
  try {
    deliver(data, infos, data_values, info_seq);
  } catch (...) {
    // The caller cannot receive these values, so none stays lent.
    if (lent) r->return_loan(data, infos);
    throw;
  }
  // No sequence to receive the values: they go straight back.
  if (lent && data_values == nullptr) r->return_loan(data, infos);
  return rc;
}

}  // namespace

extern "C" {

DDS_ReturnCode_t DDS_DataReader_read(DDS_DataReader* reader, DDS_SampleSequence* data_values,
                                     DDS_SampleInfoSequence* info_seq, DDS_Long max_samples,
                                     DDS_SampleStateMask sample_states, DDS_ViewStateMask view_states,
                                     DDS_InstanceStateMask instance_states) {
  return lend(&DataReader::read, reader, data_values, info_seq, max_samples, sample_states, view_states,
              instance_states);
}

DDS_ReturnCode_t DDS_DataReader_take(DDS_DataReader* reader, DDS_SampleSequence* data_values,
                                     DDS_SampleInfoSequence* info_seq, DDS_Long max_samples,
                                     DDS_SampleStateMask sample_states, DDS_ViewStateMask view_states,
                                     DDS_InstanceStateMask instance_states) {
  return lend(&DataReader::take, reader, data_values, info_seq, max_samples, sample_states, view_states,
              instance_states);
}

// The information loan is rebuilt from info_seq, element by element, into a
// cell array grown once; the data loan is a view of the caller's addresses,
// which become the caller's no more once the core has taken them back.
DDS_ReturnCode_t DDS_DataReader_return_loan(DDS_DataReader* reader, DDS_SampleSequence* data_values,
                                            DDS_SampleInfoSequence* info_seq) {
  SequenceData<ZORVEX::SampleInfo> infos;
  const std::vector<DDS_SampleInfo>& given = *info_seq;
  infos.reserve(static_cast<int>(given.size()));
  for (size_t i = 0; i < given.size(); ++i) {
    ZORVEX::SampleInfo info;
    DDSTypeConvert::convert(given[i], info);
    infos.push_back(info);
  }
  std::vector<const void*> none;
  HeldAddresses data(data_values != nullptr ? static_cast<std::vector<const void*>&>(*data_values) : none);
  const ZORVEX::ReturnCode_t rc = core(reader)->return_loan(data, infos);
  if (rc == ZORVEX::RETCODE_OK && data_values != nullptr) DDS_SampleSequence_clear(data_values);
  return rc;
}

DDS_ReturnCode_t DDS_DataReader_read_next_sample(DDS_DataReader* reader, void* data, DDS_SampleInfo* sample_info) {
  ZORVEX::SampleInfo info;
  const ZORVEX::ReturnCode_t rc = core(reader)->read_next_sample(data, info);
  DDSTypeConvert::convert(static_cast<const ZORVEX::SampleInfo&>(info), *sample_info);
  return rc;
}

DDS_ReturnCode_t DDS_DataReader_take_next_sample(DDS_DataReader* reader, void* data, DDS_SampleInfo* sample_info) {
  ZORVEX::SampleInfo info;
  const ZORVEX::ReturnCode_t rc = core(reader)->take_next_sample(data, info);
  DDSTypeConvert::convert(static_cast<const ZORVEX::SampleInfo&>(info), *sample_info);
  return rc;
}

DDS_ReadCondition* DDS_DataReader_create_readcondition(DDS_DataReader* reader, DDS_SampleStateMask sample_states,
                                                       DDS_ViewStateMask view_states,
                                                       DDS_InstanceStateMask instance_states) {
  return handle(core(reader)->create_readcondition(sample_states, view_states, instance_states));
}

// The parameters are copied first, then the expression.
DDS_ReadCondition* DDS_DataReader_create_querycondition(DDS_DataReader* reader, DDS_SampleStateMask sample_states,
                                                        DDS_ViewStateMask view_states,
                                                        DDS_InstanceStateMask instance_states,
                                                        const char* query_expression,
                                                        const DDS_CStringSequence* query_parameters) {
  const std::vector<std::string> parameters = quillmarc::strings(*query_parameters);
  const std::string expression = quillmarc::text(query_expression);
  ZORVEX::ReadCondition* created =
      core(reader)->create_querycondition(sample_states, view_states, instance_states, expression, parameters);
  return handle(created);
}

DDS_ReturnCode_t DDS_DataReader_delete_readcondition(DDS_DataReader* reader, DDS_ReadCondition* condition) {
  return core(reader)->delete_readcondition(core(condition));
}

DDS_ReturnCode_t DDS_DataReader_delete_contained_entities(DDS_DataReader* reader) {
  return core(reader)->delete_contained_entities();
}

DDS_ReturnCode_t DDS_DataReader_get_qos(DDS_DataReader* reader, DDS_DataReaderQos* qos) {
  return quillmarc::get_record(core(reader), &DataReader::get_qos, qos);
}

DDS_ReturnCode_t DDS_DataReader_set_qos(DDS_DataReader* reader, const DDS_DataReaderQos* qos) {
  return quillmarc::set_record(core(reader), &DataReader::set_qos, qos);
}

DDS_ReturnCode_t DDS_DataReader_set_qos_with_profile(DDS_DataReader* reader, const char* library_name,
                                                     const char* profile_name, const char* qos_name) {
  return core(reader)->set_qos_with_profile(library_name, profile_name, qos_name);
}

DDS_ReturnCode_t DDS_DataReader_set_listener(DDS_DataReader* reader, const DDS_DataReaderListener* listener,
                                             DDS_StatusMask mask) {
  return quillmarc::set_listener<DataReaderListenerImpl>(core(reader), listener, mask);
}

const DDS_DataReaderListener* DDS_DataReader_get_listener(DDS_DataReader* reader) {
  return quillmarc::get_listener<DataReaderListenerImpl>(core(reader));
}

DDS_ReturnCode_t DDS_DataReader_get_liveliness_changed_status(DDS_DataReader* reader,
                                                              DDS_LivelinessChangedStatus* status) {
  return quillmarc::get_record(core(reader), &DataReader::get_liveliness_changed_status, status);
}

DDS_ReturnCode_t DDS_DataReader_get_requested_deadline_missed_status(DDS_DataReader* reader,
                                                                     DDS_RequestedDeadlineMissedStatus* status) {
  return quillmarc::get_record(core(reader), &DataReader::get_requested_deadline_missed_status, status);
}

DDS_ReturnCode_t DDS_DataReader_get_requested_incompatible_qos_status(DDS_DataReader* reader,
                                                                      DDS_RequestedIncompatibleQosStatus* status) {
  return quillmarc::get_record(core(reader), &DataReader::get_requested_incompatible_qos_status, status);
}

DDS_ReturnCode_t DDS_DataReader_get_sample_lost_status(DDS_DataReader* reader, DDS_SampleLostStatus* status) {
  return quillmarc::get_record(core(reader), &DataReader::get_sample_lost_status, status);
}

DDS_ReturnCode_t DDS_DataReader_get_sample_rejected_status(DDS_DataReader* reader, DDS_SampleRejectedStatus* status) {
  return quillmarc::get_record(core(reader), &DataReader::get_sample_rejected_status, status);
}

DDS_ReturnCode_t DDS_DataReader_get_subscription_matched_status(DDS_DataReader* reader,
                                                                DDS_SubscriptionMatchedStatus* status) {
  return quillmarc::get_record(core(reader), &DataReader::get_subscription_matched_status, status);
}

DDS_TopicDescription* DDS_DataReader_get_topicdescription(DDS_DataReader* reader) {
  return handle(core(reader)->get_topicdescription());
}

DDS_Subscriber* DDS_DataReader_get_subscriber(DDS_DataReader* reader) {
  return handle(core(reader)->get_subscriber());
}

DDS_ReturnCode_t DDS_DataReader_wait_for_historical_data(DDS_DataReader* reader, const DDS_Duration_t* max_wait) {
  const ZORVEX::Duration_t wait = to_core(*max_wait);
  return core(reader)->wait_for_historical_data(wait);
}

DDS_ReturnCode_t DDS_DataReader_get_matched_publication_data(DDS_DataReader* reader,
                                                             DDS_PublicationBuiltinTopicData* publication_data,
                                                             const DDS_InstanceHandle_t* publication_handle) {
  const ZORVEX::InstanceHandle_t matched = to_core(*publication_handle);
  return quillmarc::get_record(core(reader), &DataReader::get_matched_publication_data, publication_data, matched);
}

DDS_ReturnCode_t DDS_DataReader_get_matched_publications(DDS_DataReader* reader,
                                                         DDS_InstanceHandle_tSequence* publication_handles) {
  std::vector<ZORVEX::InstanceHandle_t> matched;
  const ZORVEX::ReturnCode_t rc = core(reader)->get_matched_publications(matched);
  quillmarc::replace(*publication_handles, matched);
  return rc;
}

}  // extern "C"
