// A reader's instances and samples, with the DDS state machine: sample
// states, view states, instance states and their generations, KEEP_LAST and
// KEEP_ALL with resource limits, exclusive ownership, destination order by
// source timestamp. Plain data: the reader calls it under the engine lock.
//
// Changes come in two steps, so that an operation fails before it changes
// anything or not at all: prepare() makes the room a change needs (the
// instance it may create, the sample it may add, a writer new to the
// instance), then apply() makes the change and allocates nothing.
//
// A sample is one block: its bytes, then its bookkeeping. Blocks come from
// and go back to a pool, and a take hands the block itself to the loan.
#ifndef ZORVEX_SRC_ENGINE_READER_HISTORY_H
#define ZORVEX_SRC_ENGINE_READER_HISTORY_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/block_pool.h"
#include "engine/change.h"
#include "engine/handle_ops.h"
#include "engine/instance_registry.h"
#include "engine/key_map.h"
#include "engine/ring.h"
#include "engine/writer_set.h"
#include "zorvex/qos.h"
#include "zorvex/status.h"
#include "zorvex/type_descriptor.h"

namespace ZORVEX::engine {

class ReaderHistory {
    struct Instance;
    // Behind the sample's bytes in its block.
    struct alignas(std::max_align_t) Sample {
        Sample* prev;  // arrival order
        Sample* next;
        Instance* instance;
        SampleStateKind state;
        bool valid;
        Time_t source_timestamp;
        InstanceHandle_t publication;
        int32_t disposed_generation;
        int32_t no_writers_generation;
    };

public:
    // Each instance holds its key in `registry` while the history keeps it.
    ReaderHistory(const TypeDescriptor& type, const DataReaderQos& qos, InstanceRegistry& registry);
    ReaderHistory(const ReaderHistory&) = delete;
    ReaderHistory& operator=(const ReaderHistory&) = delete;
    ~ReaderHistory() { clear(); }

    // New QoS for a history that holds nothing yet.
    void configure(const DataReaderQos& qos) noexcept;

    // Why a write of the instance `key` would be refused now (NOT_REJECTED:
    // it fits). A reliable writer waits while this refuses.
    SampleRejectedStatusKind refusal(const std::string& key) const;

    // Room for `change`, and the key's hold in the registry should the
    // change create its instance. Room made by one operation adds up over
    // its changes.
    void prepare(const Change& change);
    // Room for what writer_gone(writer) adds.
    void prepare_writer_gone(const InstanceHandle_t& writer);
    // The room the operation did not use goes; the next one starts afresh.
    void drop_room() noexcept;

    enum class Effect { none, data_changed, rejected };
    // A prepared change; `reason` is set when it is rejected.
    Effect apply(const Change& change, SampleRejectedStatusKind& reason) noexcept;
    // The writer no longer matches: it writes no instance any more. `now`
    // stamps the samples that show instances left without writers. Prepared
    // with prepare_writer_gone.
    bool writer_gone(const InstanceHandle_t& writer, const Time_t& now) noexcept;

    using Selection = std::vector<Sample*>;
    // Up to `max` samples (LENGTH_UNLIMITED: all) in the masks, oldest first;
    // valid until the next select.
    const Selection& select(int32_t max, SampleStateMask samples, ViewStateMask views, InstanceStateMask instances);
    // Constant time: counts, not a scan.
    bool any(SampleStateMask samples, ViewStateMask views, InstanceStateMask instances) const;
    // The sample information of a selection, ranks included, written into
    // info(i) (a SampleInfo&) for the i-th sample.
    template <class Target>
    void infos(const Selection& selection, Target&& info) const noexcept;
    void copy_into(const Sample* sample, void* destination) const noexcept;
    // Room for `n` copies, so that as many copy_block() cannot fail.
    void reserve_copies(size_t n) { pool_.reserve(n); }
    // A block of its own holding a copy of the sample's bytes (at its start).
    void* copy_block(const Sample* sample) noexcept;
    // The sample's own block, its bytes at the start; the caller owns it
    // once the sample is handed over.
    void* block_of(const Sample* sample) const noexcept {
        return const_cast<unsigned char*>(reinterpret_cast<const unsigned char*>(sample)) - data_room_;
    }
    // A block the history made, back for reuse.
    void give_back(void* block) noexcept { pool_.give_back(block); }
    // Commit a read: the samples become READ, their instances NOT_NEW.
    void mark_read(const Selection& selection) noexcept;
    // Commit a take: the samples leave, their instances become NOT_NEW.
    void remove(const Selection& selection) noexcept;
    // As remove, but the caller keeps the samples' blocks (block_of).
    void hand_over(const Selection& selection) noexcept;

    // Drops every sample and instance, so that a deleted reader holds no key.
    void clear() noexcept;

