#include "engine/factory.h"

#include <algorithm>

#include "engine/entity_operations.h"
#include "engine/lock.h"
#include "engine/participant.h"
#include "engine/plan.h"
#include "engine/qos_rules.h"

namespace ZORVEX {

DomainParticipantFactory* DomainParticipantFactory::get_instance() {
    // Never destroyed, so entities left at exit stay reachable and nothing
    // runs against a dead factory during static destruction.
    static engine::FactoryImpl* factory = new engine::FactoryImpl;
    return factory;
}

namespace engine {

InstanceRegistry& Domain::registry(const std::string& topic_name) { return instances[topic_name]; }

void Domain::topic_gone(const std::string& topic_name) {
    for (ParticipantImpl* p : participants)
        if (p->local_topic(topic_name)) return;
    instances.erase(topic_name);
}

DomainParticipant* FactoryImpl::create_participant(DomainId_t domain_id, const DomainParticipantQos& qos,
                                                   DomainParticipantListener* listener, const StatusMask& mask) {
    HeldListener<DomainParticipantListener> owned = hold(listener);
    Deferred after;
    std::shared_ptr<ParticipantImpl> made;  // should the creation fail, it dies unlocked
    DomainParticipant* created = nullptr;
    {
        Guard g;
        const DomainParticipantQos& q = &qos == &PARTICIPANT_QOS_DEFAULT ? default_participant_qos_ : qos;
        if (!qos::consistent(q)) return nullptr;
        const bool new_domain = domains_.count(domain_id) == 0;
        Domain& domain = domains_[domain_id];
        domain.id = domain_id;
        Plan plan(after);
        try {
            domain.participants.reserve(domain.participants.size() + 1);
            participants_.reserve(participants_.size() + 1);
            made = std::make_shared<ParticipantImpl>(domain, q, std::move(owned), mask);
            if (qos_.entity_factory.autoenable_created_entities) made->enable_locked(plan);
        } catch (...) {
            if (new_domain) domains_.erase(domain_id);
            throw;
        }
        participants_.push_back(made);
        domain.participants.push_back(made.get());
        plan.commit();
        created = made.get();
    }
    after.run();
    return created;
}

ReturnCode_t FactoryImpl::delete_participant(DomainParticipant*& participant) {
    if (participant == nullptr) return RETCODE_BAD_PARAMETER;
    Deferred after;
    {
        Guard g;
        auto it = std::find_if(participants_.begin(), participants_.end(),
                               [&](const auto& p) { return p.get() == participant; });
        if (it == participants_.end()) return RETCODE_PRECONDITION_NOT_MET;
        ParticipantImpl& p = **it;
        if (p.has_children()) return RETCODE_PRECONDITION_NOT_MET;
        after.reserve(0, 1);
        p.deleted_ = true;
        topic_created().notify_all();  // a find_topic waiting on it gives up
        Domain& domain = p.domain_;
        domain.participants.erase(std::find(domain.participants.begin(), domain.participants.end(), &p));
        after.release(std::move(*it));
        participants_.erase(it);
        if (domain.participants.empty()) domains_.erase(domain.id);
        after.poke();
    }
    participant = nullptr;
    after.run();
    return RETCODE_OK;
}

DomainParticipant* FactoryImpl::lookup_participant(DomainId_t domain_id) {
    Guard g;
    for (auto& p : participants_)
        if (p->domain_id_ == domain_id) return p.get();
    return nullptr;
}

ReturnCode_t FactoryImpl::set_default_participant_qos(const DomainParticipantQos& qos) {
    return set_default_qos(default_participant_qos_, qos, PARTICIPANT_QOS_DEFAULT);
}

ReturnCode_t FactoryImpl::get_default_participant_qos(DomainParticipantQos& qos) {
    Guard g;
    qos = default_participant_qos_;
    return RETCODE_OK;
}

ReturnCode_t FactoryImpl::set_qos(const DomainParticipantFactoryQos& qos) {
    Guard g;
    qos_ = qos;
    return RETCODE_OK;
}

ReturnCode_t FactoryImpl::get_qos(DomainParticipantFactoryQos& qos) {
    Guard g;
    qos = qos_;
    return RETCODE_OK;
}

}  // namespace engine
}  // namespace ZORVEX
