#include "engine/reader_history.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>
#include <new>

namespace ZORVEX::engine {

namespace {
bool limited(int32_t v) { return v != LENGTH_UNLIMITED; }

size_t aligned_up(size_t n, size_t alignment) { return (n + alignment - 1) / alignment * alignment; }

// The free blocks a pool may keep for the work it sees: no more than the
// history may hold.
size_t most_kept(const ResourceLimitsQosPolicy& limits) {
    return limited(limits.max_samples) ? size_t(limits.max_samples) : BlockPool::no_limit;
}

}  // namespace

ReaderHistory::ReaderHistory(const TypeDescriptor& type, const DataReaderQos& qos, InstanceRegistry& registry)
    : type_(type),
      keep_all_(qos.history.kind == KEEP_ALL_HISTORY_QOS),
      depth_(qos.history.depth),
      limits_(qos.resource_limits),
      exclusive_(qos.ownership.kind == EXCLUSIVE_OWNERSHIP_QOS),
      by_source_timestamp_(qos.destination_order.kind == BY_SOURCE_TIMESTAMP_DESTINATIONORDER_QOS),
      registry_(&registry),
      data_room_(aligned_up(type.sample_size, alignof(Sample))),
      pool_(data_room_ + sizeof(Sample), most_kept(limits_), true) {}

void ReaderHistory::configure(const DataReaderQos& qos) noexcept {
    keep_all_ = qos.history.kind == KEEP_ALL_HISTORY_QOS;
    depth_ = qos.history.depth;
    limits_ = qos.resource_limits;
    exclusive_ = qos.ownership.kind == EXCLUSIVE_OWNERSHIP_QOS;
    by_source_timestamp_ = qos.destination_order.kind == BY_SOURCE_TIMESTAMP_DESTINATIONORDER_QOS;
    pool_.limit(most_kept(limits_));
}

ReaderHistory::Instance* ReaderHistory::find(const std::string& key) const noexcept {
    if (last_found_ != nullptr && last_found_->key == key) return last_found_;
    auto* entry = instances_.find(key);
    if (entry == nullptr) return nullptr;
    return last_found_ = &entry->second;
}

SampleRejectedStatusKind ReaderHistory::refusal(const std::string& key) const {
    const Instance* inst = find(key);
    if (inst == nullptr) {
        if (limited(limits_.max_instances) && instances_.size() >= size_t(limits_.max_instances))
            return REJECTED_BY_INSTANCES_LIMIT;
    } else if (!keep_all_ && inst->valid_samples.size() >= size_t(depth_)) {
        return NOT_REJECTED;  // the instance's oldest sample makes room
    } else if (keep_all_ && limited(limits_.max_samples_per_instance) &&
               inst->valid_samples.size() >= size_t(limits_.max_samples_per_instance)) {
        return REJECTED_BY_SAMPLES_PER_INSTANCE_LIMIT;
    }
    if (limited(limits_.max_samples) && valid_total_ >= size_t(limits_.max_samples))
        return REJECTED_BY_SAMPLES_LIMIT;
    return NOT_REJECTED;
}

void ReaderHistory::prepare(const Change& change) {
    pool_.note_time(change.source_timestamp.sec);
    Instance* inst = find(change.key);
    if (inst == nullptr)
        if (auto f = fresh_.find(change.key); f != fresh_.end()) inst = &f->second;
    if (inst == nullptr) {
        if (change.kind != Change::write) return;  // never seen here: apply ignores it
        InstanceRegistry::Hold hold = registry_->hold(change.key);
        instances_.reserve(instances_.size() + fresh_.size() + 1);
        inst = &fresh_.try_emplace(change.key).first->second;
        inst->key = change.key;
        inst->hold = std::move(hold);
    }
    if (inst->room_round != room_round_) {
        inst->room_round = room_round_;
        inst->samples_coming = inst->writers_coming = 0;
        copy_handle(inst->last_writer_coming, HANDLE_NIL);
    }
    if (change.kind != Change::unregister && !same_handle(inst->last_writer_coming, change.writer) &&
        !inst->writers.contains(change.writer)) {
        inst->writers.reserve(inst->writers.size() + inst->writers_coming + 1);
        ++inst->writers_coming;
        copy_handle(inst->last_writer_coming, change.writer);
    }
    if (change.kind == Change::write) {
        inst->valid_samples.reserve(inst->valid_samples.size() + inst->samples_coming + 1);
        ++inst->samples_coming;
    }
    add_spare();  // the sample written, or the one that shows a new instance state
}

void ReaderHistory::prepare_writer_gone(const InstanceHandle_t& writer) {
    for (const auto& [key, inst] : instances_)
        if (inst.writers.contains(writer)) add_spare();
}

void ReaderHistory::drop_room() noexcept {
    spare_ = 0;
    pool_.trim();
    if (fresh_.bucket_count() > 16)
        Instances::Map().swap(fresh_);  // the buckets of a large operation go too
    else if (!fresh_.empty())
        fresh_.clear();
    ++room_round_;
}

void ReaderHistory::add_spare() { pool_.reserve(++spare_); }

// Unprepared, it allocates after all (and, noexcept, ends the process should
// that fail): every operation prepares its changes.
ReaderHistory::Sample* ReaderHistory::take_spare(Instance& inst, bool valid, const Time_t& timestamp,
                                                 const InstanceHandle_t& writer) noexcept {
    if (spare_ > 0) --spare_;
    unsigned char* block = static_cast<unsigned char*>(pool_.take());
    Sample* s = ::new (block + data_room_) Sample;
    s->prev = newest_;
    s->next = nullptr;
    s->instance = &inst;
    s->state = NOT_READ_SAMPLE_STATE;
    s->valid = valid;
    s->source_timestamp = timestamp;
    copy_handle(s->publication, writer);
    s->disposed_generation = inst.disposed_generation;
    s->no_writers_generation = inst.no_writers_generation;
    (newest_ != nullptr ? newest_->next : oldest_) = s;
    newest_ = s;
    ++inst.samples;
    ++inst.unread;
    ++tally(inst, NOT_READ_SAMPLE_STATE);
    return s;
}

ReaderHistory::Instance* ReaderHistory::adopt(const std::string& key) noexcept {
    auto node = fresh_.extract(key);
    if (node.empty()) std::abort();  // a write of a new instance was not prepared: its handle is unknown
    return &instances_.insert(std::move(node)).second;  // within the room prepare reserved
}

ReaderHistory::Effect ReaderHistory::apply(const Change& change, SampleRejectedStatusKind& reason) noexcept {
    if (change.kind == Change::write) {
        reason = refusal(change.key);
        if (reason != NOT_REJECTED) return Effect::rejected;
    }
    Instance* found = find(change.key);
    if (found == nullptr) {
        if (change.kind != Change::write) return Effect::none;  // never seen here
        found = adopt(change.key);
    }
    Instance& inst = *found;
    Effect effect = Effect::none;
    const bool applies = change.kind == Change::unregister ? owns(inst, change)
                                                            : !outdated(inst, change) && owns(inst, change);
    if (!applies) {
        // A change that is filtered out still tells who writes the instance.
        if (change.kind == Change::unregister)
            drop_writer(inst, change.writer);
        else
            add_writer(inst, change.writer);
    } else if (change.kind == Change::write) {
        effect = store(inst, change);
    } else if (change.kind == Change::dispose) {
        effect = dispose(inst, change);
    } else {
        effect = unregister(inst, change.writer, change);
    }
    purge_if_done(inst);  // its last writer may have left an instance whose samples are all taken
    return effect;
}

// Under exclusive ownership only the strongest live writer (the lowest
// handle among equals) changes an instance.
bool ReaderHistory::owns(Instance& inst, const Change& change) noexcept {
    if (!exclusive_) return true;
    const bool owner_live = inst.writers.contains(inst.owner);
    const bool stronger = change.strength > inst.owner_strength ||
                          (change.strength == inst.owner_strength &&
                           std::memcmp(change.writer.value, inst.owner.value, 16) < 0);
    if (inst.owner.valid == 0 || same_handle(inst.owner, change.writer) || !owner_live || stronger) {
        inst.owner = change.writer;
        inst.owner_strength = change.strength;
        return true;
    }
    return false;
}

// Ordered by source timestamp, a write or dispose older than the instance's
// latest one would undo a newer change, so it is dropped. An unregistration
// always counts: the writer is gone whatever its time says.
bool ReaderHistory::outdated(const Instance& inst, const Change& change) const noexcept {
    const Time_t& t = change.source_timestamp;
    return by_source_timestamp_ &&
           (t.sec != inst.latest.sec ? t.sec < inst.latest.sec : t.nanosec < inst.latest.nanosec);
}

void ReaderHistory::add_writer(Instance& inst, const InstanceHandle_t& writer) noexcept {
    inst.writers.add(writer);  // prepared: within the room reserved
}

// The new sample goes in before the oldest goes out, so that nothing is lost
// should there be no room; prepare made room for both.
ReaderHistory::Effect ReaderHistory::store(Instance& inst, const Change& change) noexcept {
    add_writer(inst, change.writer);
    inst.latest = change.source_timestamp;
    if (inst.state != ALIVE_INSTANCE_STATE) {  // reborn
        if (inst.state == NOT_ALIVE_DISPOSED_INSTANCE_STATE)
            ++inst.disposed_generation;
        else
            ++inst.no_writers_generation;
        set_states(inst, NEW_VIEW_STATE, ALIVE_INSTANCE_STATE);
    }
    Sample* const s = take_spare(inst, true, change.source_timestamp, change.writer);
    std::memcpy(data(s), change.data, type_.sample_size);
    inst.valid_samples.push_back(s);
    ++valid_total_;
    if (!keep_all_ && inst.valid_samples.size() > size_t(depth_)) erase(inst.valid_samples.front());
    return Effect::data_changed;
}

ReaderHistory::Effect ReaderHistory::dispose(Instance& inst, const Change& change) noexcept {
    add_writer(inst, change.writer);
    inst.latest = change.source_timestamp;
    if (inst.state == NOT_ALIVE_DISPOSED_INSTANCE_STATE) return Effect::none;
    set_states(inst, inst.view, NOT_ALIVE_DISPOSED_INSTANCE_STATE);
    add_invalid(inst, change.source_timestamp, change.writer);
    return Effect::data_changed;
}

ReaderHistory::Effect ReaderHistory::unregister(Instance& inst, const InstanceHandle_t& writer,
                                                const Change& change) noexcept {
    if (!drop_writer(inst, writer)) return Effect::none;
    if (inst.state != ALIVE_INSTANCE_STATE || !inst.writers.empty()) return Effect::none;
    set_states(inst, inst.view, NOT_ALIVE_NO_WRITERS_INSTANCE_STATE);
    add_invalid(inst, change.source_timestamp, writer);
    return Effect::data_changed;
}

bool ReaderHistory::drop_writer(Instance& inst, const InstanceHandle_t& writer) noexcept {
    return inst.writers.remove(writer);
}

bool ReaderHistory::writer_gone(const InstanceHandle_t& writer, const Time_t& now) noexcept {
    bool changed = false;
    for (auto it = instances_.begin(); it != instances_.end();) {
        Instance& inst = it->second;
        ++it;  // purge_if_done may erase `inst`
        if (!drop_writer(inst, writer)) continue;
        if (inst.state == ALIVE_INSTANCE_STATE && inst.writers.empty()) {
            set_states(inst, inst.view, NOT_ALIVE_NO_WRITERS_INSTANCE_STATE);
            add_invalid(inst, now, writer);
            changed = true;
        }
        purge_if_done(inst);
    }
    return changed;
}

// The state change needs a sample to be seen only when no unread sample of
// the instance carries it already. Such a sample reports the instance's state
// as it is now, so it replaces an earlier one (read by then): a reader that
// reads without taking keeps one per instance, not one per change.
void ReaderHistory::add_invalid(Instance& inst, const Time_t& timestamp, const InstanceHandle_t& writer) noexcept {
    if (inst.unread > 0) return;
    if (inst.invalid_sample != nullptr) erase(inst.invalid_sample);
    Sample* const s = take_spare(inst, false, timestamp, writer);
    std::memset(data(s), 0, type_.sample_size);
    std::memcpy(data(s) + type_.key_offset, inst.key.data(), inst.key.size());
    inst.invalid_sample = s;
}

void ReaderHistory::unlink(Sample* s) noexcept {
    Instance& inst = *s->instance;
    if (s->valid) {
        inst.valid_samples.erase(inst.valid_samples.find(s));
        --valid_total_;
    } else {
        inst.invalid_sample = nullptr;
    }
    if (s->state == NOT_READ_SAMPLE_STATE) --inst.unread;
    --inst.samples;
    --tally(inst, s->state);
    (s->prev != nullptr ? s->prev->next : oldest_) = s->next;
    (s->next != nullptr ? s->next->prev : newest_) = s->prev;
}

void ReaderHistory::erase(Sample* s) noexcept {
    unlink(s);
    pool_.give_back(block_of(s));
}

// An instance with no sample left and no writer is forgotten.
void ReaderHistory::purge_if_done(Instance& inst) noexcept {
    if (inst.samples != 0 || !inst.writers.empty()) return;
    last_found_ = nullptr;
    instances_.erase(*instances_.find(inst.key));
}

const ReaderHistory::Selection& ReaderHistory::select(int32_t max, SampleStateMask sm, ViewStateMask vm,
                                                      InstanceStateMask im) {
    selection_.clear();
    for (Sample* s = oldest_; s != nullptr; s = s->next) {
        if (max != LENGTH_UNLIMITED && selection_.size() >= size_t(max)) break;
        if ((s->state & sm) && (s->instance->view & vm) && (s->instance->state & im)) selection_.push_back(s);
    }
    return selection_;
}

size_t ReaderHistory::tally_index(ViewStateKind view, InstanceStateKind state, SampleStateKind sample) noexcept {
    const size_t v = view == NEW_VIEW_STATE ? 0 : 1;
    const size_t i = state == ALIVE_INSTANCE_STATE ? 0 : state == NOT_ALIVE_DISPOSED_INSTANCE_STATE ? 1 : 2;
    const size_t s = sample == READ_SAMPLE_STATE ? 0 : 1;
    return (v * 3 + i) * 2 + s;
}

size_t& ReaderHistory::tally(const Instance& inst, SampleStateKind sample) noexcept {
    return tallies_[inst.tallies + (sample == READ_SAMPLE_STATE ? 0 : 1)];
}

// The instance's samples move to the tallies of its new states.
void ReaderHistory::set_states(Instance& inst, ViewStateKind view, InstanceStateKind state) noexcept {
    if (inst.view == view && inst.state == state) return;
    tally(inst, READ_SAMPLE_STATE) -= inst.samples - inst.unread;
    tally(inst, NOT_READ_SAMPLE_STATE) -= inst.unread;
    inst.view = view;
    inst.state = state;
    inst.tallies = tally_index(view, state, READ_SAMPLE_STATE);
    tally(inst, READ_SAMPLE_STATE) += inst.samples - inst.unread;
    tally(inst, NOT_READ_SAMPLE_STATE) += inst.unread;
}

bool ReaderHistory::any(SampleStateMask sm, ViewStateMask vm, InstanceStateMask im) const {
    static constexpr ViewStateKind views[] = {NEW_VIEW_STATE, NOT_NEW_VIEW_STATE};
    static constexpr InstanceStateKind states[] = {ALIVE_INSTANCE_STATE, NOT_ALIVE_DISPOSED_INSTANCE_STATE,
                                                   NOT_ALIVE_NO_WRITERS_INSTANCE_STATE};
    static constexpr SampleStateKind samples[] = {READ_SAMPLE_STATE, NOT_READ_SAMPLE_STATE};
    bool found = false;
    for (ViewStateKind v : views)
        for (InstanceStateKind i : states)
            for (SampleStateKind s : samples)
                found = found || ((v & vm) && (i & im) && (s & sm) && tallies_[tally_index(v, i, s)] > 0);
    assert(found == any_by_scan(sm, vm, im));
    return found;
}

bool ReaderHistory::any_by_scan(SampleStateMask sm, ViewStateMask vm, InstanceStateMask im) const noexcept {
    for (const Sample* s = oldest_; s != nullptr; s = s->next)
        if ((s->state & sm) && (s->instance->view & vm) && (s->instance->state & im)) return true;
    return false;
}

void ReaderHistory::copy_into(const Sample* s, void* destination) const noexcept {
    std::memcpy(destination, data(s), type_.sample_size);
}

void* ReaderHistory::copy_block(const Sample* s) noexcept {
    void* block = pool_.take();
    std::memcpy(block, data(s), type_.sample_size);
    return block;
}

void ReaderHistory::mark_read(const Selection& selection) noexcept {
    for (Sample* s : selection) {
        Instance& inst = *s->instance;
        if (s->state == NOT_READ_SAMPLE_STATE) {
            s->state = READ_SAMPLE_STATE;
            --inst.unread;
            --tally(inst, NOT_READ_SAMPLE_STATE);
            ++tally(inst, READ_SAMPLE_STATE);
        }
        set_states(inst, NOT_NEW_VIEW_STATE, inst.state);
    }
}

void ReaderHistory::remove(const Selection& selection) noexcept { remove(selection, false); }

void ReaderHistory::hand_over(const Selection& selection) noexcept { remove(selection, true); }

void ReaderHistory::remove(const Selection& selection, bool keep_blocks) noexcept {
    for (Sample* s : selection) {
        Instance& inst = *s->instance;
        set_states(inst, NOT_NEW_VIEW_STATE, inst.state);
        unlink(s);
        if (!keep_blocks) pool_.give_back(block_of(s));
        purge_if_done(inst);  // no later selected sample is of a purged instance
    }
}

void ReaderHistory::clear() noexcept {
    for (Sample* s = oldest_; s != nullptr;) {
        Sample* next = s->next;
        BlockPool::free(block_of(s));
        s = next;
    }
    oldest_ = newest_ = nullptr;
    last_found_ = nullptr;
    tallies_.fill(0);
    instances_.clear();
    drop_room();
    pool_.release();
    Selection().swap(selection_);
    valid_total_ = 0;
}

InstanceHandle_t ReaderHistory::lookup(const std::string& key) const {
    const Instance* inst = find(key);
    return inst == nullptr ? HANDLE_NIL : inst->hold.handle();
}

const std::string* ReaderHistory::key_of(const InstanceHandle_t& handle) const {
    const std::string* key = registry_->key_of(handle);
    const auto* entry = key ? instances_.find(*key) : nullptr;
    return entry == nullptr ? nullptr : &entry->first;
}

}  // namespace ZORVEX::engine
