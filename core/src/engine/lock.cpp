#include "engine/lock.h"

namespace ZORVEX::engine {

namespace {
std::mutex& engine_mutex() {
    static std::mutex* m = new std::mutex;  // outlives every static destructor
    return *m;
}
thread_local int held = 0;
}  // namespace

Guard::Guard() : lock_(engine_mutex()) { ++held; }
Guard::~Guard() { --held; }

bool holding() { return held > 0; }

std::condition_variable& room_freed() {
    static std::condition_variable* c = new std::condition_variable;
    return *c;
}

std::condition_variable& topic_created() {
    static std::condition_variable* c = new std::condition_variable;
    return *c;
}

}  // namespace ZORVEX::engine
