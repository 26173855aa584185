// The status condition every entity owns.
#ifndef ZORVEX_SRC_ENGINE_STATUS_CONDITION_H
#define ZORVEX_SRC_ENGINE_STATUS_CONDITION_H

#include "zorvex/conditions.h"
#include "zorvex/entity.h"

namespace ZORVEX::engine {

class StatusConditionImpl final : public StatusCondition {
public:
    // `changes` and `deleted` are the owner's, read under the engine lock.
    StatusConditionImpl(Entity& owner, const StatusMask& changes, const bool& deleted)
        : owner_(owner), changes_(changes), deleted_(deleted) {}
    ~StatusConditionImpl() override;
    bool get_trigger_value() override;
    ReturnCode_t set_enabled_statuses(const StatusMask& mask) override;
    const StatusMask& get_enabled_statuses() override;
    Entity* get_entity() override { return &owner_; }

private:
    Entity& owner_;
    const StatusMask& changes_;
    const bool& deleted_;
    StatusMask enabled_ = STATUS_MASK_ALL;
};

// What the hub files `condition` under (hub::Changes): its entity for a
// status, read or query condition of the engine, a plain guard condition
// itself, null for any other (every change may turn it true).
const void* wake_key(Condition& condition);

}  // namespace ZORVEX::engine

#endif
