#include "engine/deferred.h"

#include <cstdlib>

#include "engine/lock.h"

namespace ZORVEX::engine {

Deferred::~Deferred() {
    if (holding()) std::abort();  // a Deferred must outlive the Guard it serves
}

void Deferred::reserve(size_t calls, size_t releases) {
    if (calls == 0 && releases == 0) return;  // most writes: no listener hears them
    calls_.reserve(calls_.size() + promised_calls_ + calls);
    promised_calls_ += calls;
    releases_.reserve(releases_.size() + promised_releases_ + releases);
    promised_releases_ += releases;
}

void Deferred::run() {
    for (Release& r : releases_)
        if (r.gate != nullptr) r.gate->drain();
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
