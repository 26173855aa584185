#include "engine/loan_table.h"

#include "engine/block_pool.h"

namespace ZORVEX::engine {

namespace {
// A table this large that empties gives its slots back.
constexpr size_t kept_capacity = 4096;
}  // namespace

LoanTable::~LoanTable() {
    for (size_t i = 0; i < capacity_; ++i)
        if (slots_[i] != nullptr) BlockPool::free(slots_[i]);
}

// Fibonacci hashing of the address; its low bits are alignment.
size_t LoanTable::home(const void* block) const noexcept {
    const uint64_t h = (uint64_t(reinterpret_cast<uintptr_t>(block)) >> 4) * 0x9E3779B97F4A7C15ull;
    return size_t(h >> 32) & (capacity_ - 1);
}

// At most half full, so that probes stay short.
void LoanTable::reserve(size_t n) {
    size_t capacity = capacity_ == 0 ? 16 : capacity_;
    while (2 * (size_ + n) > capacity) capacity *= 2;
    if (capacity != capacity_) rehash(capacity);
}

void LoanTable::rehash(size_t capacity) {
    std::unique_ptr<void*[]> old(new void*[capacity]());
    old.swap(slots_);
    const size_t old_capacity = capacity_;
    capacity_ = capacity;
    for (size_t i = 0; i < old_capacity; ++i)
        if (old[i] != nullptr) {
            size_t j = home(old[i]);
            while (slots_[j] != nullptr) j = (j + 1) & (capacity_ - 1);
            slots_[j] = old[i];
        }
}

void LoanTable::add(void* block) noexcept {
    size_t i = home(block);
    while (slots_[i] != nullptr) i = (i + 1) & (capacity_ - 1);
    slots_[i] = block;
    ++size_;
}

size_t LoanTable::slot_of(const void* block) const noexcept {
    if (capacity_ == 0 || block == nullptr) return capacity_;
    for (size_t i = home(block);; i = (i + 1) & (capacity_ - 1)) {
        if (slots_[i] == block) return i;
        if (slots_[i] == nullptr) return capacity_;
    }
}

bool LoanTable::contains(const void* block) const noexcept { return slot_of(block) != capacity_; }

// Backward-shift deletion: the entries after the hole that probed past it
// move into it, so that no probe ends early and no tombstone is needed.
bool LoanTable::remove(const void* block) noexcept {
    size_t hole = slot_of(block);
    if (hole == capacity_) return false;
    const size_t mask = capacity_ - 1;
    for (size_t i = (hole + 1) & mask; slots_[i] != nullptr; i = (i + 1) & mask) {
        const size_t h = home(slots_[i]);
        // The entry at i may fill the hole unless its home lies in (hole, i].
        const bool home_after_hole = ((i - h) & mask) < ((i - hole) & mask);
        if (!home_after_hole) {
            slots_[hole] = slots_[i];
            hole = i;
        }
    }
    slots_[hole] = nullptr;
    --size_;
    return true;
}

void LoanTable::trim() noexcept {
    if (size_ != 0 || capacity_ <= kept_capacity) return;
    slots_.reset();
    capacity_ = 0;
}

}  // namespace ZORVEX::engine
