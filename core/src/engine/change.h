// One writer's change to one instance, as readers receive it.
#ifndef ZORVEX_SRC_ENGINE_CHANGE_H
#define ZORVEX_SRC_ENGINE_CHANGE_H

#include <memory>
#include <string>

#include "zorvex/types.h"

namespace ZORVEX::engine {

// A sample's bytes, as many as the type's sample_size.
using Buffer = std::unique_ptr<unsigned char[]>;

struct Change {
    enum Kind { write, dispose, unregister };
    Kind kind;
    const std::string& key;          // the instance's key bytes
    const unsigned char* data;       // the sample, for a write
    Time_t source_timestamp;
    const InstanceHandle_t& writer;  // the publication handle (a handle copies byte by byte)
    int32_t strength;                // the writer's ownership strength
};

}  // namespace ZORVEX::engine

#endif
