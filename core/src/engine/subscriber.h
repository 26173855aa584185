// A subscriber and its readers.
#ifndef ZORVEX_SRC_ENGINE_SUBSCRIBER_H
#define ZORVEX_SRC_ENGINE_SUBSCRIBER_H

#include <memory>
#include <vector>

#include "engine/entity_base.h"
#include "engine/listener_slot.h"
#include "zorvex/subscription.h"

namespace ZORVEX::engine {

class ParticipantImpl;
class Plan;
class ReaderImpl;

class SubscriberImpl final : public EntityBase<Subscriber>, public std::enable_shared_from_this<SubscriberImpl> {
public:
    SubscriberImpl(ParticipantImpl& participant, const SubscriberQos& qos,
                   HeldListener<SubscriberListener> listener, StatusMask mask);

    ReturnCode_t enable() override;
    DataReader* create_datareader(TopicDescription* topic, const DataReaderQos& qos, DataReaderListener* listener,
                                  const StatusMask& mask) override;
    ReturnCode_t delete_datareader(DataReader*& reader) override;
    DataReader* lookup_datareader(const std::string& topic_name) override;
    ReturnCode_t get_datareaders(std::vector<DataReader*>& readers, const SampleStateMask& sample_states,
                                 const ViewStateMask& view_states,
                                 const InstanceStateMask& instance_states) override;
    ReturnCode_t notify_datareaders() override;
    ReturnCode_t begin_access() override;
    ReturnCode_t end_access() override;
    DomainParticipant* get_participant() override;
    ReturnCode_t delete_contained_entities() override;
    ReturnCode_t set_qos(const SubscriberQos& qos) override;
    ReturnCode_t get_qos(SubscriberQos& qos) override;
    ReturnCode_t set_listener(SubscriberListener* listener, const StatusMask& mask) override;
    SubscriberListener* get_listener() override;
    ReturnCode_t set_default_datareader_qos(const DataReaderQos& qos) override;
    ReturnCode_t get_default_datareader_qos(DataReaderQos& qos) override;

    // Under the engine lock.
    bool autoenables() const { return enabled_ && qos_.entity_factory.autoenable_created_entities; }
    void enable_locked(Plan& plan);
    bool can_tear_down() const;
    // Retires and releases every reader; it cannot fail once prepared.
    void prepare_tear_down(Deferred& after);
    void tear_down(Deferred& after) noexcept;

    ParticipantImpl& participant_;
    SubscriberQos qos_;
    ListenerSlot<SubscriberListener> listener_;
    DataReaderQos default_reader_qos_;
    std::vector<std::shared_ptr<ReaderImpl>> readers_;
    int access_depth_ = 0;
};

}  // namespace ZORVEX::engine

#endif
