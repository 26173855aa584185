// The values a reader has lent, by address: each is a block of its own that
// the table holds until the loan comes back (or frees, should the reader go
// with loans still out). One flat table of addresses, open addressing with
// linear probing: lending and returning allocate nothing once it has grown.
#ifndef ZORVEX_SRC_ENGINE_LOAN_TABLE_H
#define ZORVEX_SRC_ENGINE_LOAN_TABLE_H

#include <cstddef>
#include <cstdint>
#include <memory>

namespace ZORVEX::engine {

class LoanTable {
public:
    LoanTable() = default;
    LoanTable(const LoanTable&) = delete;
    LoanTable& operator=(const LoanTable&) = delete;
    ~LoanTable();

    bool empty() const noexcept { return size_ == 0; }
    size_t size() const noexcept { return size_; }

    // Room for `n` more loans, so that as many add() cannot fail.
    void reserve(size_t n);
    // A block lent from now on; within the room reserved.
    void add(void* block) noexcept;
    bool contains(const void* block) const noexcept;
    // The loan of `block` is over: the caller has it back. False, and
    // nothing changes, when it is not lent. The room stays: blocks removed
    // can be added back without reserve().
    bool remove(const void* block) noexcept;
    // An empty table that grew large gives its slots back.
    void trim() noexcept;

private:
    size_t home(const void* block) const noexcept;
    size_t slot_of(const void* block) const noexcept;  // capacity_ when absent
    void rehash(size_t capacity);

    std::unique_ptr<void*[]> slots_;  // null: free
    size_t capacity_ = 0;             // a power of two, or 0
    size_t size_ = 0;
};

}  // namespace ZORVEX::engine

#endif
