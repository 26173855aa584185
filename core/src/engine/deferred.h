// Work an operation collects under the engine lock and runs once the lock is
// released: so a listener may call back into the engine, and no entity or
// listener is destroyed while the lock is held.
#ifndef ZORVEX_SRC_ENGINE_DEFERRED_H
#define ZORVEX_SRC_ENGINE_DEFERRED_H

#include <functional>
#include <memory>
#include <vector>

#include "waitset/hub.h"

namespace ZORVEX::engine {

class Deferred {
public:
    Deferred() = default;
    Deferred(const Deferred&) = delete;
    Deferred& operator=(const Deferred&) = delete;
    // Releases what is left without calling it (after a callback threw).
    ~Deferred();

    // A listener call; its closure keeps the entity and listener alive.
    void call(std::function<void()> fn) { calls_.push_back(std::move(fn)); }
    // Drop a reference once unlocked (the last one destroys the object).
    void release(std::shared_ptr<void> object) {
        if (object) releases_.push_back(std::move(object));
    }
    // Triggers of this entity's conditions may have turned true.
    void poke(const Entity& changed) noexcept { changes_.add(changed); }
    // Any trigger may have turned true.
    void poke() noexcept { changes_.add_all(); }

    // Call with the engine lock released. A callback's exception propagates.
    void run();

private:
    std::vector<std::function<void()>> calls_;
    std::vector<std::shared_ptr<void>> releases_;
    hub::Changes changes_;
};

}  // namespace ZORVEX::engine

#endif
