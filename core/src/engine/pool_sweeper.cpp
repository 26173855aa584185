#include "engine/pool_sweeper.h"

#include <chrono>
#include <condition_variable>
#include <thread>

#include "engine/block_pool.h"
#include "engine/lock.h"

namespace ZORVEX::engine::sweeper {

namespace {

struct Sweeper {
    BlockPool* first = nullptr;  // the pools watched, linked through the pools
    bool tried = false;          // to start the thread, once
    bool started = false;
    std::condition_variable_any woken;
};

// Never destroyed: the thread may still wait on it while statics go.
Sweeper& the_sweeper() {
    static Sweeper* s = new Sweeper;
    return *s;
}

void unlink(Sweeper& s, BlockPool& pool) noexcept {
    BlockPool::Watch& w = pool.watch_;
    (w.prev != nullptr ? w.prev->watch_.next : s.first) = w.next;
    if (w.next != nullptr) w.next->watch_.prev = w.prev;
    w = BlockPool::Watch{};
}

[[noreturn]] void sweep_forever() {
    Sweeper& s = the_sweeper();
    Guard g;
    for (;;) {
        while (s.first == nullptr) s.woken.wait(g.lock());
        // A whole second between two looks at a pool, whatever wakes the wait.
        const auto next_look = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (s.woken.wait_until(g.lock(), next_look) != std::cv_status::timeout) {
        }
        for (BlockPool* pool = s.first; pool != nullptr;) {
            BlockPool* const next = pool->watch_.next;
            if (!pool->sweep()) unlink(s, *pool);
            pool = next;
        }
    }
}

}  // namespace

void watch(BlockPool& pool) noexcept {
    Sweeper& s = the_sweeper();
    if (pool.watch_.watched) return;
    if (!s.tried) {
        s.tried = true;
        try {
            std::thread(sweep_forever).detach();
            s.started = true;
        } catch (...) {
        }
    }
    if (!s.started) return;  // no thread: a pool's own writes give its memory back
    pool.watch_ = BlockPool::Watch{true, nullptr, s.first};
    if (s.first != nullptr) s.first->watch_.prev = &pool;
    const bool was_idle = s.first == nullptr;
    s.first = &pool;
    if (was_idle) s.woken.notify_one();
}

void forget(BlockPool& pool) noexcept {
    if (pool.watch_.watched) unlink(the_sweeper(), pool);
}

}  // namespace ZORVEX::engine::sweeper
