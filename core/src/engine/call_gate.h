// The gate a listener call passes on its way into application code, so that
// set_listener and the deletes can promise that once they return, no call
// through the listener they released, or about the entity they deleted, is
// still running or starts later; the application may free what its
// callbacks use.
//
// Every entity has a gate that its delete closes; every installed listener
// has one that replacing it closes. A queued call passes both (the entity it
// reports on, the listener it calls) or runs not at all. Closing happens
// under the engine lock, with the change that retires the gate; draining,
// the wait for calls still inside, once the lock is free.
//
// A thread never waits for itself: a callback that deletes its own entity or
// replaces its own listener returns from that call while it is still inside,
// and the deferred call runner counts on exactly that.
#ifndef ZORVEX_SRC_ENGINE_CALL_GATE_H
#define ZORVEX_SRC_ENGINE_CALL_GATE_H

#include <atomic>
#include <cstddef>

namespace ZORVEX::engine {

class CallGate {
public:
    CallGate() = default;
    CallGate(const CallGate&) = delete;
    CallGate& operator=(const CallGate&) = delete;

    // No call passes from now on.
    void close() noexcept { closed_.store(true); }
    // Returns once no call is inside but those of this thread. Never under
    // the engine lock: a call inside may be waiting for it.
    void drain() noexcept;

private:
    friend class Passage;
    void leave() noexcept;

    std::atomic<size_t> inside_{0};
    std::atomic<bool> closed_{false};
};

// One call's way through its gates (a null gate is no gate), held for as
// long as the call runs. open() says whether every gate let it in.
class Passage {
public:
    Passage(CallGate* entity, CallGate* listener) noexcept;
    ~Passage();
    Passage(const Passage&) = delete;
    Passage& operator=(const Passage&) = delete;

    bool open() const noexcept { return open_; }
    // How many of the calls this thread is inside passed `gate`.
    static size_t held_here(const CallGate& gate) noexcept;

private:
    CallGate* gates_[2];
    bool open_ = false;
    Passage* outer_ = nullptr;  // the call this thread was in when this one began
};

}  // namespace ZORVEX::engine

#endif
