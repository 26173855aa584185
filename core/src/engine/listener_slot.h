// An entity's listener and mask. The slot shares ownership of the listener
// with every callback in flight and every get_listener caller, so a replaced
// listener is deleted once the last of them is done, and never under the
// engine lock.
#ifndef ZORVEX_SRC_ENGINE_LISTENER_SLOT_H
#define ZORVEX_SRC_ENGINE_LISTENER_SLOT_H

#include <memory>

#include "engine/deferred.h"
#include "engine/lock.h"
#include "zorvex/types.h"

namespace ZORVEX::engine {

template <class L>
struct ListenerSlot {
    std::shared_ptr<L> listener;
    StatusMask mask = 0;

    bool takes(StatusKind kind) const { return listener && (mask & kind) != 0; }

    // Installs `incoming` in place of another listener (or none); with a
    // release reserved in `after`, it cannot fail.
    void install(std::shared_ptr<L>&& incoming, StatusMask new_mask, Deferred& after) {
        after.release(std::move(listener));
        listener = std::move(incoming);
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
