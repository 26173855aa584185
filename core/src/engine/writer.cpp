#include "engine/entity_operations.h"
#include "engine/writer.h"

#include <algorithm>
#include <cstring>

#include "common/clock.h"
#include "common/durations.h"
#include "engine/builtin_data.h"
#include "engine/matching.h"
#include "engine/participant.h"
#include "engine/plan.h"
#include "engine/publisher.h"
#include "engine/qos_rules.h"
#include "engine/reader.h"
#include "engine/statuses.h"
#include "engine/topic.h"

namespace ZORVEX::engine {

WriterImpl::WriterImpl(PublisherImpl& publisher, TopicImpl& topic, const DataWriterQos& qos,
                       HeldListener<DataWriterListener> listener, StatusMask mask)
    : publisher_(publisher),
      topic_(topic),
      registry_(publisher.participant_.domain_.registry(topic.name_)),
      qos_(qos),
      listener_{std::move(listener), mask} {}

ReturnCode_t WriterImpl::enable() { return enable_below(*this, publisher_); }

void WriterImpl::enable_locked(Plan& plan) {
    if (enabled_) return;
    plan.raise_flag(enabled_);
    rematch(*this, plan);
}

const std::string& WriterImpl::key_of(const void* data) {
    const char* key = static_cast<const char*>(data) + topic_.type_.key_offset;
    if (key_.size() == topic_.type_.key_size)
        std::memcpy(key_.data(), key, key_.size());
    else
        key_.assign(key, topic_.type_.key_size);  // the first time only
    return key_;
}

WriterImpl::Instances::value_type* WriterImpl::resolve(const std::string* key, const InstanceHandle_t& handle,
                                                     bool register_new, ReturnCode_t& rc) {
    if (handle.valid != 0) {
        const std::string* named = registry_.key_of(handle);
        auto* entry = named ? instances_.find(*named) : nullptr;
        if (entry == nullptr) {
            rc = RETCODE_BAD_PARAMETER;
        } else if (key != nullptr && *key != entry->first) {
            rc = RETCODE_PRECONDITION_NOT_MET;
            entry = nullptr;
        }
        return entry;
    }
    if (key == nullptr) {
        rc = RETCODE_BAD_PARAMETER;
        return nullptr;
    }
    auto* entry = instances_.find(*key);
    if (entry == nullptr) {
        const int32_t max = qos_.resource_limits.max_instances;
        if (!register_new || (max != LENGTH_UNLIMITED && instances_.size() >= size_t(max))) {
            rc = register_new ? RETCODE_OUT_OF_RESOURCES : RETCODE_PRECONDITION_NOT_MET;
            return nullptr;
        }
        InstanceRegistry::Hold hold = registry_.hold(*key);
        entry = instances_.try_emplace(*key, Instance{{}, std::move(hold)}).first;
    }
    return entry;
}

namespace {

// A writer counted in room_waiters() while it waits, so that readers that
// free room know to wake it.
struct WaitingForRoom {
    WaitingForRoom() { ++room_waiters(); }
    ~WaitingForRoom() { --room_waiters(); }
    WaitingForRoom(const WaitingForRoom&) = delete;
    WaitingForRoom& operator=(const WaitingForRoom&) = delete;
};

}  // namespace

// The look-up is made even where the reader's history has no resource
// limits and so refuses nothing: with many instances it brings the reader's
// instance into the cache while the writer looks up its own, and skipping
// it made 100 000-key writes slower, not faster.
bool WriterImpl::held_back(const std::string& key) const {
    return std::any_of(matched_.begin(), matched_.end(), [&](const ReaderImpl* r) {
        return r->qos_.reliability.kind == RELIABLE_RELIABILITY_QOS && r->history_.refusal(key) != NOT_REJECTED;
    });
}

// A reliable reader with no room holds the writer back, up to the
// max_blocking_time of its reliability QoS. While it waits, `keep` holds the
// writer, which another thread may delete meanwhile.
bool WriterImpl::wait_for_room(Guard& guard, const void* data, std::shared_ptr<WriterImpl>& keep) {
    if (!held_back(key_of(data))) return true;
    const auto deadline = durations::deadline_after(qos_.reliability.max_blocking_time);
    bool timed_out = false;
    const WaitingForRoom waiting;
    for (;;) {
        if (!keep) keep = shared_from_this();
        if (!deadline)
            room_freed().wait(guard.lock());
        else
            timed_out = room_freed().wait_until(guard.lock(), *deadline) == std::cv_status::timeout;
        // Once deleted, the writer's topic may be gone with it. Otherwise
        // the key is made again: another write may have used key_ while the
        // lock was free, and the caller goes on with key_.
        if (deleted_ || !held_back(key_of(data))) return true;
        if (timed_out) return false;
    }
}

ReturnCode_t WriterImpl::keep_in_history(Instance& inst, const void* data, const Time_t& timestamp, bool& kept) {
    kept = false;
    if (qos_.durability.kind < TRANSIENT_LOCAL_DURABILITY_QOS) return RETCODE_OK;
    const auto& limits = qos_.resource_limits;
    if (qos_.history.kind == KEEP_ALL_HISTORY_QOS &&
        ((limits.max_samples_per_instance != LENGTH_UNLIMITED &&
          inst.history.size() >= size_t(limits.max_samples_per_instance)) ||
         (limits.max_samples != LENGTH_UNLIMITED && history_samples_ >= size_t(limits.max_samples)))) {
        return RETCODE_OUT_OF_RESOURCES;  // nothing will ever free a durable KEEP_ALL history
    }
    Buffer copy(new unsigned char[topic_.type_.sample_size]);
    std::memcpy(copy.get(), data, topic_.type_.sample_size);
    inst.history.push_back(Kept{next_sequence_, std::move(copy), timestamp});
    ++next_sequence_;
    ++history_samples_;
    kept = true;
    return RETCODE_OK;
}

void WriterImpl::unkeep(Instance& inst) noexcept {
    inst.history.pop_back();
    --next_sequence_;
    --history_samples_;
}

void WriterImpl::trim_history(Instance& inst) noexcept {
    if (qos_.history.kind != KEEP_LAST_HISTORY_QOS || inst.history.size() <= size_t(qos_.history.depth)) return;
    inst.history.pop_front();
    --history_samples_;
}

void WriterImpl::forget_history(Instance& inst) noexcept {
    history_samples_ -= inst.history.size();
    inst.history.clear();
}

void WriterImpl::prepare_delivery(const Change* changes, size_t count, Deferred& after) {
    if (delivered_.capacity() < matched_.size()) delivered_.reserve(matched_.size());
    size_t calls = 0;
    for (ReaderImpl* r : matched_) {
        for (size_t i = 0; i < count; ++i) r->prepare_receive(changes[i]);
        calls += count * calls_per_change(*r);
    }
    after.reserve(calls, 0);
}

void WriterImpl::deliver(const Change& change, Deferred& after) noexcept {
    delivered_.clear();
    for (ReaderImpl* r : matched_)
        if (r->receive(change, after)) delivered_.push_back(r);
    data_arrived(delivered_.data(), delivered_.data() + delivered_.size(), after);
}

namespace {

// Drops the room prepared in these readers once the operation is over,
// whether it succeeded or threw.
struct RoomIn {
    const std::vector<ReaderImpl*>& readers;
    ~RoomIn() {
        for (ReaderImpl* r : readers) r->history_.drop_room();
    }
};

}  // namespace

// Whatever may fail comes first: the instance a failed call registered and
// the sample it kept go again, and the engine is as it was.
ReturnCode_t WriterImpl::publish(Change::Kind kind, const void* data, const InstanceHandle_t& handle,
                                 const Time_t& timestamp) {
    if (!durations::valid(timestamp)) return RETCODE_BAD_PARAMETER;
    std::shared_ptr<WriterImpl> keep;  // released last, with the lock free
    Deferred after;
    ReturnCode_t rc = RETCODE_OK;
    {
        Guard g;
        if (deleted_) return RETCODE_ALREADY_DELETED;
        if (!enabled_) return RETCODE_NOT_ENABLED;
        if (kind == Change::write && data == nullptr) return RETCODE_BAD_PARAMETER;
        if (kind == Change::write) {
            if (!wait_for_room(g, data, keep)) return RETCODE_TIMEOUT;
            if (deleted_) return RETCODE_ALREADY_DELETED;
        }
        // A write's key is in key_ already.
        const std::string* sample_key = data == nullptr ? nullptr : kind == Change::write ? &key_ : &key_of(data);
        const size_t registered = instances_.size();
        auto* const entry = resolve(sample_key, handle, kind != Change::unregister, rc);
        if (entry == nullptr) return rc;
        const std::string* key = &entry->first;
        Instance& inst = entry->second;
        const bool registered_now = instances_.size() > registered;
        const int32_t strength = qos_.ownership_strength.value;
        // An unregistration that disposes delivers both changes.
        const bool disposing = kind == Change::unregister && qos_.writer_data_lifecycle.autodispose_unregistered_instances;
        const auto* bytes = kind == Change::write ? static_cast<const unsigned char*>(data) : nullptr;
        const Change changes[] = {Change{disposing ? Change::dispose : kind, *key, bytes, timestamp, handle_, strength},
                                  Change{Change::unregister, *key, nullptr, timestamp, handle_, strength}};
        const size_t count = disposing ? 2 : 1;
        const RoomIn room{matched_};
        bool kept = false;
        try {
            if (kind == Change::write) {
                rc = keep_in_history(inst, data, timestamp, kept);
                if (rc != RETCODE_OK) {
                    if (registered_now) instances_.erase(*entry);
                    return rc;
                }
            }
            prepare_delivery(changes, count, after);
        } catch (...) {
            if (kept) unkeep(inst);
            if (registered_now) instances_.erase(*entry);
            throw;
        }
        if (kept) trim_history(inst);
        if (kind == Change::dispose) forget_history(inst);
        for (size_t i = 0; i < count; ++i) deliver(changes[i], after);
        if (kind == Change::unregister) {
            forget_history(inst);
            instances_.erase(*entry);
        }
    }
    after.run();
    return rc;
}

ReturnCode_t WriterImpl::write(const void* data, const InstanceHandle_t& handle) {
    return publish(Change::write, data, handle, clock_now());
}
ReturnCode_t WriterImpl::write_w_timestamp(const void* data, const InstanceHandle_t& handle,
                                           const Time_t& source_timestamp) {
    return publish(Change::write, data, handle, source_timestamp);
}
ReturnCode_t WriterImpl::dispose(const void* data, const InstanceHandle_t& handle) {
    return publish(Change::dispose, data, handle, clock_now());
}
ReturnCode_t WriterImpl::dispose_w_timestamp(const void* data, const InstanceHandle_t& handle,
                                             const Time_t& source_timestamp) {
    return publish(Change::dispose, data, handle, source_timestamp);
}
ReturnCode_t WriterImpl::unregister_instance(const void* data, const InstanceHandle_t& handle) {
    return publish(Change::unregister, data, handle, clock_now());
}
ReturnCode_t WriterImpl::unregister_instance_w_timestamp(const void* data, const InstanceHandle_t& handle,
                                                         const Time_t& source_timestamp) {
    return publish(Change::unregister, data, handle, source_timestamp);
}

InstanceHandle_t WriterImpl::register_instance(const void* instance_data) {
    return register_instance_w_timestamp(instance_data, clock_now());
}

InstanceHandle_t WriterImpl::register_instance_w_timestamp(const void* instance_data, const Time_t& timestamp) {
    Guard g;
    if (deleted_ || !enabled_ || instance_data == nullptr || !durations::valid(timestamp)) return HANDLE_NIL;
    ReturnCode_t rc;
    const auto* entry = resolve(&key_of(instance_data), HANDLE_NIL, true, rc);
    return entry != nullptr ? entry->second.hold.handle() : HANDLE_NIL;
}

InstanceHandle_t WriterImpl::lookup_instance(const void* instance_data) {
    Guard g;
    if (deleted_ || instance_data == nullptr) return HANDLE_NIL;
    const auto* entry = instances_.find(key_of(instance_data));
    return entry == nullptr ? HANDLE_NIL : entry->second.hold.handle();
}

ReturnCode_t WriterImpl::get_key_value(void* key_holder, const InstanceHandle_t& handle) {
    if (key_holder == nullptr) return RETCODE_BAD_PARAMETER;
    Guard g;
    if (deleted_) return RETCODE_ALREADY_DELETED;
    const std::string* key = registry_.key_of(handle);
    if (key == nullptr || instances_.find(*key) == nullptr) return RETCODE_BAD_PARAMETER;
    std::memcpy(static_cast<char*>(key_holder) + topic_.type_.key_offset, key->data(), key->size());
    return RETCODE_OK;
}

WriterImpl::Replay WriterImpl::durable_samples() const {
    Replay kept;
    for (const auto& [key, inst] : instances_)
        if (const auto* all = inst.history.all())
            for (const Kept& k : *all) kept.emplace_back(&key, &k);
    std::sort(kept.begin(), kept.end(), [](auto& a, auto& b) { return a.second->sequence < b.second->sequence; });
    return kept;
}

namespace {
Change replayed(const std::string& key, const WriterImpl::Kept& k, const WriterImpl& w) {
    return Change{Change::write, key, k.data.get(), k.source_timestamp, w.handle_, w.qos_.ownership_strength.value};
}
}  // namespace

void WriterImpl::prepare_replay(ReaderImpl& reader, const Replay& replay, Plan& plan) {
    if (replay.empty()) return;
    plan.room_in(reader);
    for (const auto& [key, k] : replay) reader.prepare_receive(replayed(*key, *k, *this));
    plan.after().reserve(replay.size() * calls_per_change(reader), 0);
}

void WriterImpl::replay_to(ReaderImpl& reader, const Replay& replay, Deferred& after) noexcept {
    bool changed = false;
    for (const auto& [key, k] : replay) changed = reader.receive(replayed(*key, *k, *this), after) || changed;
    if (changed) data_arrived({&reader}, after);
}

// Each matched reader needs room for the first change of each instance: an
// unregistration that follows a disposal finds the instance disposed and
// adds no sample, and once every instance is unregistered, unmatching adds
// none either.
void WriterImpl::prepare_retire(Plan& plan) {
    const bool disposing = qos_.writer_data_lifecycle.autodispose_unregistered_instances;
    delivered_.reserve(matched_.size());
    size_t calls = 0;
    for (ReaderImpl* r : matched_) {
        plan.room_in(*r);
        for (const auto& [key, inst] : instances_)
            r->prepare_receive(Change{disposing ? Change::dispose : Change::unregister, key, nullptr, Time_t{},
                                      handle_, qos_.ownership_strength.value});
        calls += instances_.size() * (disposing ? 2 : 1) * calls_per_change(*r);
    }
    plan.after().reserve(calls, 0);
    prepare_unmatch_all(*this, plan.after());
}

void WriterImpl::retire(Deferred& after) noexcept {
    deleted_ = true;
    const Time_t now = clock_now();
    for (const auto& [key, inst] : instances_) {
        if (qos_.writer_data_lifecycle.autodispose_unregistered_instances)
            deliver(Change{Change::dispose, key, nullptr, now, handle_, qos_.ownership_strength.value}, after);
        deliver(Change{Change::unregister, key, nullptr, now, handle_, qos_.ownership_strength.value}, after);
    }
    instances_.clear();
    history_samples_ = 0;
    unmatch_all(*this, after);
    --topic_.users_;
    after.poke();
}

ReturnCode_t WriterImpl::wait_for_acknowledgments(const Duration_t&) {
    Guard g;
    return deleted_ ? RETCODE_ALREADY_DELETED : RETCODE_OK;  // delivery is synchronous
}

ReturnCode_t WriterImpl::get_liveliness_lost_status(LivelinessLostStatus& status) {
    Guard g;
    read_status(*this, LIVELINESS_LOST_STATUS, liveliness_lost_status_, status);
    return RETCODE_OK;
}

ReturnCode_t WriterImpl::get_offered_deadline_missed_status(OfferedDeadlineMissedStatus& status) {
    Guard g;
    read_status(*this, OFFERED_DEADLINE_MISSED_STATUS, deadline_missed_status_, status);
    return RETCODE_OK;
}

ReturnCode_t WriterImpl::get_offered_incompatible_qos_status(OfferedIncompatibleQosStatus& status) {
    Guard g;
    read_status(*this, OFFERED_INCOMPATIBLE_QOS_STATUS, incompatible_status_, status);
    return RETCODE_OK;
}

ReturnCode_t WriterImpl::get_publication_matched_status(PublicationMatchedStatus& status) {
    Guard g;
    read_status(*this, PUBLICATION_MATCHED_STATUS, matched_status_, status);
    return RETCODE_OK;
}

ReturnCode_t WriterImpl::assert_liveliness() {
    Guard g;
    return deleted_ ? RETCODE_ALREADY_DELETED : enabled_ ? RETCODE_OK : RETCODE_NOT_ENABLED;
}

Topic* WriterImpl::get_topic() {
    Guard g;
    return deleted_ ? nullptr : &topic_;
}

Publisher* WriterImpl::get_publisher() {
    Guard g;
    return deleted_ ? nullptr : &publisher_;
}

ReturnCode_t WriterImpl::get_matched_subscription_data(SubscriptionBuiltinTopicData& data, const InstanceHandle_t& handle) {
    return matched_endpoint_data(*this, data, handle);
}

ReturnCode_t WriterImpl::get_matched_subscriptions(std::vector<InstanceHandle_t>& handles) {
    return matched_endpoint_handles(*this, handles);
}

ReturnCode_t WriterImpl::set_qos(const DataWriterQos& qos) {
    return change_qos(*this, qos_, qos, [this](Plan& plan) {
        if (enabled_) rematch(*this, plan);
    });
}

ReturnCode_t WriterImpl::get_qos(DataWriterQos& qos) {
    Guard g;
    qos = qos_;
    return RETCODE_OK;
}

ReturnCode_t WriterImpl::set_listener(DataWriterListener* listener, const StatusMask& mask) {
    return install_listener(*this, listener_, listener, mask);
}

DataWriterListener* WriterImpl::get_listener() {
    return listener_.lend();
}

}  // namespace ZORVEX::engine
