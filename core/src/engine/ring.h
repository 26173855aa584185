// A queue in one circular buffer, for trivially copyable values: room for
// more can be made ahead, and with room a push cannot fail. Removal at
// either end is constant time, in the middle it moves the shorter side.
// The capacity is a power of two, so that a position wraps with a mask.
#ifndef ZORVEX_SRC_ENGINE_RING_H
#define ZORVEX_SRC_ENGINE_RING_H

#include <algorithm>
#include <cstddef>
#include <memory>
#include <type_traits>

namespace ZORVEX::engine {

template <class T>
class Ring {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    size_t size() const noexcept { return size_; }
    T& front() noexcept { return at(0); }
    T& operator[](size_t i) noexcept { return at(i); }

    // Room for `n` values in all; grows by doubling at least.
    void reserve(size_t n) {
        if (n <= capacity_) return;
        size_t capacity = std::max(2 * capacity_, size_t(4));
        while (capacity < n) capacity *= 2;
        std::unique_ptr<T[]> grown(new T[capacity]);
        for (size_t i = 0; i < size_; ++i) grown[i] = at(i);
        values_ = std::move(grown);
        capacity_ = capacity;
        first_ = 0;
    }

    // Allocates only when there is no room.
    void push_back(const T& value) {
        if (size_ == capacity_) reserve(size_ + 1);
        ++size_;
        at(size_ - 1) = value;
    }

    // The position of `value`, or size() when it is absent.
    size_t find(const T& value) const noexcept {
        for (size_t i = 0; i < size_; ++i)
            if (values_[(first_ + i) & (capacity_ - 1)] == value) return i;
        return size_;
    }

    void erase(size_t i) noexcept {
        if (i < size_ / 2) {
            for (; i > 0; --i) at(i) = at(i - 1);
            first_ = (first_ + 1) & (capacity_ - 1);
        } else {
            for (; i + 1 < size_; ++i) at(i) = at(i + 1);
        }
        --size_;
    }

private:
    T& at(size_t i) noexcept { return values_[(first_ + i) & (capacity_ - 1)]; }

    std::unique_ptr<T[]> values_;
    size_t capacity_ = 0;
    size_t first_ = 0;
    size_t size_ = 0;
};

}  // namespace ZORVEX::engine

#endif
