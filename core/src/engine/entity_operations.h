// The shapes most entity operations share, written once: installing a
// listener, changing the QoS, enabling under an enabled parent, answering
// for the endpoints matched with a writer or reader.
#ifndef ZORVEX_SRC_ENGINE_ENTITY_OPERATIONS_H
#define ZORVEX_SRC_ENGINE_ENTITY_OPERATIONS_H

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "engine/deferred.h"
#include "engine/listener_slot.h"
#include "engine/lock.h"
#include "engine/plan.h"
#include "engine/qos_rules.h"

namespace ZORVEX::engine {

// A deleted entity still takes the listener, to release it. The listener is
// held before the lock is taken, so that should its share count not be
// made, it is deleted unlocked, and the one installed stays. Once this
// returns, no call through the listener it replaced is still running, but
// one on this thread (a callback replacing its own listener).
template <class E, class L>
ReturnCode_t install_listener(E& entity, ListenerSlot<L>& slot, L* listener, StatusMask mask) {
    std::unique_ptr<L> incoming(listener);
    Deferred after;
    {
        Guard g;
        const bool same = listener == slot.listener.get();  // the same listener again only changes the mask
        if (same) incoming.release();
        if (entity.deleted_) return RETCODE_ALREADY_DELETED;
        if (same) {
            slot.mask = mask;
        } else {
            after.reserve(0, 1);
            slot.install(hold(incoming), mask, after);
        }
    }
    after.run();
    return RETCODE_OK;
}

// A consistent QoS that, once enabled, keeps the policies fixed at enable;
// `applied(plan)` plans what follows from it once it is in place. Should
// that fail, the former QoS comes back.
template <class E, class Q, class Applied>
ReturnCode_t change_qos(E& entity, Q& current, const Q& next, Applied&& applied) {
    if (!qos::consistent(next)) return RETCODE_INCONSISTENT_POLICY;
    Deferred after;
    {
        Guard g;
        if (entity.deleted_) return RETCODE_ALREADY_DELETED;
        if (entity.enabled_ && !qos::changeable(current, next)) return RETCODE_IMMUTABLE_POLICY;
        static_assert(std::is_nothrow_swappable_v<Q>);
        Q former = next;
        std::swap(current, former);
        Plan plan(after);
        try {
            applied(plan);
        } catch (...) {
            std::swap(current, former);
            throw;
        }
        plan.commit();
    }
    after.run();
    return RETCODE_OK;
}

template <class E, class Q>
ReturnCode_t change_qos(E& entity, Q& current, const Q& next) {
    return change_qos(entity, current, next, [](Plan&) {});
}

// set_default_*_qos: the initial default for the sentinel, else a consistent
// QoS, copied before the lock so that it is set whole or not at all.
template <class Q>
ReturnCode_t set_default_qos(Q& current, const Q& next, const Q& sentinel) {
    Q copy = &next == &sentinel ? Q{} : next;
    if (!qos::consistent(copy)) return RETCODE_INCONSISTENT_POLICY;
    Guard g;
    current = std::move(copy);
    return RETCODE_OK;
}

// enable() of an entity whose parent must be enabled first.
template <class E, class Parent>
ReturnCode_t enable_below(E& entity, const Parent& parent) {
    Deferred after;
    {
        Guard g;
        if (entity.deleted_) return RETCODE_ALREADY_DELETED;
        if (!parent.enabled_) return RETCODE_PRECONDITION_NOT_MET;
        Plan plan(after);
        entity.enable_locked(plan);
        plan.commit();
    }
    after.run();
    return RETCODE_OK;
}

// Creation, all or nothing: the child is made and its enabling (when
// `enable`) planned before it joins `children`. `made` is the caller's,
// declared before the lock is taken, so that a child that cannot join dies
// once the lock is free.
template <class Child, class... Args>
Child* add_child(std::vector<std::shared_ptr<Child>>& children, std::shared_ptr<Child>& made, bool enable,
                 Deferred& after, Args&&... args) {
    children.reserve(children.size() + 1);
    made = std::make_shared<Child>(std::forward<Args>(args)...);
    Plan plan(after);
    if (enable) made->enable_locked(plan);
    children.push_back(made);
    plan.commit();
    return made.get();
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
