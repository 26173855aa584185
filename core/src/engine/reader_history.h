// A reader's instances and samples, with the DDS state machine: sample
// states, view states, instance states and their generations, KEEP_LAST and
// KEEP_ALL with resource limits, exclusive ownership. Plain data: the reader
// calls it under the engine lock.
#ifndef ZORVEX_SRC_ENGINE_READER_HISTORY_H
#define ZORVEX_SRC_ENGINE_READER_HISTORY_H

#include <cstdint>
#include <deque>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/change.h"
#include "engine/instance_registry.h"
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

    enum class Effect { none, data_changed, rejected };
    // `reason` is set when the change is rejected.
    Effect apply(const Change& change, SampleRejectedStatusKind& reason);
    // The writer no longer matches: it writes no instance any more. `now`
    // stamps the samples that show instances left without writers.
    bool writer_gone(const InstanceHandle_t& writer, const Time_t& now);

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
        std::deque<Samples::iterator> valid_samples;      // oldest first
        std::optional<Samples::iterator> invalid_sample;  // at most one
        size_t samples = 0;                               // valid and invalid
        size_t unread = 0;
        InstanceRegistry::Hold hold;  // names the instance's handle
    };

    Buffer new_buffer() const;
    bool owns(Instance& inst, const Change& change);
    Effect store(Instance& inst, const Change& change);
    Effect dispose(Instance& inst, const Change& change);
    Effect unregister(Instance& inst, const InstanceHandle_t& writer, const Change& change);
    bool drop_writer(Instance& inst, const InstanceHandle_t& writer);
    void add_invalid(Instance& inst, const Time_t& timestamp, const InstanceHandle_t& writer);
    void erase(Samples::iterator sample) noexcept;
    void purge_if_done(Instance& inst) noexcept;

    TypeDescriptor type_;
    bool keep_all_;
    int32_t depth_;
    ResourceLimitsQosPolicy limits_;
    bool exclusive_;
    InstanceRegistry* registry_;
    Samples samples_;  // arrival order
    std::unordered_map<std::string, Instance> instances_;
    size_t valid_total_ = 0;
};

}  // namespace ZORVEX::engine

#endif
