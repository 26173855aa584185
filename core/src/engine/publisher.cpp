#include "engine/entity_operations.h"
#include "engine/publisher.h"

#include <algorithm>

#include "engine/matching.h"
#include "engine/participant.h"
#include "engine/plan.h"
#include "engine/qos_rules.h"
#include "engine/topic.h"
#include "engine/writer.h"

namespace ZORVEX::engine {

PublisherImpl::PublisherImpl(ParticipantImpl& participant, const PublisherQos& qos,
                             HeldListener<PublisherListener> listener, StatusMask mask)
    : participant_(participant), qos_(qos), listener_{std::move(listener), mask},
      default_writer_qos_() {}

ReturnCode_t PublisherImpl::enable() { return enable_below(*this, participant_); }

void PublisherImpl::enable_locked(Plan& plan) {
    if (enabled_) return;
    plan.raise_flag(enabled_);
    if (qos_.entity_factory.autoenable_created_entities)
        for (auto& w : writers_) w->enable_locked(plan);
}

DataWriter* PublisherImpl::create_datawriter(Topic* topic, const DataWriterQos& qos, DataWriterListener* listener,
                                             const StatusMask& mask) {
    HeldListener<DataWriterListener> owned = hold(listener);
    Deferred after;
    std::shared_ptr<WriterImpl> made;
    DataWriter* created = nullptr;
    {
        Guard g;
        auto* t = dynamic_cast<TopicImpl*>(topic);
        const DataWriterQos& q = &qos == &DATAWRITER_QOS_DEFAULT ? default_writer_qos_ : qos;
        if (deleted_ || t == nullptr || t->deleted_ || &t->participant_ != &participant_ || !qos::consistent(q))
            return nullptr;
        created = add_child(writers_, made, autoenables(), after, *this, *t, q, std::move(owned), mask);
        ++t->users_;
    }
    after.run();
    return created;
}

ReturnCode_t PublisherImpl::delete_datawriter(DataWriter*& writer) {
    if (writer == nullptr) return RETCODE_BAD_PARAMETER;
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        auto it = std::find_if(writers_.begin(), writers_.end(), [&](const auto& w) { return w.get() == writer; });
        if (it == writers_.end()) return RETCODE_PRECONDITION_NOT_MET;
        Plan plan(after);
        (*it)->prepare_retire(plan);
        after.reserve(0, 1);
        plan.commit();
        (*it)->retire(after);
        after.release(std::move(*it));
        writers_.erase(it);
    }
    writer = nullptr;
    after.run();
    return RETCODE_OK;
}

void PublisherImpl::prepare_tear_down(Plan& plan) {
    for (auto& w : writers_) w->prepare_retire(plan);
    plan.after().reserve(0, writers_.size());
}

void PublisherImpl::tear_down(Deferred& after) noexcept {
    for (auto& w : writers_) {
        w->retire(after);
        after.release(std::move(w));
    }
    writers_.clear();
}

DataWriter* PublisherImpl::lookup_datawriter(const std::string& topic_name) {
    Guard g;
    for (auto& w : writers_)
        if (w->topic_.name_ == topic_name) return w.get();
    return nullptr;
}

// Delivery is immediate: suspension and coherent sets are kept as states the
// caller must balance, without holding samples back.
ReturnCode_t PublisherImpl::suspend_publications() {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    suspended_ = true;
    return RETCODE_OK;
}

ReturnCode_t PublisherImpl::resume_publications() {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    if (!suspended_) return RETCODE_PRECONDITION_NOT_MET;
    suspended_ = false;
    return RETCODE_OK;
}

ReturnCode_t PublisherImpl::begin_coherent_changes() {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    ++coherent_depth_;
    return RETCODE_OK;
}

ReturnCode_t PublisherImpl::end_coherent_changes() {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    if (coherent_depth_ == 0) return RETCODE_PRECONDITION_NOT_MET;
    --coherent_depth_;
    return RETCODE_OK;
}

// Readers hold every sample once write returns: nothing is left to await.
ReturnCode_t PublisherImpl::wait_for_acknowledgments(const Duration_t&) {
    Guard g;
    return deleted_ ? RETCODE_ALREADY_DELETED : RETCODE_OK;
}

DomainParticipant* PublisherImpl::get_participant() {
    Guard g;
    return deleted_ ? nullptr : &participant_;
}

ReturnCode_t PublisherImpl::delete_contained_entities() {
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        Plan plan(after);
        prepare_tear_down(plan);
        plan.commit();
        tear_down(after);
    }
    after.run();
    return RETCODE_OK;
}

ReturnCode_t PublisherImpl::set_qos(const PublisherQos& qos) {
    return change_qos(*this, qos_, qos, [this](Plan& plan) {
        for (auto& w : writers_) rematch(*w, plan);  // partitions may have moved
    });
}

ReturnCode_t PublisherImpl::get_qos(PublisherQos& qos) {
    Guard g;
    qos = qos_;
    return RETCODE_OK;
}

ReturnCode_t PublisherImpl::set_listener(PublisherListener* listener, const StatusMask& mask) {
    return install_listener(*this, listener_, listener, mask);
}

PublisherListener* PublisherImpl::get_listener() {
    return listener_.lend();
}

ReturnCode_t PublisherImpl::set_default_datawriter_qos(const DataWriterQos& qos) {
    return set_default_qos(default_writer_qos_, qos, DATAWRITER_QOS_DEFAULT);
}

ReturnCode_t PublisherImpl::get_default_datawriter_qos(DataWriterQos& qos) {
    Guard g;
    qos = default_writer_qos_;
    return RETCODE_OK;
}

}  // namespace ZORVEX::engine
