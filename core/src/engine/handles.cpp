#include "engine/handles.h"

#include <atomic>

namespace ZORVEX::engine {

uint64_t handle_probes = 0;

InstanceHandle_t new_handle() {
    static std::atomic<uint64_t> next{1};
    const uint64_t serial = next.fetch_add(1);
    InstanceHandle_t h;
    std::memcpy(h.value, &serial, sizeof serial);
    h.valid = 1;
    return h;
}

}  // namespace ZORVEX::engine
