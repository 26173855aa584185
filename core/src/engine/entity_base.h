// What every engine entity keeps: its handle, enabled and deleted flags,
// changed statuses, status condition and the gate of the calls about it.
// All fields are read and written under the engine lock (the handle never
// changes; the gate keeps its own order).
#ifndef ZORVEX_SRC_ENGINE_ENTITY_BASE_H
#define ZORVEX_SRC_ENGINE_ENTITY_BASE_H

#include <cstdlib>

#include "engine/call_gate.h"
#include "engine/handles.h"
#include "engine/lock.h"
#include "engine/status_condition.h"

namespace ZORVEX::engine {

template <class Base>
class EntityBase : public Base {
public:
    StatusCondition* get_statuscondition() override { return &status_condition_; }
    const StatusMask& get_status_changes() override {
        thread_local StatusMask snapshot;  // the caller reads it without the lock
        Guard g;
        snapshot = changes_;
        return snapshot;
    }
    const InstanceHandle_t& get_instance_handle() override { return handle_; }

    const InstanceHandle_t handle_ = new_handle();
    bool enabled_ = false;
    bool deleted_ = false;  // deleted by its parent; alive only for running callbacks
    StatusMask changes_ = 0;
    StatusConditionImpl status_condition_{*this, changes_, deleted_};
    CallGate callbacks_;  // calls about this entity pass it; its delete closes it

protected:
    EntityBase() = default;
    // Entities die once unlocked: their listener and conditions go with them.
    ~EntityBase() override {
        if (holding()) std::abort();
    }
};

}  // namespace ZORVEX::engine

#endif
