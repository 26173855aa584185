// The instance handles of one topic name in a domain. Every writer instance
// and every reader instance of a key holds the key here, so that all of them
// name the instance by one handle. A key no one holds any more is forgotten,
// so a stream of new keys costs nothing once its instances are gone; as
// serials are never reused, a key held again later gets a new handle and the
// forgotten one names nothing.
#ifndef ZORVEX_SRC_ENGINE_INSTANCE_REGISTRY_H
#define ZORVEX_SRC_ENGINE_INSTANCE_REGISTRY_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "zorvex/types.h"

namespace ZORVEX::engine {

class InstanceRegistry {
    struct Entry {
        InstanceHandle_t handle;
        size_t holders = 0;
    };
    using Keys = std::unordered_map<std::string, Entry>;

public:
    // One holder's claim on a key, given back when it is destroyed.
    class Hold {
    public:
        Hold() = default;
        Hold(Hold&& other) noexcept;
        Hold& operator=(Hold&& other) noexcept;
        ~Hold();
        const InstanceHandle_t& handle() const { return handle_; }

    private:
        friend class InstanceRegistry;
        Hold(InstanceRegistry& registry, Keys::value_type& entry)
            : registry_(&registry), entry_(&entry), handle_(entry.second.handle) {}
        void reset() noexcept;

        InstanceRegistry* registry_ = nullptr;
        Keys::value_type* entry_ = nullptr;
        // A copy, so that naming the instance does not reach into the
        // registry: with many keys that is a cache miss per sample.
        InstanceHandle_t handle_;
    };

    // Claims `key`, giving it a new handle when no one holds it. Nothing
    // changes if this throws.
    Hold hold(const std::string& key);
    // The handle of a held key; HANDLE_NIL when no one holds it.
    InstanceHandle_t handle_of(const std::string& key) const;
    // The key a handle names; null when it names no held instance.
    const std::string* key_of(const InstanceHandle_t& handle) const;

private:
    void release(Keys::value_type& entry) noexcept;

    Keys by_key_;
    std::unordered_map<uint64_t, Keys::value_type*> by_serial_;  // the same entries
};

}  // namespace ZORVEX::engine

#endif
