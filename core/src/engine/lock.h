// The engine lock: one mutex over all engine state. Operations take it, do
// their work, and hand what must run unlocked (listener calls, wait-set
// pokes, releases of entities and listeners) to a Deferred that runs after.
#ifndef ZORVEX_SRC_ENGINE_LOCK_H
#define ZORVEX_SRC_ENGINE_LOCK_H

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace ZORVEX::engine {

// A mutex whose lock spins some microseconds before it sleeps. Operations
// hold the engine lock for less than that, so a thread that finds it taken
// (a reader's thread taking while a writer writes) usually gets it without a
// system call on either side; one that waits longer sleeps on a futex.
class EngineMutex {
public:
    void lock() noexcept {
        uint32_t free = 0;
        if (!state_.compare_exchange_strong(free, locked, std::memory_order_acquire, std::memory_order_relaxed))
            lock_contended();
    }
    bool try_lock() noexcept {
        uint32_t free = 0;
        return state_.compare_exchange_strong(free, locked, std::memory_order_acquire, std::memory_order_relaxed);
    }
    void unlock() noexcept {
        if (state_.exchange(0, std::memory_order_release) == sleepers) wake_one();
    }

private:
    static constexpr uint32_t locked = 1;
    static constexpr uint32_t sleepers = 2;  // locked, and a thread may sleep on it
    void lock_contended() noexcept;
    void wake_one() noexcept;

    std::atomic<uint32_t> state_{0};
};

class Guard {
public:
    Guard();
    // Gives the wake-ups the operation queued once the lock is released.
    ~Guard();
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
    std::unique_lock<EngineMutex>& lock() { return lock_; }

private:
    std::unique_lock<EngineMutex> lock_;
};

// Under the engine lock: keeps `object` alive for this thread until the
// thread next takes the lock (before it locks, so never under the lock).
void keep_until_next_lock(std::shared_ptr<void> object) noexcept;

// Whether this thread holds the engine lock: nothing that may run foreign
// code or take the wait-set hub lock may run then.
bool holding();

// Reliable writers wait on room_freed() while a reader has no room for
// their write, counted in room_waiters() (under the engine lock, both).
std::condition_variable_any& room_freed();
int& room_waiters();
// Under the engine lock, when a reader frees room or stops holding writers
// back: wakes the waiting writers once this thread releases the lock (they
// need it to look), or does nothing when none waits.
void room_was_freed() noexcept;
// Signalled when a topic is created; find_topic waits on it.
std::condition_variable_any& topic_created();

}  // namespace ZORVEX::engine

#endif
