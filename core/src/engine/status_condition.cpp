#include "engine/status_condition.h"

#include "engine/lock.h"
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
    hub::poke();
    return RETCODE_OK;
}

const StatusMask& StatusConditionImpl::get_enabled_statuses() {
    thread_local StatusMask snapshot;  // the caller reads it without the lock
    Guard g;
    snapshot = enabled_;
    return snapshot;
}

}  // namespace ZORVEX::engine
