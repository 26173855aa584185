#include "engine/lock.h"

#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <chrono>

#include "common/relax.h"

namespace ZORVEX::engine {

namespace {
EngineMutex& engine_mutex() {
    static EngineMutex* m = new EngineMutex;  // outlives every static destructor
    return *m;
}

// This thread's part in the engine lock, in one place: one look-up of the
// thread's storage serves a whole Guard.
struct ThisThread {
    int held = 0;
    bool room_freed = false;  // waiting writers to wake once unlocked
    std::shared_ptr<void> kept;
};
thread_local ThisThread this_thread;

// Drops what keep_until_next_lock kept; its destructor may take the lock.
std::unique_lock<EngineMutex> lock_after_dropping_kept(ThisThread& t) {
    if (t.kept) std::shared_ptr<void>(std::move(t.kept)).reset();
    return std::unique_lock<EngineMutex>(engine_mutex());
}

long futex(std::atomic<uint32_t>& word, int op, uint32_t value) noexcept {
    static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t));
    return syscall(SYS_futex, reinterpret_cast<uint32_t*>(&word), op | FUTEX_PRIVATE_FLAG, value, nullptr, nullptr, 0);
}
}  // namespace

// Spins while the holder is likely to let go soon, then sleeps with the
// word marked, so that the unlock that follows wakes a sleeper.
void EngineMutex::lock_contended() noexcept {
    using namespace std::chrono_literals;
    const auto until = std::chrono::steady_clock::now() + 20us;
    do {
        for (int i = 0; i < 32; ++i) {
            relax();
            if (state_.load(std::memory_order_relaxed) == 0 && try_lock()) return;
        }
    } while (std::chrono::steady_clock::now() < until);
    while (state_.exchange(sleepers, std::memory_order_acquire) != 0) futex(state_, FUTEX_WAIT, sleepers);
}

void EngineMutex::wake_one() noexcept { futex(state_, FUTEX_WAKE, 1); }

Guard::Guard() : lock_(lock_after_dropping_kept(this_thread)) { ++this_thread.held; }

Guard::~Guard() {
    ThisThread& t = this_thread;
    --t.held;
    if (!t.room_freed) return;
    t.room_freed = false;
    lock_.unlock();
    room_freed().notify_all();
}

bool holding() { return this_thread.held > 0; }

void keep_until_next_lock(std::shared_ptr<void> object) noexcept { this_thread.kept = std::move(object); }

std::condition_variable_any& room_freed() {
    static std::condition_variable_any* c = new std::condition_variable_any;
    return *c;
}

int& room_waiters() {
    static int waiters = 0;
    return waiters;
}

void room_was_freed() noexcept {
    if (room_waiters() > 0) this_thread.room_freed = true;
}

std::condition_variable_any& topic_created() {
    static std::condition_variable_any* c = new std::condition_variable_any;
    return *c;
}

}  // namespace ZORVEX::engine
