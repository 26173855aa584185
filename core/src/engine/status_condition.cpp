#include "engine/status_condition.h"

#include <typeinfo>

#include "engine/lock.h"
#include "engine/read_condition.h"
#include "waitset/hub.h"

namespace ZORVEX::engine {

// Detached while still whole, so no wait-set evaluates it mid-destruction.
StatusConditionImpl::~StatusConditionImpl() { hub::forget(this); }

bool StatusConditionImpl::get_trigger_value() {
    Guard g;
    return !deleted_ && (changes_ & enabled_) != 0;
}

ReturnCode_t StatusConditionImpl::set_enabled_statuses(const StatusMask& mask) {
    {
        Guard g;
        enabled_ = mask;
    }
    hub::poke(hub::Changes(&owner_));
    return RETCODE_OK;
}

const StatusMask& StatusConditionImpl::get_enabled_statuses() {
    thread_local StatusMask snapshot;  // the caller reads it without the lock
    Guard g;
    snapshot = enabled_;
    return snapshot;
}

const void* wake_key(Condition& condition) {
    const Entity* entity = nullptr;
    if (auto* status = dynamic_cast<StatusConditionImpl*>(&condition))
        entity = status->get_entity();
    else if (auto* read = dynamic_cast<ReadConditionImpl*>(&condition))
        entity = &static_cast<const Entity&>(read->reader_);
    else if (auto* query = dynamic_cast<QueryConditionImpl*>(&condition))
        entity = &static_cast<const Entity&>(query->reader_);
    else if (typeid(condition) == typeid(GuardCondition))
        return static_cast<const Condition*>(&condition);
    return entity;
}

}  // namespace ZORVEX::engine
