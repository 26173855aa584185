// Subscribing side: Subscriber and DataReader.
#ifndef ZORVEX_SUBSCRIPTION_H
#define ZORVEX_SUBSCRIPTION_H

#include <string>
#include <vector>

#include "zorvex/entity.h"
#include "zorvex/listeners.h"
#include "zorvex/qos.h"
#include "zorvex/sequence_base.h"
#include "zorvex/status.h"

namespace ZORVEX {

class QUILLMAR_API Subscriber : public virtual Entity {
public:
    ~Subscriber() override;
    // DATAREADER_QOS_DEFAULT: the subscriber's default reader QoS. Null for a
    // topic description of another participant, a content-filtered topic or
    // an inconsistent QoS.
    virtual DataReader* create_datareader(TopicDescription* topic, const DataReaderQos& qos,
                                          DataReaderListener* listener, const StatusMask& mask);
    virtual DataReader* create_datareader_with_qos_profile(TopicDescription* topic, const char* library_name,
                                                           const char* profile_name, const char* qos_name,
                                                           DataReaderListener* listener, StatusMask mask);
    // Sets `reader` to null on success; RETCODE_PRECONDITION_NOT_MET while the
    // reader has read conditions or loans not returned.
    virtual ReturnCode_t delete_datareader(DataReader*& reader);
    virtual DataReader* lookup_datareader(const std::string& topic_name);
    // The readers holding a sample in the three masks.
    virtual ReturnCode_t get_datareaders(std::vector<DataReader*>& readers, const SampleStateMask& sample_states,
                                         const ViewStateMask& view_states,
                                         const InstanceStateMask& instance_states);
    virtual ReturnCode_t notify_datareaders();
    virtual ReturnCode_t begin_access();
    virtual ReturnCode_t end_access();
    virtual DomainParticipant* get_participant();
    virtual ReturnCode_t delete_contained_entities();
    virtual ReturnCode_t set_qos(const SubscriberQos& qos);
    virtual ReturnCode_t get_qos(SubscriberQos& qos);
    virtual ReturnCode_t set_qos_with_profile(const char* library_name, const char* profile_name,
                                              const char* qos_name);
    virtual ReturnCode_t set_listener(SubscriberListener* listener, const StatusMask& mask);
    virtual SubscriberListener* get_listener();
    virtual ReturnCode_t set_default_datareader_qos(const DataReaderQos& qos);
    virtual ReturnCode_t get_default_datareader_qos(DataReaderQos& qos);
    virtual ReturnCode_t set_default_datareader_qos_with_profile(const char* library_name,
                                                                 const char* profile_name,
                                                                 const char* qos_name);

    // Copies the topic's policies that a reader also has into `datareader_qos`.
    static ReturnCode_t copy_from_topic_qos(DataReaderQos& datareader_qos, const TopicQos& topic_qos);
};

// read and take lend: they grow `data_values` and `sample_infos` (see
// SequenceBase) to n elements, put in cell i the address of sample i's value
// and its SampleInfo, and answer RETCODE_OK, or RETCODE_NO_DATA when no sample
// is in the masks. A lent value stays valid until return_loan is given a data
// loan holding its address; loans may come back in any order, and one that is
// not this reader's answers RETCODE_PRECONDITION_NOT_MET. Samples come in
// arrival order; max_samples LENGTH_UNLIMITED takes all.
class QUILLMAR_API DataReader : public virtual Entity {
public:
    ~DataReader() override;
    virtual ReturnCode_t read(SequenceBase& data_values, SequenceBase& sample_infos, int32_t max_samples,
                              SampleStateMask sample_states, ViewStateMask view_states,
                              InstanceStateMask instance_states);
    virtual ReturnCode_t take(SequenceBase& data_values, SequenceBase& sample_infos, int32_t max_samples,
                              SampleStateMask sample_states, ViewStateMask view_states,
                              InstanceStateMask instance_states);
    // Copy the next sample not yet read into `data` (sample_size bytes).
    virtual ReturnCode_t read_next_sample(void* data, SampleInfo& sample_info);
    virtual ReturnCode_t take_next_sample(void* data, SampleInfo& sample_info);
    virtual ReturnCode_t return_loan(SequenceBase& data_values, SequenceBase& sample_infos);
    virtual InstanceHandle_t lookup_instance(const void* instance_data);
    virtual ReturnCode_t get_key_value(void* key_holder, const InstanceHandle_t& handle);
    virtual ReadCondition* create_readcondition(SampleStateMask sample_states, ViewStateMask view_states,
                                                InstanceStateMask instance_states);
    // The expression is kept, not evaluated: the condition triggers on its
    // masks alone.
    virtual QueryCondition* create_querycondition(SampleStateMask sample_states, ViewStateMask view_states,
                                                  InstanceStateMask instance_states,
                                                  const std::string& query_expression,
                                                  const std::vector<std::string>& query_parameters);
    virtual ReturnCode_t delete_readcondition(ReadCondition* condition);
    virtual ReturnCode_t get_liveliness_changed_status(LivelinessChangedStatus& status);
    virtual ReturnCode_t get_requested_deadline_missed_status(RequestedDeadlineMissedStatus& status);
    virtual ReturnCode_t get_requested_incompatible_qos_status(RequestedIncompatibleQosStatus& status);
    virtual ReturnCode_t get_sample_lost_status(SampleLostStatus& status);
    virtual ReturnCode_t get_sample_rejected_status(SampleRejectedStatus& status);
    virtual ReturnCode_t get_subscription_matched_status(SubscriptionMatchedStatus& status);
    virtual TopicDescription* get_topicdescription();
    virtual Subscriber* get_subscriber();
    // Deletes the reader's read and query conditions.
    virtual ReturnCode_t delete_contained_entities();
    virtual ReturnCode_t wait_for_historical_data(const Duration_t& max_wait);
    virtual ReturnCode_t get_matched_publication_data(PublicationBuiltinTopicData& publication_data,
                                                      const InstanceHandle_t& publication_handle);
    virtual ReturnCode_t get_matched_publications(std::vector<InstanceHandle_t>& publication_handles);
    virtual ReturnCode_t set_qos(const DataReaderQos& qos);
    virtual ReturnCode_t get_qos(DataReaderQos& qos);
    virtual ReturnCode_t set_qos_with_profile(const char* library_name, const char* profile_name,
                                              const char* qos_name);
    virtual ReturnCode_t set_listener(DataReaderListener* listener, const StatusMask& mask);
    virtual DataReaderListener* get_listener();
};

}  // namespace ZORVEX

#endif
