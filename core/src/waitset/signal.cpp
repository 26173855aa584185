#include "waitset/signal.h"

#include <cerrno>
#include <ctime>
#include <system_error>

namespace ZORVEX::hub {

Signal::Signal() {
    if (sem_init(&semaphore_, 0, 0) != 0) throw std::system_error(errno, std::generic_category(), "sem_init");
}

Signal::~Signal() { sem_destroy(&semaphore_); }

void Signal::give() noexcept { sem_post(&semaphore_); }

void Signal::take(const std::optional<std::chrono::steady_clock::time_point>& deadline) noexcept {
    if (!deadline) {
        sem_wait(&semaphore_);
        return;
    }
    // steady_clock is CLOCK_MONOTONIC.
    const auto since_epoch = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline->time_since_epoch());
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since_epoch);
    timespec until{};
    until.tv_sec = static_cast<time_t>(seconds.count());
    until.tv_nsec = static_cast<long>((since_epoch - seconds).count());
    sem_clockwait(&semaphore_, CLOCK_MONOTONIC, &until);
}

}  // namespace ZORVEX::hub
