// A vector whose first N elements live inside it, so that the short lists
// the engine builds per sample (changed readers, queued callbacks, released
// entities) cost no allocation. Only growth past N allocates; it happens
// before anything changes, so a throwing push leaves the vector as it was.
#ifndef ZORVEX_SRC_COMMON_INLINE_VECTOR_H
#define ZORVEX_SRC_COMMON_INLINE_VECTOR_H

#include <cstddef>
#include <new>
#include <type_traits>
#include <utility>

namespace ZORVEX {

template <class T, size_t N>
class InlineVector {
    static_assert(N > 0);
    static_assert(std::is_nothrow_move_constructible_v<T>, "growth moves the elements");

public:
    InlineVector() noexcept = default;
    InlineVector(const InlineVector&) = delete;
    InlineVector& operator=(const InlineVector&) = delete;
    ~InlineVector() {
        clear();
        if (data_ != local()) ::operator delete(data_);
    }

    size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }
    T* begin() noexcept { return data_; }
    T* end() noexcept { return data_ + size_; }
    const T* begin() const noexcept { return data_; }
    const T* end() const noexcept { return data_ + size_; }
    T& operator[](size_t i) noexcept { return data_[i]; }

    // Room for `n` elements in all: pushes up to there cannot throw.
    void reserve(size_t n) {
        if (n <= capacity_) return;
        T* grown = static_cast<T*>(::operator new(n * sizeof(T)));
        for (size_t i = 0; i < size_; ++i) {
            ::new (grown + i) T(std::move(data_[i]));
            data_[i].~T();
        }
        if (data_ != local()) ::operator delete(data_);
        data_ = grown;
        capacity_ = n;
    }

    template <class... Args>
    T& emplace_back(Args&&... args) {
        if (size_ == capacity_) reserve(2 * capacity_);
        T* slot = ::new (data_ + size_) T(std::forward<Args>(args)...);
        ++size_;
        return *slot;
    }

    void clear() noexcept {
        for (size_t i = size_; i > 0; --i) data_[i - 1].~T();
        size_ = 0;
    }

private:
    T* local() noexcept { return reinterpret_cast<T*>(storage_); }

    alignas(T) unsigned char storage_[N * sizeof(T)];
    T* data_ = local();
    size_t size_ = 0;
    size_t capacity_ = N;
};

}  // namespace ZORVEX

#endif
