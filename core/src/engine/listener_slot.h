// An entity's listener and mask. The slot shares ownership of the listener
// with every callback in flight and every get_listener caller, so a replaced
// listener is deleted once the last of them is done, and never under the
// engine lock. Each listener comes with the gate its calls pass, closed and
// drained when the listener is replaced.
#ifndef ZORVEX_SRC_ENGINE_LISTENER_SLOT_H
#define ZORVEX_SRC_ENGINE_LISTENER_SLOT_H

#include <memory>
#include <type_traits>

#include "engine/call_gate.h"
#include "engine/deferred.h"
#include "engine/lock.h"
#include "zorvex/types.h"

namespace ZORVEX::engine {

// A listener as the engine holds it: shared, with its gate (null with no
// listener). A listener of a derived kind converts to one of its base.
template <class L>
struct HeldListener {
    std::shared_ptr<L> listener;
    CallGate* gate = nullptr;

    HeldListener() = default;
    HeldListener(std::shared_ptr<L> l, CallGate* g) noexcept : listener(std::move(l)), gate(g) {}
    template <class D, class = std::enable_if_t<std::is_convertible_v<D*, L*>>>
    HeldListener(HeldListener<D> other) noexcept : listener(std::move(other.listener)), gate(other.gate) {}

    explicit operator bool() const noexcept { return listener != nullptr; }
};

// Takes ownership of a listener handed to the core: one allocation for the
// listener's share count and its gate. Should that fail, std::bad_alloc is
// thrown and `incoming` still owns the listener.
template <class L>
HeldListener<L> hold(std::unique_ptr<L>& incoming) {
    struct Box {
        std::unique_ptr<L> owned;
        CallGate gate;
    };
    if (!incoming) return {};
    auto box = std::make_shared<Box>();
    box->owned = std::move(incoming);
    L* const raw = box->owned.get();
    CallGate* const gate = &box->gate;
    return {std::shared_ptr<L>(std::move(box), raw), gate};
}

// As above; should the allocation fail, the listener is deleted.
template <class L>
HeldListener<L> hold(L* listener) {
    std::unique_ptr<L> incoming(listener);
    return hold(incoming);
}

template <class L>
struct ListenerSlot {
    ListenerSlot(HeldListener<L>&& held, StatusMask m) noexcept
        : listener(std::move(held.listener)), gate(held.gate), mask(m) {}

    std::shared_ptr<L> listener;
    CallGate* gate;
    StatusMask mask;

    bool takes(StatusKind kind) const { return listener && (mask & kind) != 0; }
    HeldListener<L> held() const noexcept { return {listener, gate}; }

    // Installs `incoming` in place of another listener (or none); with a
    // release reserved in `after`, it cannot fail. No call through the old
    // listener starts from now on, and `after` waits for those inside.
    void install(HeldListener<L>&& incoming, StatusMask new_mask, Deferred& after) {
        after.release(std::move(listener), gate);
        listener = std::move(incoming.listener);
        gate = incoming.gate;
        mask = new_mask;
    }

    // The listener for get_listener. The caller reads it after the engine
    // lock is gone, while another thread may replace it, so this thread keeps
    // a share of it until it next takes the engine lock: one listener per
    // thread at most, however often listeners are swapped.
    L* lend() const {
        Guard g;
        keep_until_next_lock(listener);
        return listener.get();
    }
};

}  // namespace ZORVEX::engine

#endif
