// The live writers of one reader instance, as a set of handles. Nearly
// always there is one, and it is kept inline: asking whether a writer is
// known then reads the instance and nothing else. Any further ones go to a
// vector, in no particular order.
#ifndef ZORVEX_SRC_ENGINE_WRITER_SET_H
#define ZORVEX_SRC_ENGINE_WRITER_SET_H

#include <algorithm>
#include <cstddef>
#include <vector>

#include "engine/handle_ops.h"
#include "zorvex/types.h"

namespace ZORVEX::engine {

class WriterSet {
public:
    bool empty() const noexcept { return !has_first_; }
    size_t size() const noexcept { return has_first_ ? 1 + rest_.size() : 0; }

    bool contains(const InstanceHandle_t& writer) const noexcept {
        if (!has_first_) return false;
        return same_handle(first_, writer) || std::any_of(rest_.begin(), rest_.end(), [&](const InstanceHandle_t& h) {
                   return same_handle(h, writer);
               });
    }

    // Room for n writers in all, so that as many adds cannot fail.
    void reserve(size_t n) {
        if (n > 1) rest_.reserve(n - 1);
    }

    // Within the room reserved; a writer already in is not added again.
    void add(const InstanceHandle_t& writer) noexcept {
        if (contains(writer)) return;
        if (!has_first_) {
            copy_handle(first_, writer);
            has_first_ = true;
        } else {
            rest_.push_back(writer);
        }
    }

    // False when the writer was not in.
    bool remove(const InstanceHandle_t& writer) noexcept {
        if (!has_first_) return false;
        if (same_handle(first_, writer)) {
            if (rest_.empty()) {
                has_first_ = false;
            } else {
                copy_handle(first_, rest_.back());
                rest_.pop_back();
            }
            return true;
        }
        auto it = std::find_if(rest_.begin(), rest_.end(),
                               [&](const InstanceHandle_t& h) { return same_handle(h, writer); });
        if (it == rest_.end()) return false;
        copy_handle(*it, rest_.back());
        rest_.pop_back();
        return true;
    }

private:
    InstanceHandle_t first_;
    bool has_first_ = false;
    std::vector<InstanceHandle_t> rest_;
};

}  // namespace ZORVEX::engine

#endif
