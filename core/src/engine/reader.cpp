#include "engine/entity_operations.h"
#include "engine/reader.h"

#include <algorithm>
#include <cstring>

#include "engine/builtin_data.h"
#include "engine/matching.h"
#include "engine/participant.h"
#include "engine/plan.h"
#include "engine/qos_rules.h"
#include "engine/read_condition.h"
#include "engine/statuses.h"
#include "engine/subscriber.h"
#include "engine/topic.h"
#include "engine/writer.h"

namespace ZORVEX::engine {

namespace {

// Grows a loan sequence to n cells, each a live element.
bool grow(SequenceBase& seq, int n) {
    if (!seq.length(n) || seq.length() != n || seq.cells.size() < size_t(n)) return false;
    return std::all_of(seq.cells.begin(), seq.cells.begin() + n, [](void* c) { return c != nullptr; });
}

}  // namespace

ReaderImpl::ReaderImpl(SubscriberImpl& subscriber, TopicImpl& topic, const DataReaderQos& qos,
                       HeldListener<DataReaderListener> listener, StatusMask mask)
    : subscriber_(subscriber),
      topic_(topic),
      qos_(qos),
      listener_{std::move(listener), mask},
      history_(topic.type_, qos, subscriber.participant_.domain_.registry(topic.name_)) {}

// Conditions leave the wait-sets before the history they read goes.
ReaderImpl::~ReaderImpl() {
    for (auto& c : conditions_) hub::forget(c.get());
}

ReturnCode_t ReaderImpl::enable() { return enable_below(*this, subscriber_); }

void ReaderImpl::enable_locked(Plan& plan) {
    if (enabled_) return;
    plan.raise_flag(enabled_);
    rematch(*this, plan);
}

void ReaderImpl::prepare_receive(const Change& change) {
    if (deleted_ || !enabled_) return;
    history_.prepare(change);
}

bool ReaderImpl::receive(const Change& change, Deferred& after) noexcept {
    if (deleted_ || !enabled_) return false;
    SampleRejectedStatusKind reason = NOT_REJECTED;
    const auto effect = history_.apply(change, reason);
    if (effect == ReaderHistory::Effect::rejected) {
        ++rejected_status_.total_count;
        ++rejected_status_.total_count_change;
        rejected_status_.last_reason = reason;
        rejected_status_.last_instance_handle = history_.handle_of(change.key);
        raise(*this, SAMPLE_REJECTED_STATUS, rejected_status_, &DataReaderListener::on_sample_rejected, after);
    }
    return effect == ReaderHistory::Effect::data_changed;
}

void ReaderImpl::prepare_retire(Deferred& after) {
    prepare_unmatch_all(*this, after);
    after.reserve(0, conditions_.size());
}

void ReaderImpl::retire(Deferred& after) noexcept {
    deleted_ = true;
    unmatch_all(*this, after);
    history_.clear();
    --topic_.users_;
    for (auto& c : conditions_) after.release(std::move(c));
    conditions_.clear();
    after.poke();
}

// Reading resets the data statuses of the reader and its subscriber; of
// their conditions, only the reader's read conditions may turn true.
void ReaderImpl::accessed(Deferred& after) {
    changes_ &= ~DATA_AVAILABLE_STATUS;
    subscriber_.changes_ &= ~DATA_ON_READERS_STATUS;
    after.poke(*this);
}

// Every lent value is a block owned by loans_: a take hands over the
// sample's own, a read lends a copy, so the history may change or drop its
// samples while the loan is out. Nothing is committed until the loans have
// grown and the room for the values is made.
ReturnCode_t ReaderImpl::lend(SequenceBase& data_values, SequenceBase& sample_infos, int32_t max_samples,
                              SampleStateMask sm, ViewStateMask vm, InstanceStateMask im, bool take) {
    if (&data_values == &sample_infos || max_samples < LENGTH_UNLIMITED) return RETCODE_BAD_PARAMETER;
    Deferred after;
    ReturnCode_t rc = RETCODE_OK;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        if (!enabled_) return RETCODE_NOT_ENABLED;
        const auto& selection = history_.select(max_samples, sm, vm, im);
        const int n = static_cast<int>(selection.size());
        if (n == 0) {
            accessed(after);
            data_values.length(0);
            sample_infos.length(0);
            rc = RETCODE_NO_DATA;
        } else {
            if (!grow(data_values, n) || !grow(sample_infos, n)) {
                accessed(after);
                return RETCODE_ERROR;
            }
            loans_.reserve(selection.size());
            if (!take) history_.reserve_copies(selection.size());
            accessed(after);
            history_.infos(selection,
                           [&](size_t i) -> SampleInfo& { return *static_cast<SampleInfo*>(sample_infos.cells[i]); });
            for (size_t i = 0; i < selection.size(); ++i) {
                void* value = take ? history_.block_of(selection[i]) : history_.copy_block(selection[i]);
                loans_.add(value);
                *static_cast<void**>(data_values.cells[i]) = value;
            }
            if (take) {
                history_.hand_over(selection);
                room_was_freed();
            } else {
                history_.mark_read(selection);
            }
        }
    }
    after.run();
    return rc;
}

