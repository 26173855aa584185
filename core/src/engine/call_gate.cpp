#include "engine/call_gate.h"

#include <condition_variable>
#include <mutex>

namespace ZORVEX::engine {

namespace {

// The calls this thread is inside, innermost first.
thread_local Passage* innermost = nullptr;

// Drains are rare (a listener replaced or an entity deleted while a call is
// inside), so all gates share one place to wait.
std::mutex& drain_mutex() {
    static std::mutex m;
    return m;
}
std::condition_variable& drained() {
    static std::condition_variable cv;
    return cv;
}

}  // namespace

// Both sides use sequentially consistent order: a call counts itself in and
// then looks at the flag, a drain sets the flag and then looks at the count,
// so one of the two always sees the other.
Passage::Passage(CallGate* entity, CallGate* listener) noexcept : gates_{entity, listener} {
    for (CallGate* g : gates_)
        if (g != nullptr) g->inside_.fetch_add(1);
    open_ = true;
    for (CallGate* g : gates_)
        if (g != nullptr && g->closed_.load()) open_ = false;
    if (!open_) {
        for (CallGate* g : gates_)
            if (g != nullptr) g->leave();
        return;
    }
    outer_ = innermost;
    innermost = this;
}

Passage::~Passage() {
    if (!open_) return;
    innermost = outer_;
    for (CallGate* g : gates_)
        if (g != nullptr) g->leave();
}

size_t Passage::held_here(const CallGate& gate) noexcept {
    size_t n = 0;
    for (const Passage* p = innermost; p != nullptr; p = p->outer_)
        for (const CallGate* g : p->gates_) n += g == &gate ? 1 : 0;
    return n;
}

void CallGate::leave() noexcept {
    inside_.fetch_sub(1);
    if (closed_.load()) {
        const std::lock_guard<std::mutex> lock(drain_mutex());
        drained().notify_all();
    }
}

void CallGate::drain() noexcept {
    const size_t own = Passage::held_here(*this);
    std::unique_lock<std::mutex> lock(drain_mutex());
    drained().wait(lock, [&] { return inside_.load() <= own; });
}

}  // namespace ZORVEX::engine
