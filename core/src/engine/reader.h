// A data reader: its history, its loans, its read conditions, its matches
// and statuses.
#ifndef ZORVEX_SRC_ENGINE_READER_H
#define ZORVEX_SRC_ENGINE_READER_H

#include <memory>
#include <vector>

#include "engine/change.h"
#include "engine/entity_base.h"
#include "engine/listener_slot.h"
#include "engine/loan_table.h"
#include "engine/reader_history.h"
#include "zorvex/conditions.h"
#include "zorvex/subscription.h"

namespace ZORVEX::engine {

class Plan;
class SubscriberImpl;
class TopicImpl;
class WriterImpl;

class ReaderImpl final : public EntityBase<DataReader>, public std::enable_shared_from_this<ReaderImpl> {
public:
    ReaderImpl(SubscriberImpl& subscriber, TopicImpl& topic, const DataReaderQos& qos,
               HeldListener<DataReaderListener> listener, StatusMask mask);
    ~ReaderImpl() override;

    ReturnCode_t enable() override;
    ReturnCode_t read(SequenceBase& data_values, SequenceBase& sample_infos, int32_t max_samples,
                      SampleStateMask sample_states, ViewStateMask view_states,
                      InstanceStateMask instance_states) override;
    ReturnCode_t take(SequenceBase& data_values, SequenceBase& sample_infos, int32_t max_samples,
                      SampleStateMask sample_states, ViewStateMask view_states,
                      InstanceStateMask instance_states) override;
    ReturnCode_t read_next_sample(void* data, SampleInfo& sample_info) override;
    ReturnCode_t take_next_sample(void* data, SampleInfo& sample_info) override;
    ReturnCode_t return_loan(SequenceBase& data_values, SequenceBase& sample_infos) override;
    InstanceHandle_t lookup_instance(const void* instance_data) override;
    ReturnCode_t get_key_value(void* key_holder, const InstanceHandle_t& handle) override;
    ReadCondition* create_readcondition(SampleStateMask sample_states, ViewStateMask view_states,
                                        InstanceStateMask instance_states) override;
    QueryCondition* create_querycondition(SampleStateMask sample_states, ViewStateMask view_states,
                                          InstanceStateMask instance_states, const std::string& query_expression,
                                          const std::vector<std::string>& query_parameters) override;
    ReturnCode_t delete_readcondition(ReadCondition* condition) override;
    ReturnCode_t get_liveliness_changed_status(LivelinessChangedStatus& status) override;
    ReturnCode_t get_requested_deadline_missed_status(RequestedDeadlineMissedStatus& status) override;
    ReturnCode_t get_requested_incompatible_qos_status(RequestedIncompatibleQosStatus& status) override;
    ReturnCode_t get_sample_lost_status(SampleLostStatus& status) override;
    ReturnCode_t get_sample_rejected_status(SampleRejectedStatus& status) override;
    ReturnCode_t get_subscription_matched_status(SubscriptionMatchedStatus& status) override;
    TopicDescription* get_topicdescription() override;
    Subscriber* get_subscriber() override;
    ReturnCode_t delete_contained_entities() override;
    ReturnCode_t wait_for_historical_data(const Duration_t& max_wait) override;
    ReturnCode_t get_matched_publication_data(PublicationBuiltinTopicData& publication_data,
                                              const InstanceHandle_t& publication_handle) override;
    ReturnCode_t get_matched_publications(std::vector<InstanceHandle_t>& publication_handles) override;
    ReturnCode_t set_qos(const DataReaderQos& qos) override;
    ReturnCode_t get_qos(DataReaderQos& qos) override;
    ReturnCode_t set_listener(DataReaderListener* listener, const StatusMask& mask) override;
    DataReaderListener* get_listener() override;

    // Under the engine lock.
    void enable_locked(Plan& plan);
    // Room for a writer's change, made before anything changes; the caller
    // drops the room in history_ once its operation is over.
    void prepare_receive(const Change& change);
    // Takes in a prepared change; true when the reader's data changed.
    bool receive(const Change& change, Deferred& after) noexcept;
    // Before deletion: unmatches and hands its conditions to `after`. It
    // cannot fail once prepared.
    void prepare_retire(Deferred& after);
    void retire(Deferred& after) noexcept;

    SubscriberImpl& subscriber_;
    TopicImpl& topic_;
    DataReaderQos qos_;
    ListenerSlot<DataReaderListener> listener_;
    SubscriptionMatchedStatus matched_status_;
    RequestedIncompatibleQosStatus incompatible_status_;
    SampleRejectedStatus rejected_status_;
    SampleLostStatus lost_status_;
    LivelinessChangedStatus liveliness_status_;
    RequestedDeadlineMissedStatus deadline_missed_status_;
    std::vector<WriterImpl*> matched_;
    std::vector<WriterImpl*> incompatible_;
    ReaderHistory history_;
    LoanTable loans_;  // lent values, each a block of its own
    std::vector<std::shared_ptr<ReadCondition>> conditions_;

private:
    ReturnCode_t lend(SequenceBase& data_values, SequenceBase& sample_infos, int32_t max_samples,
                      SampleStateMask sample_states, ViewStateMask view_states, InstanceStateMask instance_states,
                      bool take);
    ReturnCode_t next_sample(void* data, SampleInfo& sample_info, bool take);
    void accessed(Deferred& after);
};

}  // namespace ZORVEX::engine

#endif
