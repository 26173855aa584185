// A reader's instances and samples, with the DDS state machine: sample
// states, view states, instance states and their generations, KEEP_LAST and
// KEEP_ALL with resource limits, exclusive ownership. Plain data: the reader
// calls it under the engine lock.
//
// Changes come in two steps, so that an operation fails before it changes
// anything or not at all: prepare() makes the room a change needs (the
// instance it may create, the sample it may add, a writer new to the
// instance), then apply() makes the change and allocates nothing.
#ifndef ZORVEX_SRC_ENGINE_READER_HISTORY_H
#define ZORVEX_SRC_ENGINE_READER_HISTORY_H

#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/change.h"
#include "engine/instance_registry.h"
#include "engine/ring.h"
#include "zorvex/qos.h"
#include "zorvex/status.h"
#include "zorvex/type_descriptor.h"

namespace ZORVEX::engine {

class ReaderHistory {
    struct Instance;
    struct Sample {
        Buffer data;
        Instance* instance;
        SampleStateKind state;
        bool valid;
        Time_t source_timestamp;
        InstanceHandle_t publication;
        int32_t disposed_generation;
        int32_t no_writers_generation;
    };
    using Samples = std::list<Sample>;

public:
    // Each instance holds its key in `registry` while the history keeps it.
    ReaderHistory(const TypeDescriptor& type, const DataReaderQos& qos, InstanceRegistry& registry);

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

    using Selection = std::vector<Samples::iterator>;
    // Up to `max` samples (LENGTH_UNLIMITED: all) in the masks, oldest first.
    Selection select(int32_t max, SampleStateMask samples, ViewStateMask views, InstanceStateMask instances);
    bool any(SampleStateMask samples, ViewStateMask views, InstanceStateMask instances) const;
    // The sample information of a selection, ranks included.
    std::vector<SampleInfo> infos(const Selection& selection) const;
    // A copy of a selected sample's bytes.
    Buffer copy_of(Samples::iterator sample) const;
    void copy_into(Samples::iterator sample, void* destination) const;
    // Commit a read: the samples become READ, their instances NOT_NEW.
    void mark_read(const Selection& selection) noexcept;
    // Commit a take: the samples leave, their instances become NOT_NEW.
    void remove(const Selection& selection) noexcept;

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
        std::vector<InstanceHandle_t> writers;  // live writers of the instance
        InstanceHandle_t owner;                 // exclusive ownership
        int32_t owner_strength = 0;
        Ring<Samples::iterator> valid_samples;            // oldest first
        std::optional<Samples::iterator> invalid_sample;  // at most one
        size_t samples = 0;                               // valid and invalid
        size_t unread = 0;
        InstanceRegistry::Hold hold;  // names the instance's handle
        // Room prepared in round `room_round`: samples to come, and writers
        // new to the instance (the last of them, as one writer's changes
        // come together).
        uint64_t room_round = 0;
        size_t samples_coming = 0;
        size_t writers_coming = 0;
        InstanceHandle_t last_writer_coming;
    };
    using Instances = std::unordered_map<std::string, Instance>;

    Buffer new_buffer() const;
    void add_spare();
    // A spare sample, moved to the end of samples_.
    Samples::iterator take_spare() noexcept;
    Instances::iterator adopt(const std::string& key) noexcept;
    bool owns(Instance& inst, const Change& change) noexcept;
    Effect store(Instance& inst, const Change& change) noexcept;
    Effect dispose(Instance& inst, const Change& change) noexcept;
    Effect unregister(Instance& inst, const InstanceHandle_t& writer, const Change& change) noexcept;
    bool drop_writer(Instance& inst, const InstanceHandle_t& writer) noexcept;
    void add_writer(Instance& inst, const InstanceHandle_t& writer) noexcept;
    void add_invalid(Instance& inst, const Time_t& timestamp, const InstanceHandle_t& writer) noexcept;
    void erase(Samples::iterator sample) noexcept;
    void purge_if_done(Instance& inst) noexcept;

    TypeDescriptor type_;
    bool keep_all_;
    int32_t depth_;
    ResourceLimitsQosPolicy limits_;
    bool exclusive_;
    InstanceRegistry* registry_;
    Samples samples_;  // arrival order
    Instances instances_;
    size_t valid_total_ = 0;
    // The room prepared for the current operation: sample nodes with their
    // buffers, and the instances its changes may create.
    Samples spare_;
    Instances fresh_;
    uint64_t room_round_ = 1;
};

}  // namespace ZORVEX::engine

#endif
