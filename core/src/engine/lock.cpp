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

// This thread's part in the engine lock. Every operation reaches it a few
// times, so it is plain data in the static TLS block: a load from the
// thread pointer, with no call to find this library's TLS and no guard.
// What keep_until_next_lock keeps needs a destructor and so lives apart,
// looked at only when `keeps` says there is something.
struct ThisThread {
    int held;
    bool room_freed;  // waiting writers to wake once unlocked
    bool keeps;       // `kept` holds an object
};
thread_local ThisThread this_thread __attribute__((tls_model("initial-exec"))) = {0, false, false};
thread_local std::shared_ptr<void> kept;

// Drops what keep_until_next_lock kept; its destructor may take the lock.
std::unique_lock<EngineMutex> lock_after_dropping_kept(ThisThread& t) {
    if (t.keeps) {
        t.keeps = false;
        std::shared_ptr<void>(std::move(kept)).reset();
    }
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

void keep_until_next_lock(std::shared_ptr<void> object) noexcept {
    this_thread.keeps = object != nullptr;
    kept = std::move(object);
}

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
