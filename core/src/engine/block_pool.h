// Memory blocks of one size, kept for reuse once given back so that a steady
// flow of samples allocates nothing. The blocks kept stay within a budget;
// past it a block given back is freed. Room made ahead (reserve) lets an
// operation that must not fail take blocks without allocating.
#ifndef ZORVEX_SRC_ENGINE_BLOCK_POOL_H
#define ZORVEX_SRC_ENGINE_BLOCK_POOL_H

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define ZORVEX_POOL_POISONS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZORVEX_POOL_POISONS 1
#endif
#endif
#ifdef ZORVEX_POOL_POISONS
#include <sanitizer/asan_interface.h>
#endif

namespace ZORVEX::engine {

class BlockPool {
public:
    // Blocks of `size` bytes, aligned as operator new aligns.
    explicit BlockPool(size_t size) : size_(std::max(size, sizeof(Free))), budget_(budget_for(size_)) {}
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;
    ~BlockPool() { release(); }

    size_t kept() const noexcept { return kept_; }

    // At least `n` blocks kept, so that the next n take() allocate nothing.
    void reserve(size_t n) {
        while (kept_ < n) keep(::operator new(size_));
    }

    // A kept block; allocates (ending the process should that fail) only
    // when no room was reserved.
    void* take() noexcept {
        if (free_ == nullptr) {
            void* block = ::operator new(size_, std::nothrow);
            if (block == nullptr) std::abort();
            return block;
        }
        Free* block = free_;
        free_ = block->next;
        --kept_;
        unpoison(block);
        return block;
    }

    // Takes a block back: kept within the budget, freed past it.
    void give_back(void* block) noexcept {
        if (kept_ >= budget_)
            ::operator delete(block);
        else
            keep(block);
    }

    // Frees the blocks kept past the budget (room an operation did not use).
    void trim() noexcept {
        while (kept_ > budget_) free_one();
    }

    void release() noexcept {
        while (free_ != nullptr) free_one();
    }

    // Frees a block taken from any pool.
    static void free(void* block) noexcept { ::operator delete(block); }

private:
    struct Free {
        Free* next;
    };

    // What a pool keeps at most: a megabyte, or a batch of 256 blocks where
    // they are larger, so that a reader idle after a burst holds little.
    static size_t budget_for(size_t size) {
        constexpr size_t kept_bytes = size_t(1) << 20;
        return std::max(kept_bytes / size, size_t(256));
    }

    // Under AddressSanitizer a kept block is poisoned past its link, so that
    // a value read after its loan came back is reported as it would be had
    // the block been freed.
    void keep(void* block) noexcept {
        free_ = ::new (block) Free{free_};
        ++kept_;
#ifdef ZORVEX_POOL_POISONS
        ASAN_POISON_MEMORY_REGION(static_cast<char*>(block) + sizeof(Free), size_ - sizeof(Free));
#endif
    }

    void unpoison(void* block) const noexcept {
#ifdef ZORVEX_POOL_POISONS
        ASAN_UNPOISON_MEMORY_REGION(block, size_);
#else
        (void)block;
#endif
    }

    void free_one() noexcept {
        Free* block = free_;
        free_ = block->next;
        --kept_;
        unpoison(block);
        ::operator delete(block);
    }

    size_t size_;
    size_t budget_;
    Free* free_ = nullptr;
    size_t kept_ = 0;
};

}  // namespace ZORVEX::engine

#endif
