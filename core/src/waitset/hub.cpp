// The wait-set hub, WaitSet and GuardCondition.
#include "waitset/hub.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "common/durations.h"
#include "common/relax.h"
#include "engine/status_condition.h"
#include "waitset/signal.h"
#include "zorvex/waitset.h"

namespace ZORVEX {

namespace detail {
struct WaitSetState {
    struct Attached {
        Condition* condition;
        const void* key;  // what the condition is filed under (hub::Changes)
    };
    std::vector<Attached> attached;
    hub::Signal* signal;  // the hub's
    bool waiting = false;  // a thread is inside wait()
    bool asleep = false;   // that thread sleeps on `signal` until a poke touches it

    bool touched_by(const hub::Changes& changes) const {
        return std::any_of(attached.begin(), attached.end(), [&](const Attached& a) { return changes.touch(a.key); });
    }
};
}  // namespace detail

namespace {

struct Hub {
    std::mutex lock;
    std::vector<detail::WaitSetState*> waitsets;
    // Threads inside wait(); a poke that sees none does nothing. A waiter
    // counts itself before it evaluates, and a poke looks only after its
    // change is made, so that evaluation sees a change whose poke saw zero.
    std::atomic<int> waiters{0};
    // Moved by every poke while some thread waits: a waiter that finds it
    // moved during its evaluation evaluates again rather than sleep.
    std::atomic<unsigned long> epoch{0};
    // Wait-sets asleep. A waiter counts itself, under the hub lock, before it
    // looks at the epoch a last time; a poke moves the epoch before it looks
    // here. So either the waiter sees the poke's epoch and does not sleep, or
    // the poke sees the sleeper, takes the hub lock and, if it is touched,
    // marks it awake and gives its signal, which the waiter takes even if it
    // comes before the waiter gets to sleep.
    std::atomic<int> sleepers{0};
    // The wait-sets' signals, never destroyed: a poke gives a sleeper's
    // signal once it has let go of the hub lock, when the wait-set may be
    // gone. A signal passed on to a newer wait-set then wakes that one in
    // vain, which is harmless.
    std::deque<hub::Signal> signals;
    std::vector<hub::Signal*> spare_signals;
};

Hub& the_hub() {
    static Hub* hub = new Hub;  // never destroyed: conditions may die at exit
    return *hub;
}

// Under the hub lock: the wait-set's thread, if asleep, is to evaluate
// again. Answers the signal to give it, or null.
hub::Signal* rouse(Hub& h, detail::WaitSetState& ws) {
    if (!ws.asleep) return nullptr;
    ws.asleep = false;
    --h.sleepers;
    return ws.signal;
}

// Under the hub lock, after the wait-set's conditions changed: its thread
// evaluates again whether it sleeps or is about to (poked_soon).
void wake(Hub& h, detail::WaitSetState& ws) {
    ++h.epoch;
    if (auto* signal = rouse(h, ws)) signal->give();
}

bool detach_from(detail::WaitSetState& ws, const Condition* c) {
    auto it = std::find_if(ws.attached.begin(), ws.attached.end(),
                           [&](const detail::WaitSetState::Attached& a) { return a.condition == c; });
    if (it == ws.attached.end()) return false;
    ws.attached.erase(it);
    return true;
}

// A thread inside wait(), counted from evaluation to return however it leaves.
class Waiting {
public:
    Waiting(Hub& h, detail::WaitSetState& ws) : h_(h), ws_(ws) {
        ws_.waiting = true;
        ++h_.waiters;
    }
    ~Waiting() {
        if (ws_.asleep) {
            ws_.asleep = false;
            --h_.sleepers;
        }
        --h_.waiters;
        ws_.waiting = false;
    }
    Waiting(const Waiting&) = delete;
    Waiting& operator=(const Waiting&) = delete;

private:
    Hub& h_;
    detail::WaitSetState& ws_;
};

bool passed(const std::optional<std::chrono::steady_clock::time_point>& deadline) {
    return deadline && std::chrono::steady_clock::now() >= *deadline;
}

// Before it sleeps, a waiter watches the epoch for a few microseconds with
// the hub lock released: a change poked in that time (a writer that writes
// on) then costs neither side a system call.
bool poked_soon(Hub& h, unsigned long seen, std::unique_lock<std::mutex>& guard) {
    using namespace std::chrono_literals;
    guard.unlock();
    const auto until = std::chrono::steady_clock::now() + 5us;
    bool poked = false;
    do {
        for (int i = 0; i < 16; ++i) relax();
        poked = h.epoch.load(std::memory_order_relaxed) != seen;
    } while (!poked && std::chrono::steady_clock::now() < until);
    guard.lock();
    return poked;
}

}  // namespace

void hub::Changes::add(const void* key) noexcept {
    if (all_ || std::find(keys_, keys_ + count_, key) != keys_ + count_) return;
    if (count_ == max_keys)
        all_ = true;
    else
        keys_[count_++] = key;
}

bool hub::Changes::touch(const void* key) const noexcept {
    return all_ || key == nullptr || std::find(keys_, keys_ + count_, key) != keys_ + count_;
}

void hub::poke(const Changes& changes) {
    if (changes.empty()) return;
    Hub& h = the_hub();
    if (h.waiters.load() == 0) return;
    ++h.epoch;
    if (h.sleepers.load() == 0) return;
    constexpr int held = 4;  // signals given once unlocked; any more at once, under the lock
    hub::Signal* roused[held];
    int n = 0;
    {
        std::lock_guard<std::mutex> guard(h.lock);
        for (detail::WaitSetState* ws : h.waitsets) {
            if (!ws->asleep || !ws->touched_by(changes)) continue;
            if (n < held)
                roused[n++] = rouse(h, *ws);
            else
                wake(h, *ws);
        }
    }
    for (int i = 0; i < n; ++i) roused[i]->give();
}

void hub::forget(const Condition* condition) {
    Hub& h = the_hub();
    std::lock_guard<std::mutex> guard(h.lock);
    for (detail::WaitSetState* ws : h.waitsets)
        if (detach_from(*ws, condition)) wake(h, *ws);
}

Condition::~Condition() { hub::forget(this); }

GuardCondition::GuardCondition() = default;

GuardCondition::~GuardCondition() { hub::forget(this); }

bool GuardCondition::get_trigger_value() { return trigger_.load(); }

ReturnCode_t GuardCondition::set_trigger_value(bool value) {
    trigger_.store(value);
    if (value) hub::poke(hub::Changes(static_cast<const Condition*>(this)));  // only true ends a wait
    return RETCODE_OK;
}

WaitSet::WaitSet() {
    auto state = std::make_unique<detail::WaitSetState>();
    Hub& h = the_hub();
    std::lock_guard<std::mutex> guard(h.lock);
    h.waitsets.reserve(h.waitsets.size() + 1);
    h.spare_signals.reserve(h.signals.size() + 1);  // room to give the signal back
    if (h.spare_signals.empty()) h.spare_signals.push_back(&h.signals.emplace_back());
    state->signal = h.spare_signals.back();
    h.spare_signals.pop_back();
    h.waitsets.push_back(state.get());
    state_ = state.release();
}

WaitSet::~WaitSet() {
    {
        Hub& h = the_hub();
        std::lock_guard<std::mutex> guard(h.lock);
        h.waitsets.erase(std::find(h.waitsets.begin(), h.waitsets.end(), state_));
        h.spare_signals.push_back(state_->signal);  // room made when it was taken
    }
    delete state_;
}

ReturnCode_t WaitSet::attach_condition(Condition* condition) {
    if (condition == nullptr) return RETCODE_BAD_PARAMETER;
    const void* key = engine::wake_key(*condition);
    Hub& h = the_hub();
    std::lock_guard<std::mutex> guard(h.lock);
    auto& attached = state_->attached;
    if (std::none_of(attached.begin(), attached.end(),
                     [&](const detail::WaitSetState::Attached& a) { return a.condition == condition; })) {
        attached.push_back({condition, key});
        wake(h, *state_);  // a waiter here evaluates the newcomer at once
    }
    return RETCODE_OK;
}

ReturnCode_t WaitSet::detach_condition(Condition* condition) {
    if (condition == nullptr) return RETCODE_BAD_PARAMETER;
    Hub& h = the_hub();
    std::lock_guard<std::mutex> guard(h.lock);
    return detach_from(*state_, condition) ? RETCODE_OK : RETCODE_PRECONDITION_NOT_MET;
}

ReturnCode_t WaitSet::get_conditions(std::vector<Condition*>& attached_conditions) {
    Hub& h = the_hub();
    std::lock_guard<std::mutex> guard(h.lock);
    attached_conditions.clear();
    for (const auto& a : state_->attached) attached_conditions.push_back(a.condition);
    return RETCODE_OK;
}

ReturnCode_t WaitSet::wait(std::vector<Condition*>& active_conditions, const Duration_t& timeout) {
    active_conditions.clear();
    if (!durations::valid(timeout)) return RETCODE_BAD_PARAMETER;
    const auto deadline = durations::deadline_after(timeout);
    Hub& h = the_hub();
    std::unique_lock<std::mutex> guard(h.lock);
    detail::WaitSetState& ws = *state_;
    if (ws.waiting || ws.attached.empty()) return RETCODE_PRECONDITION_NOT_MET;
    Waiting waiting(h, ws);
    for (;;) {
        // The last condition went away while this thread slept (its entity
        // was deleted): nothing can wake the wait any more.
        if (ws.attached.empty()) return RETCODE_PRECONDITION_NOT_MET;
        const unsigned long seen = h.epoch.load();
        for (const auto& a : ws.attached)
            if (a.condition->get_trigger_value()) active_conditions.push_back(a.condition);
        if (!active_conditions.empty()) return RETCODE_OK;
        if (h.epoch.load() != seen) continue;  // poked meanwhile: evaluate again
        if (passed(deadline)) return RETCODE_TIMEOUT;
        if (poked_soon(h, seen, guard)) continue;
        ws.asleep = true;
        ++h.sleepers;
        if (h.epoch.load() != seen) {  // poked since: evaluate again
            ws.asleep = false;
            --h.sleepers;
            continue;
        }
        do {
            guard.unlock();
            ws.signal->take(deadline);
            guard.lock();
        } while (ws.asleep && !passed(deadline));
        if (ws.asleep) return RETCODE_TIMEOUT;
    }
}

}  // namespace ZORVEX
