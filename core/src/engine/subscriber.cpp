#include "engine/entity_operations.h"
#include "engine/subscriber.h"

#include <algorithm>

#include "engine/matching.h"
#include "engine/participant.h"
#include "engine/plan.h"
#include "engine/qos_rules.h"
#include "engine/reader.h"
#include "engine/statuses.h"
#include "engine/topic.h"

namespace ZORVEX::engine {

SubscriberImpl::SubscriberImpl(ParticipantImpl& participant, const SubscriberQos& qos,
                               HeldListener<SubscriberListener> listener, StatusMask mask)
    : participant_(participant), qos_(qos), listener_{std::move(listener), mask} {}

ReturnCode_t SubscriberImpl::enable() { return enable_below(*this, participant_); }

void SubscriberImpl::enable_locked(Plan& plan) {
    if (enabled_) return;
    plan.raise_flag(enabled_);
    if (qos_.entity_factory.autoenable_created_entities)
        for (auto& r : readers_) r->enable_locked(plan);
}

DataReader* SubscriberImpl::create_datareader(TopicDescription* topic, const DataReaderQos& qos,
                                              DataReaderListener* listener, const StatusMask& mask) {
    HeldListener<DataReaderListener> owned = hold(listener);
    Deferred after;
    std::shared_ptr<ReaderImpl> made;
    DataReader* created = nullptr;
    {
        Guard g;
        // A content-filtered topic is refused too: no filter is evaluated here.
        auto* t = dynamic_cast<TopicImpl*>(topic);
        const DataReaderQos& q = &qos == &DATAREADER_QOS_DEFAULT ? default_reader_qos_ : qos;
        if (deleted_ || t == nullptr || t->deleted_ || &t->participant_ != &participant_ || !qos::consistent(q))
            return nullptr;
        created = add_child(readers_, made, autoenables(), after, *this, *t, q, std::move(owned), mask);
        ++t->users_;
    }
    after.run();
    return created;
}

ReturnCode_t SubscriberImpl::delete_datareader(DataReader*& reader) {
    if (reader == nullptr) return RETCODE_BAD_PARAMETER;
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        auto it = std::find_if(readers_.begin(), readers_.end(), [&](const auto& r) { return r.get() == reader; });
        if (it == readers_.end() || !(*it)->conditions_.empty() || !(*it)->loans_.empty())
            return RETCODE_PRECONDITION_NOT_MET;
        (*it)->prepare_retire(after);
        after.reserve(0, 1);
        (*it)->retire(after);
        after.release(std::move(*it));
        readers_.erase(it);
    }
    reader = nullptr;
    after.run();
    return RETCODE_OK;
}

bool SubscriberImpl::can_tear_down() const {
    return std::all_of(readers_.begin(), readers_.end(), [](const auto& r) { return r->loans_.empty(); });
}

void SubscriberImpl::prepare_tear_down(Deferred& after) {
    for (auto& r : readers_) r->prepare_retire(after);
    after.reserve(0, readers_.size());
}

void SubscriberImpl::tear_down(Deferred& after) noexcept {
    for (auto& r : readers_) {
        r->retire(after);
        after.release(std::move(r));
    }
    readers_.clear();
}

DataReader* SubscriberImpl::lookup_datareader(const std::string& topic_name) {
    Guard g;
    for (auto& r : readers_)
        if (r->topic_.name_ == topic_name) return r.get();
    return nullptr;
}

ReturnCode_t SubscriberImpl::get_datareaders(std::vector<DataReader*>& readers, const SampleStateMask& samples,
                                             const ViewStateMask& views, const InstanceStateMask& instances) {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    readers.clear();
    for (auto& r : readers_)
        if (r->history_.any(samples, views, instances)) readers.push_back(r.get());
    return RETCODE_OK;
}

ReturnCode_t SubscriberImpl::notify_datareaders() {
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        after.reserve(readers_.size(), 0);
        for (auto& r : readers_) {
            if (!(r->changes_ & DATA_AVAILABLE_STATUS) || !r->listener_.takes(DATA_AVAILABLE_STATUS)) continue;
            r->changes_ &= ~DATA_AVAILABLE_STATUS;
            call_about(r, r->listener_.held(), after,
                       [](DataReaderListener& l, ReaderImpl* reader) { l.on_data_available(reader); });
        }
    }
    after.run();
    return RETCODE_OK;
}

ReturnCode_t SubscriberImpl::begin_access() {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    ++access_depth_;
    return RETCODE_OK;
}

ReturnCode_t SubscriberImpl::end_access() {
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    if (access_depth_ == 0) return RETCODE_PRECONDITION_NOT_MET;
    --access_depth_;
    return RETCODE_OK;
}

DomainParticipant* SubscriberImpl::get_participant() {
    Guard g;
    return deleted_ ? nullptr : &participant_;
}

ReturnCode_t SubscriberImpl::delete_contained_entities() {
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        if (!can_tear_down()) return RETCODE_PRECONDITION_NOT_MET;
        prepare_tear_down(after);
        tear_down(after);
    }
    after.run();
    return RETCODE_OK;
}

ReturnCode_t SubscriberImpl::set_qos(const SubscriberQos& qos) {
    return change_qos(*this, qos_, qos, [this](Plan& plan) {
        for (auto& r : readers_) rematch(*r, plan);  // partitions may have moved
    });
}

ReturnCode_t SubscriberImpl::get_qos(SubscriberQos& qos) {
    Guard g;
    qos = qos_;
    return RETCODE_OK;
}

ReturnCode_t SubscriberImpl::set_listener(SubscriberListener* listener, const StatusMask& mask) {
    return install_listener(*this, listener_, listener, mask);
}

SubscriberListener* SubscriberImpl::get_listener() {
    return listener_.lend();
}

ReturnCode_t SubscriberImpl::set_default_datareader_qos(const DataReaderQos& qos) {
    return set_default_qos(default_reader_qos_, qos, DATAREADER_QOS_DEFAULT);
}

ReturnCode_t SubscriberImpl::get_default_datareader_qos(DataReaderQos& qos) {
    Guard g;
    qos = default_reader_qos_;
    return RETCODE_OK;
}

}  // namespace ZORVEX::engine
