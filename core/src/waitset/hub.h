// The wait-set hub: one lock and one signal shared by every wait-set.
//
// A waiting thread evaluates its conditions while it holds the hub lock and
// sleeps on the hub signal; whoever changes what a trigger depends on calls
// poke() afterwards, which takes the hub lock, so no change slips between an
// evaluation and the sleep. Lock order: hub lock, then engine lock. Nobody
// pokes or forgets a condition while holding the engine lock.
#ifndef ZORVEX_SRC_WAITSET_HUB_H
#define ZORVEX_SRC_WAITSET_HUB_H

#include "zorvex/conditions.h"

namespace ZORVEX::hub {

// Wake every waiting wait-set to evaluate its conditions again.
void poke();

// Detach `condition` from every wait-set; called before a condition dies.
void forget(const Condition* condition);

}  // namespace ZORVEX::hub

#endif
