// An operation in two steps, for the strong guarantee on std::bad_alloc:
// while the plan is made, everything that allocates is done and nothing the
// engine shows changes; then commit() makes the changes, which cannot fail.
// A plan dropped without a commit lowers the flags it raised. Either way,
// the room made in readers' histories for it goes with the plan.
#ifndef ZORVEX_SRC_ENGINE_PLAN_H
#define ZORVEX_SRC_ENGINE_PLAN_H

#include <cstddef>
#include <functional>
#include <map>
#include <vector>

#include "engine/deferred.h"

namespace ZORVEX::engine {

class ReaderImpl;

class Plan {
public:
    explicit Plan(Deferred& after) : after_(after) {}
    Plan(const Plan&) = delete;
    Plan& operator=(const Plan&) = delete;
    ~Plan();

    // Where the operation queues its calls and releases; reserve there.
    Deferred& after() { return after_; }

    // Room for `n` more elements in `v`, beyond what this plan made before.
    template <class V>
    void room(V& v, size_t n) {
        size_t& planned = planned_[&v];
        v.reserve(v.size() + planned + n);
        planned += n;
    }
    // The reader's history holds room made for this plan.
    void room_in(ReaderImpl& reader);
    // Sets `flag` now; a plan not committed clears it again.
    void raise_flag(bool& flag);
    // A change commit() makes, in the order given; it must not throw.
    void then(std::function<void()> step);

    void commit() noexcept;

private:
    Deferred& after_;
    std::map<const void*, size_t> planned_;
    std::vector<ReaderImpl*> readers_;
    std::vector<bool*> raised_;
    std::vector<std::function<void()>> steps_;
    bool committed_ = false;
};

}  // namespace ZORVEX::engine

#endif
