#include "engine/deferred.h"

#include <cstdlib>

#include "engine/lock.h"
#include "waitset/hub.h"

namespace ZORVEX::engine {

Deferred::~Deferred() {
    if (holding()) std::abort();  // a Deferred must outlive the Guard it serves
}

void Deferred::run() {
    if (poke_) {
        poke_ = false;
        hub::poke();
    }
    for (auto& call : calls_) {
        std::function<void()> fn = std::move(call);
        call = nullptr;
        fn();
    }
    calls_.clear();
    releases_.clear();
}

}  // namespace ZORVEX::engine
