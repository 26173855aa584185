// A wait-set's wake-up call: a counting semaphore. Its thread sleeps on it
// with the hub lock released, so the thread that wakes it holds no lock the
// sleeper then has to wait for (as a condition variable's would), and a
// signal given while nobody sleeps costs no system call.
#ifndef ZORVEX_SRC_WAITSET_SIGNAL_H
#define ZORVEX_SRC_WAITSET_SIGNAL_H

#include <semaphore.h>

#include <chrono>
#include <optional>

namespace ZORVEX::hub {

class Signal {
public:
    Signal();
    ~Signal();
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    void give() noexcept;
    // Sleeps until given (a signal given earlier and not yet taken counts)
    // or `deadline`; may also return early, so the caller looks again.
    void take(const std::optional<std::chrono::steady_clock::time_point>& deadline) noexcept;

private:
    sem_t semaphore_;
};

}  // namespace ZORVEX::hub

#endif
