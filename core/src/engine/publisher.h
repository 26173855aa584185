// A publisher and its writers.
#ifndef ZORVEX_SRC_ENGINE_PUBLISHER_H
#define ZORVEX_SRC_ENGINE_PUBLISHER_H

#include <memory>
#include <vector>

#include "engine/entity_base.h"
#include "engine/listener_slot.h"
#include "zorvex/publication.h"

namespace ZORVEX::engine {

class ParticipantImpl;
class Plan;
class WriterImpl;

class PublisherImpl final : public EntityBase<Publisher>, public std::enable_shared_from_this<PublisherImpl> {
public:
    PublisherImpl(ParticipantImpl& participant, const PublisherQos& qos,
                  HeldListener<PublisherListener> listener, StatusMask mask);

    ReturnCode_t enable() override;
    DataWriter* create_datawriter(Topic* topic, const DataWriterQos& qos, DataWriterListener* listener,
                                  const StatusMask& mask) override;
    ReturnCode_t delete_datawriter(DataWriter*& writer) override;
    DataWriter* lookup_datawriter(const std::string& topic_name) override;
    ReturnCode_t suspend_publications() override;
    ReturnCode_t resume_publications() override;
    ReturnCode_t begin_coherent_changes() override;
    ReturnCode_t end_coherent_changes() override;
    ReturnCode_t wait_for_acknowledgments(const Duration_t& max_wait) override;
    DomainParticipant* get_participant() override;
    ReturnCode_t delete_contained_entities() override;
    ReturnCode_t set_qos(const PublisherQos& qos) override;
    ReturnCode_t get_qos(PublisherQos& qos) override;
    ReturnCode_t set_listener(PublisherListener* listener, const StatusMask& mask) override;
    PublisherListener* get_listener() override;
    ReturnCode_t set_default_datawriter_qos(const DataWriterQos& qos) override;
    ReturnCode_t get_default_datawriter_qos(DataWriterQos& qos) override;

    // Under the engine lock.
    bool autoenables() const { return enabled_ && qos_.entity_factory.autoenable_created_entities; }
    void enable_locked(Plan& plan);
    // Unregisters, unmatches and releases every writer; it cannot fail once
    // prepared.
    void prepare_tear_down(Plan& plan);
    void tear_down(Deferred& after) noexcept;

    ParticipantImpl& participant_;
    PublisherQos qos_;
    ListenerSlot<PublisherListener> listener_;
    DataWriterQos default_writer_qos_;
    std::vector<std::shared_ptr<WriterImpl>> writers_;
    bool suspended_ = false;
    int coherent_depth_ = 0;
};

}  // namespace ZORVEX::engine

#endif
