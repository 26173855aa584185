#include "engine/deferred.h"

#include <cstdlib>

#include "engine/lock.h"
#include "waitset/hub.h"

namespace ZORVEX::engine {

Deferred::~Deferred() {
    if (holding()) std::abort();  // a Deferred must outlive the Guard it serves
}

void Deferred::reserve(size_t calls, size_t releases) {
    calls_.reserve(calls_.size() + promised_calls_ + calls);
    promised_calls_ += calls;
    releases_.reserve(releases_.size() + promised_releases_ + releases);
    promised_releases_ += releases;
}

void Deferred::run() {
    if (poke_) {
        poke_ = false;
        hub::poke();
    }
    for (auto& call : calls_) {
        Call fn = std::move(call);  // what it holds goes as soon as it returns
        fn();
    }
    calls_.clear();
    releases_.clear();
}

}  // namespace ZORVEX::engine
