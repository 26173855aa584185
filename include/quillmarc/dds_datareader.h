/* Data reader: reads and takes samples with their sample information,
 * makes read and query conditions, and reports its QoS, statuses and matched
 * publications.
 *
 * A reader is made by DDS_Subscriber_create_datareader and belongs to its
 * subscriber. Every function answers the core's return code or value
 * unchanged, and tests no reader handle.
 *
 * A dispose, or the unregistration by an instance's last writer, reaches a
 * reader as a change of the instance's state, and whether it brings a
 * sample of its own depends on what the reader still holds:
 *   - a reader holding an unread sample of the instance gets no new sample:
 *     that sample (valid_data 1) now carries the instance state
 *     (DDS_NOT_ALIVE_DISPOSED_INSTANCE_STATE or
 *     DDS_NOT_ALIVE_NO_WRITERS_INSTANCE_STATE);
 *   - a reader that has read or taken every sample of the instance gets one
 *     new sample with valid_data 0, which carries the state alone.
 * A loop over the samples therefore tests valid_data before it reads a
 * value. */
#ifndef QUILLMARC_DDS_DATAREADER_H
#define QUILLMARC_DDS_DATAREADER_H

#include "dds_c_string.h"
#include "dds_entity_sequences.h"
#include "dds_infrastructure.h"
#include "dds_listeners.h"
#include "dds_qos.h"
#include "dds_sequence.h"
#include "dds_status.h"

/* DDS_SampleSequence: the samples of a read or take, one element per sample
 * in the order of its DDS_SampleInfoSequence. Element i is the address of
 * sample i's value, lent by the reader: read it through a pointer to the
 * topic's type, e.g.
 *   const struct Reading* r = *DDS_SampleSequence_at(samples, i);
 * and only while DDS_SampleInfo valid_data is nonzero (a sample that only
 * reports an instance state has no meaningful value). The values stay valid
 * until the same sequence is given to DDS_DataReader_return_loan; the
 * sequence object itself is the caller's, made with _create and released
 * with _destroy like every DDS_<T>Sequence. */
QUILLMARC_DECLARE_SEQUENCE(DDS_SampleSequence, const void*, const void*)

QUILLMARC_EXTERN_C_BEGIN

/* Reading and taking. read leaves the samples in the reader, marked read;
 * take removes them. Both select up to max_samples samples
 * (DDS_LENGTH_UNLIMITED: all) whose states are in the three masks, oldest
 * first, and answer DDS_RETCODE_OK, or DDS_RETCODE_NO_DATA when none is.
 *
 * Whatever the code, info_seq then holds exactly one sample information per
 * sample (none on NO_DATA): the sequence is resized, elements it held before
 * are overwritten but for their reserved words, new ones start all zero.
 * data_values must come empty and then holds the samples' value addresses,
 * in the same order. These values are lent: hand data_values and info_seq
 * back with DDS_DataReader_return_loan once done, before taking into the same
 * sequence again; a reader with loans out cannot be deleted. Loans taken into
 * different sequences may be returned in any order.
 *
 * A data_values that is not empty still holds a loan (or something else the
 * call would overwrite): read and take then answer
 * DDS_RETCODE_PRECONDITION_NOT_MET, ask the reader nothing and leave both
 * sequences as they are.
 *
 * data_values NULL: only the sample information reaches the caller; the
 * values are handed back to the reader before the function returns, so
 * nothing stays lent. */
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_read(DDS_DataReader* reader, DDS_SampleSequence* data_values,
                                                   DDS_SampleInfoSequence* info_seq, DDS_Long max_samples,
                                                   DDS_SampleStateMask sample_states, DDS_ViewStateMask view_states,
                                                   DDS_InstanceStateMask instance_states);
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_take(DDS_DataReader* reader, DDS_SampleSequence* data_values,
                                                   DDS_SampleInfoSequence* info_seq, DDS_Long max_samples,
                                                   DDS_SampleStateMask sample_states, DDS_ViewStateMask view_states,
                                                   DDS_InstanceStateMask instance_states);
/* Hands back to the reader exactly the values whose addresses data_values
 * holds, so that it releases them; info_seq goes back with them and is left
 * as it is. On DDS_RETCODE_OK data_values is emptied, since its addresses no
 * longer name anything. An address the reader did not lend, or one already
 * returned, fails the whole return (DDS_RETCODE_PRECONDITION_NOT_MET) and
 * leaves data_values as it was. data_values NULL returns no value (for a
 * read or take that was given NULL). */
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_return_loan(DDS_DataReader* reader, DDS_SampleSequence* data_values,
                                                          DDS_SampleInfoSequence* info_seq);
