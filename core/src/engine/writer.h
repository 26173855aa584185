// A data writer: its instances, its durable history (kept when its
// durability is TRANSIENT_LOCAL or more, for readers that match later), its
// matches and statuses.
#ifndef ZORVEX_SRC_ENGINE_WRITER_H
#define ZORVEX_SRC_ENGINE_WRITER_H

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "engine/change.h"
#include "engine/entity_base.h"
#include "engine/instance_registry.h"
#include "engine/key_map.h"
#include "engine/listener_slot.h"
#include "zorvex/publication.h"

namespace ZORVEX::engine {

class Plan;
class PublisherImpl;
class ReaderImpl;
class TopicImpl;

class WriterImpl final : public EntityBase<DataWriter>, public std::enable_shared_from_this<WriterImpl> {
public:
    WriterImpl(PublisherImpl& publisher, TopicImpl& topic, const DataWriterQos& qos,
               HeldListener<DataWriterListener> listener, StatusMask mask);

    ReturnCode_t enable() override;
    InstanceHandle_t register_instance(const void* instance_data) override;
    InstanceHandle_t register_instance_w_timestamp(const void* instance_data, const Time_t& source_timestamp) override;
    ReturnCode_t unregister_instance(const void* instance_data, const InstanceHandle_t& handle) override;
    ReturnCode_t unregister_instance_w_timestamp(const void* instance_data, const InstanceHandle_t& handle,
                                                 const Time_t& source_timestamp) override;
    ReturnCode_t get_key_value(void* key_holder, const InstanceHandle_t& handle) override;
    InstanceHandle_t lookup_instance(const void* instance_data) override;
    ReturnCode_t write(const void* data, const InstanceHandle_t& handle) override;
    ReturnCode_t write_w_timestamp(const void* data, const InstanceHandle_t& handle,
                                   const Time_t& source_timestamp) override;
    ReturnCode_t dispose(const void* data, const InstanceHandle_t& handle) override;
    ReturnCode_t dispose_w_timestamp(const void* data, const InstanceHandle_t& handle,
                                     const Time_t& source_timestamp) override;
    ReturnCode_t wait_for_acknowledgments(const Duration_t& max_wait) override;
    ReturnCode_t get_liveliness_lost_status(LivelinessLostStatus& status) override;
    ReturnCode_t get_offered_deadline_missed_status(OfferedDeadlineMissedStatus& status) override;
    ReturnCode_t get_offered_incompatible_qos_status(OfferedIncompatibleQosStatus& status) override;
    ReturnCode_t get_publication_matched_status(PublicationMatchedStatus& status) override;
    ReturnCode_t assert_liveliness() override;
    Topic* get_topic() override;
    Publisher* get_publisher() override;
    ReturnCode_t get_matched_subscription_data(SubscriptionBuiltinTopicData& subscription_data,
                                               const InstanceHandle_t& subscription_handle) override;
    ReturnCode_t get_matched_subscriptions(std::vector<InstanceHandle_t>& subscription_handles) override;
    ReturnCode_t set_qos(const DataWriterQos& qos) override;
    ReturnCode_t get_qos(DataWriterQos& qos) override;
    ReturnCode_t set_listener(DataWriterListener* listener, const StatusMask& mask) override;
    DataWriterListener* get_listener() override;

    // Under the engine lock.
    void enable_locked(Plan& plan);
    // Before deletion: unregisters every instance, then unmatches. It cannot
    // fail once prepared.
    void prepare_retire(Plan& plan);
    void retire(Deferred& after) noexcept;

    struct Kept {
        uint64_t sequence;  // replays go out in write order
        Buffer data;
        Time_t source_timestamp;
    };
    // The durable history in write order, with each sample's key.
    using Replay = std::vector<std::pair<const std::string*, const Kept*>>;
    Replay durable_samples() const;
    // Sends the durable history to a reader that matches just now.
    void prepare_replay(ReaderImpl& reader, const Replay& replay, Plan& plan);
    void replay_to(ReaderImpl& reader, const Replay& replay, Deferred& after) noexcept;
    // The durable samples of an instance, oldest first. Most instances keep
    // none, and then this holds no memory (a std::deque allocates as it is
    // made): with many keys that memory would lie between the instances.
    class KeptSamples {
    public:
        size_t size() const noexcept { return kept_ ? kept_->size() : 0; }
        // Null when there are none.
        const std::deque<Kept>* all() const noexcept { return kept_.get(); }
        void push_back(Kept&& kept) {
            if (!kept_) kept_ = std::make_unique<std::deque<Kept>>();
            kept_->push_back(std::move(kept));
        }
        void pop_back() noexcept { kept_->pop_back(); }
        void pop_front() noexcept { kept_->pop_front(); }
        void clear() noexcept { kept_.reset(); }

    private:
        std::unique_ptr<std::deque<Kept>> kept_;
    };
    struct Instance {
        KeptSamples history;
        InstanceRegistry::Hold hold;  // names the instance's handle
    };

    PublisherImpl& publisher_;
    TopicImpl& topic_;
    InstanceRegistry& registry_;  // of the topic's name, which outlives the writer
    DataWriterQos qos_;
    ListenerSlot<DataWriterListener> listener_;
    PublicationMatchedStatus matched_status_;
    OfferedIncompatibleQosStatus incompatible_status_;
    LivelinessLostStatus liveliness_lost_status_;
    OfferedDeadlineMissedStatus deadline_missed_status_;
    std::vector<ReaderImpl*> matched_;
    std::vector<ReaderImpl*> incompatible_;  // readers already counted as incompatible
    using Instances = KeyMap<Instance>;
    Instances instances_;  // registered, by key bytes
    size_t history_samples_ = 0;
    uint64_t next_sequence_ = 0;

private:
    ReturnCode_t publish(Change::Kind kind, const void* data, const InstanceHandle_t& handle,
                         const Time_t& timestamp);
    // The registered instance for (key, handle), registering it for a write
    // or dispose; `key` is the sample's, null without a sample. Null with
    // `rc` set when the pair does not fit.
    Instances::value_type* resolve(const std::string* key, const InstanceHandle_t& handle, bool register_new,
                                ReturnCode_t& rc);
    // The key of `data`, in key_, which keeps the key's size once made:
    // after the first, making it allocates nothing, however long the key.
    const std::string& key_of(const void* data);
    // Whether a matched reliable reader would refuse a write of `key` now.
    bool held_back(const std::string& key) const;
    // Leaves the key of `data` in key_ when it returns true.
    bool wait_for_room(Guard& guard, const void* data, std::shared_ptr<WriterImpl>& keep);
    // Keeps a copy for readers that match later (`kept` tells); KEEP_LAST
    // drops the oldest only once the write is certain, in trim_history.
    ReturnCode_t keep_in_history(Instance& instance, const void* data, const Time_t& timestamp, bool& kept);
    void unkeep(Instance& instance) noexcept;
    void trim_history(Instance& instance) noexcept;
    void forget_history(Instance& instance) noexcept;
    // Room in every matched reader for `changes` (taken in order), and for
    // the calls delivering them queues.
    void prepare_delivery(const Change* changes, size_t count, Deferred& after);
    void deliver(const Change& change, Deferred& after) noexcept;

    std::vector<ReaderImpl*> delivered_;  // the readers a delivery changed
    std::string key_;  // the key of the sample at hand, under the engine lock
};

}  // namespace ZORVEX::engine

#endif
