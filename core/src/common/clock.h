// The system clock as a DDS time.
#ifndef ZORVEX_SRC_COMMON_CLOCK_H
#define ZORVEX_SRC_COMMON_CLOCK_H

#include <ctime>

#include "zorvex/types.h"

namespace ZORVEX {

inline Time_t clock_now() {
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    return Time_t{static_cast<int32_t>(ts.tv_sec), static_cast<uint32_t>(ts.tv_nsec)};
}

}  // namespace ZORVEX

#endif
