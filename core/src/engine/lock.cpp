#include "engine/lock.h"

namespace ZORVEX::engine {

namespace {
std::mutex& engine_mutex() {
    static std::mutex* m = new std::mutex;  // outlives every static destructor
    return *m;
}
thread_local int held = 0;
thread_local std::shared_ptr<void> kept;

// Drops what keep_until_next_lock kept; its destructor may take the lock.
std::unique_lock<std::mutex> lock_after_dropping_kept() {
    if (kept) std::shared_ptr<void>(std::move(kept)).reset();
    return std::unique_lock<std::mutex>(engine_mutex());
}
}  // namespace

Guard::Guard() : lock_(lock_after_dropping_kept()) { ++held; }
Guard::~Guard() { --held; }

bool holding() { return held > 0; }

void keep_until_next_lock(std::shared_ptr<void> object) noexcept { kept = std::move(object); }

std::condition_variable& room_freed() {
    static std::condition_variable* c = new std::condition_variable;
    return *c;
}

std::condition_variable& topic_created() {
    static std::condition_variable* c = new std::condition_variable;
    return *c;
}

}  // namespace ZORVEX::engine
