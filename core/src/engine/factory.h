// The factory singleton and the domains its participants live in.
#ifndef ZORVEX_SRC_ENGINE_FACTORY_H
#define ZORVEX_SRC_ENGINE_FACTORY_H

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/instance_registry.h"
#include "zorvex/domain.h"

namespace ZORVEX::engine {

class ParticipantImpl;

// The participants of one domain id, and the instance handles of its topics:
// every writer and reader of a topic name names an instance alike.
struct Domain {
    DomainId_t id = 0;
    std::vector<ParticipantImpl*> participants;
    std::unordered_map<std::string, InstanceRegistry> instances;

    // The registry of a topic name; it stays while a participant has a topic of that name.
    InstanceRegistry& registry(const std::string& topic_name);
    // Drops the registry of a topic name no participant uses any more.
    void topic_gone(const std::string& topic_name);
};

class FactoryImpl final : public DomainParticipantFactory {
public:
    DomainParticipant* create_participant(DomainId_t domain_id, const DomainParticipantQos& qos,
                                          DomainParticipantListener* listener, const StatusMask& mask) override;
    ReturnCode_t delete_participant(DomainParticipant*& participant) override;
    DomainParticipant* lookup_participant(DomainId_t domain_id) override;
    ReturnCode_t set_default_participant_qos(const DomainParticipantQos& qos) override;
    ReturnCode_t get_default_participant_qos(DomainParticipantQos& qos) override;
    ReturnCode_t set_qos(const DomainParticipantFactoryQos& qos) override;
    ReturnCode_t get_qos(DomainParticipantFactoryQos& qos) override;

    std::vector<std::shared_ptr<ParticipantImpl>> participants_;
    std::map<DomainId_t, Domain> domains_;
    DomainParticipantQos default_participant_qos_;
    DomainParticipantFactoryQos qos_;
};

}  // namespace ZORVEX::engine

#endif
