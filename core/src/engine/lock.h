// The engine lock: one mutex over all engine state. Operations take it, do
// their work, and hand what must run unlocked (listener calls, wait-set
// pokes, releases of entities and listeners) to a Deferred that runs after.
#ifndef ZORVEX_SRC_ENGINE_LOCK_H
#define ZORVEX_SRC_ENGINE_LOCK_H

#include <condition_variable>
#include <memory>
#include <mutex>

namespace ZORVEX::engine {

class Guard {
public:
    Guard();
    ~Guard();
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
    std::unique_lock<std::mutex>& lock() { return lock_; }

private:
    std::unique_lock<std::mutex> lock_;
};

// Under the engine lock: keeps `object` alive for this thread until the
// thread next takes the lock (before it locks, so never under the lock).
void keep_until_next_lock(std::shared_ptr<void> object) noexcept;

// Whether this thread holds the engine lock: nothing that may run foreign
// code or take the wait-set hub lock may run then.
bool holding();

// Signalled when a reader frees room; reliable writers wait on it.
std::condition_variable& room_freed();
// Signalled when a topic is created; find_topic waits on it.
std::condition_variable& topic_created();

}  // namespace ZORVEX::engine

#endif
