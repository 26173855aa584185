// The factory singleton and the domains its participants live in.
#ifndef ZORVEX_SRC_ENGINE_FACTORY_H
#define ZORVEX_SRC_ENGINE_FACTORY_H

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "zorvex/domain.h"

namespace ZORVEX::engine {

class ParticipantImpl;

// The participants of one domain id, and the instance handles of its topics:
// every writer and reader of a topic name names an instance alike.
struct Domain {
    DomainId_t id = 0;
    std::vector<ParticipantImpl*> participants;
    std::unordered_map<std::string, std::unordered_map<std::string, InstanceHandle_t>> instances;

    InstanceHandle_t instance_handle(const std::string& topic_name, const std::string& key);
    // Drops the instance handles of a topic name no participant uses any more.
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
