// Comparing and copying instance handles on hot paths. InstanceHandle_t's
// own members go byte by byte, each byte behind a test of the length; these
// do the same with whole-array operations.
#ifndef ZORVEX_SRC_ENGINE_HANDLE_OPS_H
#define ZORVEX_SRC_ENGINE_HANDLE_OPS_H

#include <cstring>

#include "zorvex/types.h"

namespace ZORVEX::engine {

// As a == b.
inline bool same_handle(const InstanceHandle_t& a, const InstanceHandle_t& b) noexcept {
    return a.length == b.length && a.valid == b.valid && std::memcmp(a.value, b.value, sizeof a.value) == 0;
}

// As to = from.
inline void copy_handle(InstanceHandle_t& to, const InstanceHandle_t& from) noexcept {
    if (from.length < sizeof from.value) {
        to = from;  // the bytes past the length read as zero
        return;
    }
    std::memcpy(to.value, from.value, sizeof to.value);
    to.length = from.length;
    to.valid = from.valid;
}

}  // namespace ZORVEX::engine

#endif
