#include "engine/instance_registry.h"

#include <utility>

#include "engine/handles.h"
#include "engine/lock.h"

namespace ZORVEX::engine {

InstanceRegistry::Hold::Hold(Hold&& other) noexcept
    : registry_(std::exchange(other.registry_, nullptr)),
      entry_(std::exchange(other.entry_, nullptr)),
      handle_(std::exchange(other.handle_, HANDLE_NIL)) {}

InstanceRegistry::Hold& InstanceRegistry::Hold::operator=(Hold&& other) noexcept {
    if (this != &other) {
        reset();
        registry_ = std::exchange(other.registry_, nullptr);
        entry_ = std::exchange(other.entry_, nullptr);
        handle_ = std::exchange(other.handle_, HANDLE_NIL);
    }
    return *this;
}

// Holds go with the instances that own them, under the engine lock; one
// left in an entity released once its operation is over takes the lock.
InstanceRegistry::Hold::~Hold() {
    if (registry_ == nullptr) return;
    if (holding()) {
        reset();
    } else {
        Guard g;
        reset();
    }
}

void InstanceRegistry::Hold::reset() noexcept {
    if (registry_ == nullptr) return;
    registry_->release(*entry_);
    registry_ = nullptr;
    entry_ = nullptr;
    handle_ = HANDLE_NIL;
}

InstanceRegistry::Hold InstanceRegistry::hold(const std::string& key) {
    auto found = by_key_.find(key);
    if (found == by_key_.end()) {
        found = by_key_.emplace(key, Entry{new_handle(), 0}).first;
        try {
            by_serial_.emplace(serial_of(found->second.handle), &*found);
        } catch (...) {
            by_key_.erase(found);
            throw;
        }
    }
    ++found->second.holders;
    return Hold(*this, *found);
}

void InstanceRegistry::release(Keys::value_type& entry) noexcept {
    if (--entry.second.holders > 0) return;
    by_serial_.erase(serial_of(entry.second.handle));
    by_key_.erase(by_key_.find(entry.first));
}

InstanceHandle_t InstanceRegistry::handle_of(const std::string& key) const {
    auto found = by_key_.find(key);
    return found == by_key_.end() ? HANDLE_NIL : found->second.handle;
}

const std::string* InstanceRegistry::key_of(const InstanceHandle_t& handle) const {
    auto found = by_serial_.find(serial_of(handle));
    if (found == by_serial_.end()) return nullptr;
    ++handle_probes;
    return found->second->second.handle == handle ? &found->second->first : nullptr;
}

}  // namespace ZORVEX::engine
