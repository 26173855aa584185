// Durations and times: validity, ordering and deadlines.
#ifndef ZORVEX_SRC_COMMON_DURATIONS_H
#define ZORVEX_SRC_COMMON_DURATIONS_H

#include <chrono>
#include <optional>

#include "zorvex/types.h"

namespace ZORVEX::durations {

inline bool infinite(const Duration_t& d) {
    return d.sec == DURATION_INFINITE_SEC && d.nanosec == DURATION_INFINITE_NSEC;
}

// Non-negative with fewer than 10^9 nanoseconds, or DURATION_INFINITE.
inline bool valid(const Duration_t& d) {
    return infinite(d) || (d.sec >= 0 && d.nanosec < 1000000000u);
}

inline bool valid(const Time_t& t) { return t.sec >= 0 && t.nanosec < 1000000000u; }

// Orders durations; DURATION_INFINITE is the longest.
inline bool longer(const Duration_t& a, const Duration_t& b) {
    return a.sec != b.sec ? a.sec > b.sec : a.nanosec > b.nanosec;
}

// When a wait of `d` from now ends; none for an infinite one.
inline std::optional<std::chrono::steady_clock::time_point> deadline_after(const Duration_t& d) {
    if (infinite(d)) return std::nullopt;
    return std::chrono::steady_clock::now() + std::chrono::seconds(d.sec) + std::chrono::nanoseconds(d.nanosec);
}

}  // namespace ZORVEX::durations

#endif