    InstanceHandle_t lookup(const std::string& key) const;
    // The handle of `key` in the domain, held here or not (a writer of it holds it).
    InstanceHandle_t handle_of(const std::string& key) const { return registry_->handle_of(key); }
    // The key of the instance with this handle; null if none.
    const std::string* key_of(const InstanceHandle_t& handle) const;

private:
    struct Instance {
        std::string key;
        InstanceStateKind state = ALIVE_INSTANCE_STATE;
        ViewStateKind view = NEW_VIEW_STATE;
        int32_t disposed_generation = 0;
        int32_t no_writers_generation = 0;
        WriterSet writers;        // live writers of the instance
        InstanceHandle_t owner;   // exclusive ownership
        int32_t owner_strength = 0;
        Time_t latest{0, 0};  // the source time of the newest write or dispose applied
        Ring<Sample*> valid_samples;      // oldest first
        Sample* invalid_sample = nullptr;  // at most one
        size_t samples = 0;                // valid and invalid
        size_t unread = 0;
        size_t tallies = 0;  // where the tallies of its states start (tally_index of view, state, READ)
        // The ranks of the samples being reported (infos): how many of the
        // selection are still to come, the generation of the latest.
        mutable int32_t remaining = 0;
        mutable int32_t last_generation = 0;
        InstanceRegistry::Hold hold;  // names the instance's handle
        // Room prepared in round `room_round`: samples to come, and writers
        // new to the instance (the last of them, as one writer's changes
        // come together).
        uint64_t room_round = 0;
        size_t samples_coming = 0;
        size_t writers_coming = 0;
        InstanceHandle_t last_writer_coming;
    };
    using Instances = KeyMap<Instance>;

    unsigned char* data(const Sample* s) const noexcept { return static_cast<unsigned char*>(block_of(s)); }
    // Room for one more sample in the current operation.
    void add_spare();
    // A new unread sample of `inst`, made of a spare block, put at the end of
    // the arrival order; its bytes are the caller's to fill.
    Sample* take_spare(Instance& inst, bool valid, const Time_t& timestamp, const InstanceHandle_t& writer) noexcept;
    // The instance of `key` held, or null.
    Instance* find(const std::string& key) const noexcept;
    Instance* adopt(const std::string& key) noexcept;
    bool outdated(const Instance& inst, const Change& change) const noexcept;
    bool owns(Instance& inst, const Change& change) noexcept;
    Effect store(Instance& inst, const Change& change) noexcept;
    Effect dispose(Instance& inst, const Change& change) noexcept;
    Effect unregister(Instance& inst, const InstanceHandle_t& writer, const Change& change) noexcept;
    bool drop_writer(Instance& inst, const InstanceHandle_t& writer) noexcept;
    void add_writer(Instance& inst, const InstanceHandle_t& writer) noexcept;
    void add_invalid(Instance& inst, const Time_t& timestamp, const InstanceHandle_t& writer) noexcept;
    // Takes the sample out of the history, its block left to the caller.
    void unlink(Sample* sample) noexcept;
    void erase(Sample* sample) noexcept;
    void remove(const Selection& selection, bool keep_blocks) noexcept;
    void purge_if_done(Instance& inst) noexcept;
    // The samples held in each combination of view, instance and sample state.
    static size_t tally_index(ViewStateKind view, InstanceStateKind state, SampleStateKind sample) noexcept;
    size_t& tally(const Instance& inst, SampleStateKind sample) noexcept;
    // Every change of an instance's view or instance state goes through here.
    void set_states(Instance& inst, ViewStateKind view, InstanceStateKind state) noexcept;
    // What any() answers, found the slow way (checks the tallies in debug builds).
    bool any_by_scan(SampleStateMask samples, ViewStateMask views, InstanceStateMask instances) const noexcept;

    TypeDescriptor type_;
    bool keep_all_;
    int32_t depth_;
    ResourceLimitsQosPolicy limits_;
    bool exclusive_;
    bool by_source_timestamp_;
    InstanceRegistry* registry_;
    size_t data_room_;  // the sample's bytes, rounded up to align the Sample behind them
    BlockPool pool_;
    Sample* oldest_ = nullptr;  // arrival order
    Sample* newest_ = nullptr;
    Instances instances_;
    // The instance find() found last, tried first: one write looks its
    // instance up several times. Null once any instance goes.
    mutable Instance* last_found_ = nullptr;
    size_t valid_total_ = 0;
    std::array<size_t, 12> tallies_{};  // by tally_index
    Selection selection_;
    // The room prepared for the current operation: blocks for its samples
    // (kept in pool_), and the instances its changes may create.
    size_t spare_ = 0;
    Instances::Map fresh_;
    uint64_t room_round_ = 1;
};

template <class Target>
void ReaderHistory::infos(const Selection& selection, Target&& target) const noexcept {
    for (const Sample* s : selection) s->instance->remaining = 0;
    for (const Sample* s : selection) {
        ++s->instance->remaining;
        s->instance->last_generation = s->disposed_generation + s->no_writers_generation;
    }
    for (size_t i = 0; i < selection.size(); ++i) {
        const Sample* s = selection[i];
        const Instance& inst = *s->instance;
        const int32_t generation = s->disposed_generation + s->no_writers_generation;
        SampleInfo& info = target(i);
        info.sample_state = s->state;
        info.view_state = inst.view;
        info.instance_state = inst.state;
        info.source_timestamp = s->source_timestamp;
        copy_handle(info.instance_handle, inst.hold.handle());
        copy_handle(info.publication_handle, s->publication);
        info.disposed_generation_count = s->disposed_generation;
        info.no_writers_generation_count = s->no_writers_generation;
        info.sample_rank = --inst.remaining;
        info.generation_rank = inst.last_generation - generation;
        info.absolute_generation_rank = inst.disposed_generation + inst.no_writers_generation - generation;
        info.valid_data = s->valid;
    }
}

}  // namespace ZORVEX::engine

#endif