/* The next sample not yet read, copied into the caller's data (as large as a
 * sample of the topic's type), and its sample information, written whatever
 * the code. read_next_sample leaves the sample in the reader, marked read;
 * take_next_sample removes it. DDS_RETCODE_NO_DATA when there is none. */
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_read_next_sample(DDS_DataReader* reader, void* data,
                                                               DDS_SampleInfo* sample_info);
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_take_next_sample(DDS_DataReader* reader, void* data,
                                                               DDS_SampleInfo* sample_info);

/* Read and query conditions: they trigger while the reader holds a sample
 * whose states are in all three masks, and belong to the reader, which
 * deletes them with DDS_DataReader_delete_readcondition or
 * DDS_DataReader_delete_contained_entities. NULL when the core refuses. A
 * query condition is a read condition that also keeps its expression and
 * parameters, copied here; a NULL expression throws std::logic_error before
 * the core is asked. */
QUILLMARC_API DDS_ReadCondition* DDS_DataReader_create_readcondition(DDS_DataReader* reader,
                                                                     DDS_SampleStateMask sample_states,
                                                                     DDS_ViewStateMask view_states,
                                                                     DDS_InstanceStateMask instance_states);
QUILLMARC_API DDS_ReadCondition* DDS_DataReader_create_querycondition(DDS_DataReader* reader,
                                                                      DDS_SampleStateMask sample_states,
                                                                      DDS_ViewStateMask view_states,
                                                                      DDS_InstanceStateMask instance_states,
                                                                      const char* query_expression,
                                                                      const DDS_CStringSequence* query_parameters);
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_delete_readcondition(DDS_DataReader* reader,
                                                                   DDS_ReadCondition* condition);
/* Deletes the reader's read and query conditions. */
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_delete_contained_entities(DDS_DataReader* reader);

/* QoS. get_qos overwrites the caller's initialised record whatever code it
 * answers; set_qos always reads its record. set_qos_with_profile hands the
 * three profile names to the core untouched. */
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_get_qos(DDS_DataReader* reader, DDS_DataReaderQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_set_qos(DDS_DataReader* reader, const DDS_DataReaderQos* qos);
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_set_qos_with_profile(DDS_DataReader* reader, const char* library_name,
                                                                   const char* profile_name, const char* qos_name);

/* The listener: the record stays the caller's and must stay valid while the
 * reader uses it (NULL: no callback). get_listener answers the record of the
 * last set_listener, or of the creation, and NULL when there is none. */
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_set_listener(DDS_DataReader* reader,
                                                           const DDS_DataReaderListener* listener,
                                                           DDS_StatusMask mask);
QUILLMARC_API const DDS_DataReaderListener* DDS_DataReader_get_listener(DDS_DataReader* reader);

/* Statuses, written into the caller's record whatever code is answered. */
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_get_liveliness_changed_status(DDS_DataReader* reader,
                                                                            DDS_LivelinessChangedStatus* status);
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_get_requested_deadline_missed_status(
    DDS_DataReader* reader, DDS_RequestedDeadlineMissedStatus* status);
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_get_requested_incompatible_qos_status(
    DDS_DataReader* reader, DDS_RequestedIncompatibleQosStatus* status);
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_get_sample_lost_status(DDS_DataReader* reader,
                                                                     DDS_SampleLostStatus* status);
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_get_sample_rejected_status(DDS_DataReader* reader,
                                                                         DDS_SampleRejectedStatus* status);
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_get_subscription_matched_status(DDS_DataReader* reader,
                                                                              DDS_SubscriptionMatchedStatus* status);

/* The reader's topic description and subscriber; they belong to the
 * participant. */
QUILLMARC_API DDS_TopicDescription* DDS_DataReader_get_topicdescription(DDS_DataReader* reader);
QUILLMARC_API DDS_Subscriber* DDS_DataReader_get_subscriber(DDS_DataReader* reader);

QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_wait_for_historical_data(DDS_DataReader* reader,
                                                                       const DDS_Duration_t* max_wait);

/* Matched publications. get_matched_publication_data fills the caller's
 * initialised record (DDS_PublicationBuiltinTopicData_initialize) whatever
 * code it answers; the handle record is read as it is (a record not valid
 * names no publication). get_matched_publications replaces the whole content
 * of the caller's sequence with the matched handles, in the core's order,
 * whatever code it answers. */
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_get_matched_publication_data(
    DDS_DataReader* reader, DDS_PublicationBuiltinTopicData* publication_data,
    const DDS_InstanceHandle_t* publication_handle);
QUILLMARC_API DDS_ReturnCode_t DDS_DataReader_get_matched_publications(
    DDS_DataReader* reader, DDS_InstanceHandle_tSequence* publication_handles);

QUILLMARC_EXTERN_C_END

#endif
