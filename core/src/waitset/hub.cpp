// The wait-set hub, WaitSet and GuardCondition.
#include "waitset/hub.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "common/durations.h"
#include "zorvex/waitset.h"

namespace ZORVEX {

namespace detail {
struct WaitSetState {
    std::vector<Condition*> attached;
    bool waiting = false;
};
}  // namespace detail

namespace {

struct Hub {
    std::mutex lock;
    std::condition_variable signal;
    unsigned long epoch = 0;
    std::vector<detail::WaitSetState*> waitsets;
    // Threads inside wait(); poke() skips the lock while there are none. A
    // waiter counts itself under the hub lock before it evaluates, so a change
    // made before a poke that saw zero is seen by that evaluation.
    std::atomic<int> waiters{0};
};

Hub& the_hub() {
    static Hub* hub = new Hub;  // never destroyed: conditions may die at exit
    return *hub;
}

bool detach_from(detail::WaitSetState& ws, const Condition* c) {
    auto it = std::find(ws.attached.begin(), ws.attached.end(), c);
    if (it == ws.attached.end()) return false;
    ws.attached.erase(it);
    return true;
}

}  // namespace

void hub::poke() {
    Hub& h = the_hub();
    if (h.waiters.load() == 0) return;
    std::lock_guard<std::mutex> guard(h.lock);
    ++h.epoch;
    h.signal.notify_all();
}

void hub::forget(const Condition* condition) {
    Hub& h = the_hub();
    std::lock_guard<std::mutex> guard(h.lock);
    bool any = false;
    for (detail::WaitSetState* ws : h.waitsets) any = detach_from(*ws, condition) || any;
    if (any) {
        ++h.epoch;
        h.signal.notify_all();
    }
}

Condition::~Condition() { hub::forget(this); }

GuardCondition::GuardCondition() = default;

GuardCondition::~GuardCondition() { hub::forget(this); }

bool GuardCondition::get_trigger_value() { return trigger_.load(); }

ReturnCode_t GuardCondition::set_trigger_value(bool value) {
    trigger_.store(value);
    hub::poke();
    return RETCODE_OK;
}

WaitSet::WaitSet() : state_(new detail::WaitSetState) {
    Hub& h = the_hub();
    std::lock_guard<std::mutex> guard(h.lock);
    h.waitsets.push_back(state_);
}

WaitSet::~WaitSet() {
    {
        Hub& h = the_hub();
        std::lock_guard<std::mutex> guard(h.lock);
        h.waitsets.erase(std::find(h.waitsets.begin(), h.waitsets.end(), state_));
    }
    delete state_;
}

ReturnCode_t WaitSet::attach_condition(Condition* condition) {
    if (condition == nullptr) return RETCODE_BAD_PARAMETER;
    Hub& h = the_hub();
    std::lock_guard<std::mutex> guard(h.lock);
    auto& attached = state_->attached;
    if (std::find(attached.begin(), attached.end(), condition) == attached.end()) {
        attached.push_back(condition);
        ++h.epoch;  // a waiter here evaluates the newcomer at once
        h.signal.notify_all();
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
    attached_conditions = state_->attached;
    return RETCODE_OK;
}

ReturnCode_t WaitSet::wait(std::vector<Condition*>& active_conditions, const Duration_t& timeout) {
    active_conditions.clear();
    if (!durations::valid(timeout)) return RETCODE_BAD_PARAMETER;
    const auto deadline = durations::deadline_after(timeout);
    Hub& h = the_hub();
    std::unique_lock<std::mutex> guard(h.lock);
    if (state_->waiting || state_->attached.empty()) return RETCODE_PRECONDITION_NOT_MET;
    state_->waiting = true;
    ++h.waiters;
    ReturnCode_t rc = RETCODE_TIMEOUT;
    for (;;) {
        // The last condition went away while this thread slept (its entity
        // was deleted): nothing can wake the wait any more.
        if (state_->attached.empty()) {
            rc = RETCODE_PRECONDITION_NOT_MET;
            break;
        }
        for (Condition* c : state_->attached)
            if (c->get_trigger_value()) active_conditions.push_back(c);
        if (!active_conditions.empty()) {
            rc = RETCODE_OK;
            break;
        }
        const unsigned long seen = h.epoch;
        auto poked = [&] { return h.epoch != seen; };
        if (!deadline) {
            h.signal.wait(guard, poked);
        } else if (!h.signal.wait_until(guard, *deadline, poked)) {
            break;
        }
    }
    --h.waiters;
    state_->waiting = false;
    return rc;
}

}  // namespace ZORVEX
