// An entity's listener and mask. The slot shares ownership of the listener
// with every callback in flight, so a replaced listener is deleted once the
// last of them returns, and never under the engine lock.
#ifndef ZORVEX_SRC_ENGINE_LISTENER_SLOT_H
#define ZORVEX_SRC_ENGINE_LISTENER_SLOT_H

#include <memory>

#include "engine/deferred.h"
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
};

}  // namespace ZORVEX::engine

#endif
