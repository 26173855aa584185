// The shapes most entity operations share, written once: installing a
// listener, changing the QoS, enabling under an enabled parent, answering
// for the endpoints matched with a writer or reader.
#ifndef ZORVEX_SRC_ENGINE_ENTITY_OPERATIONS_H
#define ZORVEX_SRC_ENGINE_ENTITY_OPERATIONS_H

#include <memory>
#include <vector>

#include "engine/deferred.h"
#include "engine/listener_slot.h"
#include "engine/lock.h"
#include "engine/qos_rules.h"

namespace ZORVEX::engine {

// A deleted entity still takes the listener, to release it.
template <class E, class L>
ReturnCode_t install_listener(E& entity, ListenerSlot<L>& slot, L* listener, StatusMask mask) {
    Deferred after;
    {
        Guard g;
        if (entity.deleted_) {
            after.release(std::shared_ptr<L>(listener));
            return RETCODE_ALREADY_DELETED;
        }
        slot.install(listener, mask, after);
    }
    after.run();
    return RETCODE_OK;
}

// A consistent QoS that, once enabled, keeps the policies fixed at enable;
// `applied(after)` runs under the lock once it is in place.
template <class E, class Q, class Applied>
ReturnCode_t change_qos(E& entity, Q& current, const Q& next, Applied&& applied) {
    if (!qos::consistent(next)) return RETCODE_INCONSISTENT_POLICY;
    Deferred after;
    {
        Guard g;
        if (entity.deleted_) return RETCODE_ALREADY_DELETED;
        if (entity.enabled_ && !qos::changeable(current, next)) return RETCODE_IMMUTABLE_POLICY;
        current = next;
        applied(after);
    }
    after.run();
    return RETCODE_OK;
}

template <class E, class Q>
ReturnCode_t change_qos(E& entity, Q& current, const Q& next) {
    return change_qos(entity, current, next, [](Deferred&) {});
}

// enable() of an entity whose parent must be enabled first.
template <class E, class Parent>
ReturnCode_t enable_below(E& entity, const Parent& parent) {
    Deferred after;
    {
        Guard g;
        if (entity.deleted_) return RETCODE_ALREADY_DELETED;
        if (!parent.enabled_) return RETCODE_PRECONDITION_NOT_MET;
        entity.enable_locked(after);
    }
    after.run();
    return RETCODE_OK;
}

// The built-in data of the matched endpoint with that handle.
template <class E, class Data>
ReturnCode_t matched_endpoint_data(const E& entity, Data& data, const InstanceHandle_t& handle) {
    Guard g;
    if (entity.deleted_) return RETCODE_ALREADY_DELETED;
    for (const auto* other : entity.matched_)
        if (other->handle_ == handle) {
            describe(*other, data);
            return RETCODE_OK;
        }
    return RETCODE_BAD_PARAMETER;
}

// The handles of the matched endpoints, in matching order.
template <class E>
ReturnCode_t matched_endpoint_handles(const E& entity, std::vector<InstanceHandle_t>& handles) {
    Guard g;
    if (entity.deleted_) return RETCODE_ALREADY_DELETED;
    handles.clear();
    for (const auto* other : entity.matched_) handles.push_back(other->handle_);
    return RETCODE_OK;
}

}  // namespace ZORVEX::engine

#endif
