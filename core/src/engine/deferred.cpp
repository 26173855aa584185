#include "engine/deferred.h"

#include <cstdlib>

#include "engine/lock.h"

namespace ZORVEX::engine {

Deferred::~Deferred() {
    if (holding()) std::abort();  // a Deferred must outlive the Guard it serves
}

void Deferred::run() {
    if (!changes_.empty()) {
        const hub::Changes changes = changes_;
        changes_ = hub::Changes();
        hub::poke(changes);
    }
    for (Call& call : calls_) {
        Call fn(std::move(call));  // gone once it has run, even if it throws
        fn();
    }
    calls_.clear();
    releases_.clear();
}

}  // namespace ZORVEX::engine