ReturnCode_t ReaderImpl::read(SequenceBase& data_values, SequenceBase& sample_infos, int32_t max_samples,
                              SampleStateMask sample_states, ViewStateMask view_states,
                              InstanceStateMask instance_states) {
    return lend(data_values, sample_infos, max_samples, sample_states, view_states, instance_states, false);
}

ReturnCode_t ReaderImpl::take(SequenceBase& data_values, SequenceBase& sample_infos, int32_t max_samples,
                              SampleStateMask sample_states, ViewStateMask view_states,
                              InstanceStateMask instance_states) {
    return lend(data_values, sample_infos, max_samples, sample_states, view_states, instance_states, true);
}

ReturnCode_t ReaderImpl::next_sample(void* data, SampleInfo& sample_info, bool take) {
    if (data == nullptr) return RETCODE_BAD_PARAMETER;
    Deferred after;
    ReturnCode_t rc = RETCODE_OK;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        if (!enabled_) return RETCODE_NOT_ENABLED;
        const auto& selection = history_.select(1, NOT_READ_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
        if (selection.empty()) {
            accessed(after);
            rc = RETCODE_NO_DATA;
        } else {
            history_.infos(selection, [&](size_t) -> SampleInfo& { return sample_info; });
            accessed(after);
            history_.copy_into(selection.front(), data);
            if (take) {
                history_.remove(selection);
                room_was_freed();
            } else {
                history_.mark_read(selection);
            }
        }
    }
    after.run();
    return rc;
}

ReturnCode_t ReaderImpl::read_next_sample(void* data, SampleInfo& sample_info) {
    return next_sample(data, sample_info, false);
}

ReturnCode_t ReaderImpl::take_next_sample(void* data, SampleInfo& sample_info) {
    return next_sample(data, sample_info, true);
}

// Releases exactly the values whose addresses the data loan holds, all or
// none: a value that is not lent by this reader, or is in the loan twice,
// fails the whole return, and the values taken out of loans_ before it go
// back in (into the room they left).
ReturnCode_t ReaderImpl::return_loan(SequenceBase& data_values, SequenceBase& sample_infos) {
    if (&data_values == &sample_infos) return RETCODE_BAD_PARAMETER;
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    const int n = data_values.length();
    if (n < 0 || data_values.cells.size() < size_t(n)) return RETCODE_PRECONDITION_NOT_MET;
    const auto value = [&](int i) { return *static_cast<void* const*>(data_values.cells[i]); };
    for (int i = 0; i < n; ++i) {
        if (data_values.cells[i] == nullptr || !loans_.remove(value(i))) {
            for (int j = 0; j < i; ++j) loans_.add(value(j));
            return RETCODE_PRECONDITION_NOT_MET;
        }
    }
    for (int i = 0; i < n; ++i) history_.give_back(value(i));
    loans_.trim();
    return RETCODE_OK;
}

InstanceHandle_t ReaderImpl::lookup_instance(const void* instance_data) {
    if (instance_data == nullptr) return HANDLE_NIL;
    Guard g;
    // A deleted reader's topic may be gone too (a late callback can still
    // hand the application this reader).
    if (deleted_) return HANDLE_NIL;
    const auto& type = topic_.type_;
    return history_.lookup(std::string(static_cast<const char*>(instance_data) + type.key_offset, type.key_size));
}

ReturnCode_t ReaderImpl::get_key_value(void* key_holder, const InstanceHandle_t& handle) {
    if (key_holder == nullptr) return RETCODE_BAD_PARAMETER;
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    const std::string* key = history_.key_of(handle);
    if (key == nullptr) return RETCODE_BAD_PARAMETER;
    std::memcpy(static_cast<char*>(key_holder) + topic_.type_.key_offset, key->data(), key->size());
    return RETCODE_OK;
}

ReadCondition* ReaderImpl::create_readcondition(SampleStateMask sample_states, ViewStateMask view_states,
                                                InstanceStateMask instance_states) {
    Guard g;
    if (deleted_) return nullptr;
    conditions_.reserve(conditions_.size() + 1);
    auto c = std::make_shared<ReadConditionImpl>(*this, sample_states, view_states, instance_states);
    conditions_.push_back(c);
    return c.get();
}

