// Memory blocks of one size, kept for reuse once given back so that a steady
// flow of samples allocates nothing. Room made ahead (reserve) lets an
// operation that must not fail take blocks without allocating.
//
// How many free blocks it keeps follows the work. It counts the blocks out
// (taken and not given back) and notes the most that were out at once in
// each epoch, a second of the time the writes carry (note_time). It keeps as
// many free blocks as were out at once in this epoch or the one before, but
// no more than its owner's limit, and whatever the work a megabyte's worth
// (256 blocks where they are larger). So a burst of any size costs no allocation
// once the pool has seen one like it, as long as such bursts come at least
// every second or so; once a whole epoch goes by with less work, the next
// trim() frees what that work did not need. A reader's pool (one made
// `swept`) that keeps more than its floor is also looked at about once a
// second by the engine's sweeper (pool_sweeper.h), for which a second in
// which it took no block counts as one without work: a reader that sees no
// more writes gives back what a burst left it within three seconds or so.
#ifndef ZORVEX_SRC_ENGINE_BLOCK_POOL_H
#define ZORVEX_SRC_ENGINE_BLOCK_POOL_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <new>

#include "engine/lock.h"
#include "engine/pool_sweeper.h"

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
    static constexpr size_t no_limit = std::numeric_limits<size_t>::max();

    // Blocks of `size` bytes, aligned as operator new aligns; it keeps at
    // most `most_kept` free blocks beyond its floor. A `swept` pool is used
    // under the engine lock only.
    explicit BlockPool(size_t size, size_t most_kept = no_limit, bool swept = false)
        : size_(std::max(size, sizeof(Free))), floor_(floor_for(size_)), limit_(most_kept), swept_(swept) {}
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;
    ~BlockPool() { release(); }

    size_t kept() const noexcept { return kept_; }
    size_t out() const noexcept { return out_; }
    // The free blocks it keeps at most now.
    size_t budget() const noexcept { return std::max(floor_, std::min(limit_, std::max(peak_, last_peak_))); }

    void limit(size_t most_kept) noexcept { limit_ = most_kept; }

    // At least `n` blocks kept, so that the next n take() allocate nothing.
    void reserve(size_t n) {
        while (kept_ < n) keep(::operator new(size_));
    }

    // A kept block; allocates (ending the process should that fail) only
    // when no room was reserved.
    void* take() noexcept {
        ++takes_;
        if (++out_ > peak_) peak_ = out_;
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
        --out_;
        if (kept_ >= budget())
            ::operator delete(block);
        else
            keep(block);
    }

    // The time of the operation under way, in whole seconds: a new second
    // starts a new epoch. A second that follows no work (or a time that goes
    // back) leaves nothing of the epochs before it.
    void note_time(int64_t second) noexcept {
        if (second == epoch_) return;
        start_epoch(second == epoch_ + 1 ? peak_ : out_);
        epoch_ = second;
    }

    // Frees the blocks kept past the budget: room an operation did not use,
    // or what the work of the last epochs no longer needs.
    void trim() noexcept {
        const size_t most = budget();
        while (kept_ > most) free_one();
    }

    // The sweeper's look, about once a second while the pool keeps more
    // than its floor: a second in which it took no block counts as a second
    // without work. Answers whether it still keeps more than its floor.
    bool sweep() noexcept {
        if (takes_ != takes_seen_) {
            takes_seen_ = takes_;
        } else {
            start_epoch(peak_);
            trim();
        }
        return kept_ > floor_;
    }

    // Frees the kept blocks and forgets those out, which their owner frees
    // itself (free()).
    void release() noexcept {
        if (watch_.watched) unwatch();
        while (free_ != nullptr) free_one();
        out_ = peak_ = last_peak_ = 0;
    }

    // Frees a block taken from any pool.
    static void free(void* block) noexcept { ::operator delete(block); }

    // The sweeper's list of the pools it watches, under the engine lock.
    struct Watch {
        bool watched = false;
        BlockPool* prev = nullptr;
        BlockPool* next = nullptr;
    };
    Watch watch_;

private:
    struct Free {
        Free* next;
    };

    // What a pool keeps whatever the work: a megabyte, or a batch of 256
    // blocks where they are larger, so that a reader idle after a burst
    // holds little.
    static size_t floor_for(size_t size) {
        constexpr size_t kept_bytes = size_t(1) << 20;
        return std::max(kept_bytes / size, size_t(256));
    }

    // Under AddressSanitizer a kept block is poisoned past its link, so that
    // a value read after its loan came back is reported as it would be had
    // the block been freed.
    void keep(void* block) noexcept {
        free_ = ::new (block) Free{free_};
        if (++kept_ > floor_ && swept_ && !watch_.watched) sweeper::watch(*this);
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

    // A new epoch, after one whose peak was `last`.
    void start_epoch(size_t last) noexcept {
        last_peak_ = last;
        peak_ = out_;
    }

    // A pool may go with the lock held (its reader deleted) or not (its
    // reader destroyed).
    void unwatch() noexcept {
        if (holding()) {
            sweeper::forget(*this);
        } else {
            Guard g;
            sweeper::forget(*this);
        }
    }

    void free_one() noexcept {
        Free* block = free_;
        free_ = block->next;
        --kept_;
        unpoison(block);
        ::operator delete(block);
    }

    size_t size_;
    size_t floor_;
    size_t limit_;
    bool swept_;
    Free* free_ = nullptr;
    size_t kept_ = 0;
    size_t out_ = 0;        // taken and not given back
    size_t peak_ = 0;       // the most out at once in this epoch
    size_t last_peak_ = 0;  // and in the one before
    int64_t epoch_ = std::numeric_limits<int64_t>::min();
    size_t takes_ = 0;       // blocks taken in all
    size_t takes_seen_ = 0;  // as many when the sweeper last looked
};

}  // namespace ZORVEX::engine

#endif
