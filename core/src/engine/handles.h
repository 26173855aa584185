// Instance handles of entities and instances: a serial number in the first
// eight value bytes. Serials are never reused within a process.
#ifndef ZORVEX_SRC_ENGINE_HANDLES_H
#define ZORVEX_SRC_ENGINE_HANDLES_H

#include <cstdint>
#include <cstring>

#include "zorvex/status.h"
#include "zorvex/types.h"

namespace ZORVEX::engine {

InstanceHandle_t new_handle();

// Instances whose handle a lookup by handle compared with the one asked for,
// counted over the process under the engine lock: a lookup that looks at
// more than the instance it finds shows here.
extern uint64_t handle_probes;

// The serial a handle carries; 0 for a handle that is not valid.
inline uint64_t serial_of(const InstanceHandle_t& h) {
    if (h.valid == 0) return 0;
    uint64_t s;
    std::memcpy(&s, h.value, sizeof s);
    return s;
}

inline BuiltinTopicKey_t builtin_key(const InstanceHandle_t& h) {
    BuiltinTopicKey_t key;
    std::memcpy(key.value, h.value, sizeof key.value);
    return key;
}

}  // namespace ZORVEX::engine

#endif