QueryCondition* ReaderImpl::create_querycondition(SampleStateMask sample_states, ViewStateMask view_states,
                                                  InstanceStateMask instance_states,
                                                  const std::string& query_expression,
                                                  const std::vector<std::string>& query_parameters) {
    Guard g;
    if (deleted_) return nullptr;
    conditions_.reserve(conditions_.size() + 1);
    auto c = std::make_shared<QueryConditionImpl>(*this, sample_states, view_states, instance_states,
                                                  query_expression, query_parameters);
    conditions_.push_back(c);
    return c.get();
}

ReturnCode_t ReaderImpl::delete_readcondition(ReadCondition* condition) {
    if (condition == nullptr) return RETCODE_BAD_PARAMETER;
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        auto it = std::find_if(conditions_.begin(), conditions_.end(),
                               [&](const auto& c) { return c.get() == condition; });
        if (it == conditions_.end()) return RETCODE_PRECONDITION_NOT_MET;
        after.reserve(0, 1);
        after.release(std::move(*it));
        conditions_.erase(it);
    }
    after.run();
    return RETCODE_OK;
}

ReturnCode_t ReaderImpl::delete_contained_entities() {
    Deferred after;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        after.reserve(0, conditions_.size());
        for (auto& c : conditions_) after.release(std::move(c));
        conditions_.clear();
    }
    after.run();
    return RETCODE_OK;
}

ReturnCode_t ReaderImpl::get_liveliness_changed_status(LivelinessChangedStatus& status) {
    Guard g;
    read_status(*this, LIVELINESS_CHANGED_STATUS, liveliness_status_, status);
    return RETCODE_OK;
}

ReturnCode_t ReaderImpl::get_requested_deadline_missed_status(RequestedDeadlineMissedStatus& status) {
    Guard g;
    read_status(*this, REQUESTED_DEADLINE_MISSED_STATUS, deadline_missed_status_, status);
    return RETCODE_OK;
}

ReturnCode_t ReaderImpl::get_requested_incompatible_qos_status(RequestedIncompatibleQosStatus& status) {
    Guard g;
    read_status(*this, REQUESTED_INCOMPATIBLE_QOS_STATUS, incompatible_status_, status);
    return RETCODE_OK;
}

ReturnCode_t ReaderImpl::get_sample_lost_status(SampleLostStatus& status) {
    Guard g;
    read_status(*this, SAMPLE_LOST_STATUS, lost_status_, status);
    return RETCODE_OK;
}

ReturnCode_t ReaderImpl::get_sample_rejected_status(SampleRejectedStatus& status) {
    Guard g;
    read_status(*this, SAMPLE_REJECTED_STATUS, rejected_status_, status);
    return RETCODE_OK;
}

ReturnCode_t ReaderImpl::get_subscription_matched_status(SubscriptionMatchedStatus& status) {
    Guard g;
    read_status(*this, SUBSCRIPTION_MATCHED_STATUS, matched_status_, status);
    return RETCODE_OK;
}

TopicDescription* ReaderImpl::get_topicdescription() {
    Guard g;
    return deleted_ ? nullptr : &topic_;
}

Subscriber* ReaderImpl::get_subscriber() {
    Guard g;
    return deleted_ ? nullptr : &subscriber_;
}

// Durable data reaches a reader when it matches: nothing is left to wait for.
ReturnCode_t ReaderImpl::wait_for_historical_data(const Duration_t&) {
    Guard g;
    return deleted_ ? RETCODE_ALREADY_DELETED : enabled_ ? RETCODE_OK : RETCODE_NOT_ENABLED;
}

ReturnCode_t ReaderImpl::get_matched_publication_data(PublicationBuiltinTopicData& data, const InstanceHandle_t& handle) {
    return matched_endpoint_data(*this, data, handle);
}

ReturnCode_t ReaderImpl::get_matched_publications(std::vector<InstanceHandle_t>& handles) {
    return matched_endpoint_handles(*this, handles);
}

ReturnCode_t ReaderImpl::set_qos(const DataReaderQos& qos) {
    return change_qos(*this, qos_, qos, [this](Plan& plan) {
        if (enabled_)
            rematch(*this, plan);
        else  // still empty: a disabled reader receives nothing
            plan.then([this] { history_.configure(qos_); });
    });
}

ReturnCode_t ReaderImpl::get_qos(DataReaderQos& qos) {
    Guard g;
    qos = qos_;
    return RETCODE_OK;
}

ReturnCode_t ReaderImpl::set_listener(DataReaderListener* listener, const StatusMask& mask) {
    return install_listener(*this, listener_, listener, mask);
}

DataReaderListener* ReaderImpl::get_listener() {
    return listener_.lend();
}

}  // namespace ZORVEX::engine
