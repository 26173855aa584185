// The wait-set hub: one lock shared by every wait-set, and a signal for each.
//
// A waiting thread evaluates its conditions while it holds the hub lock and
// sleeps on its wait-set's signal; whoever changes what a trigger depends on
// calls poke() afterwards, naming what changed. A poke costs an atomic
// increment while some thread waits, and takes the hub lock and wakes a
// wait-set only when that wait-set sleeps on a condition the change may
// have turned true. Lock order: hub lock, then engine lock. Nobody pokes or
// forgets a condition while holding the engine lock.
#ifndef ZORVEX_SRC_WAITSET_HUB_H
#define ZORVEX_SRC_WAITSET_HUB_H

#include "zorvex/conditions.h"
#include "zorvex/entity.h"

namespace ZORVEX::hub {

// What a change may have turned true. Conditions are filed under keys: the
// engine's status and read conditions under their entity, a guard condition
// under itself, any other condition under none (every change may turn it
// true). Past a few keys a change counts as touching every condition.
class Changes {
public:
    Changes() = default;
    explicit Changes(const void* key) noexcept { add(key); }
    void add(const void* key) noexcept;
    void add(const Entity& entity) noexcept { add(static_cast<const void*>(&entity)); }
    void add_all() noexcept { all_ = true; }
    bool empty() const noexcept { return !all_ && count_ == 0; }
    // Whether a condition filed under `key` may have turned true.
    bool touch(const void* key) const noexcept;

private:
    static constexpr int max_keys = 4;
    const void* keys_[max_keys] = {};
    int count_ = 0;
    bool all_ = false;
};

// Wake the wait-sets that sleep on a condition `changes` touches.
void poke(const Changes& changes);

// Detach `condition` from every wait-set; called before a condition dies.
void forget(const Condition* condition);

}  // namespace ZORVEX::hub

#endif
