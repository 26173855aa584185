// SequenceData<T>: the loan sequences a data reader grows and fills through
// SequenceBase, one heap cell per element. Two instances serve read, take
// and return_loan: SequenceData<void*> (the address of each lent sample
// value) and SequenceData<ZORVEX::SampleInfo>.
//
// Growing keeps the cells made so far and makes new ones with their defaults
// (a null pointer; a core sample information as the core constructs it);
// shrinking only lowers the length. unloan() and the destructor release
// every cell; after unloan() the sequence is empty again, so nothing later
// touches a released cell. Cells are made and released through the thread's
// CellCache, which keeps the memory of released cells for the next loan.
#ifndef QUILLMARC_SRC_BINDING_LOAN_SEQUENCE_H
#define QUILLMARC_SRC_BINDING_LOAN_SEQUENCE_H

#include <algorithm>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include "binding/cell_cache.h"
#include "zorvex/zorvex.h"

template <class T>
class SequenceData : public SequenceBase {
 public:
  SequenceData() = default;
  ~SequenceData() override { release_cells(); }

  int length() const override { return current_length; }

  // false for a negative n; otherwise n elements become usable.
  bool length(int n) override {
    if (n < 0) return false;
    if (n > owned_count) {
      cells.reserve(static_cast<size_t>(n));
      cells.resize(static_cast<size_t>(n), nullptr);
      cell_buffer = cells.data();
      auto& cache = quillmarc::CellCache<T>::here();
      while (owned_count < n) {
        cells[static_cast<size_t>(owned_count)] = cache.make();
        ++owned_count;
      }
    }
    current_length = n;
    return true;
  }

  void unloan() override {
    release_cells();
    owned_count = 0;
    current_length = 0;
    cell_buffer = nullptr;
  }

  // Element i, for i below length(); anything else (a negative i included)
  // throws std::out_of_range("out of range").
  T& operator[](int i) {
    if (static_cast<unsigned>(i) >= static_cast<unsigned>(current_length)) throw std::out_of_range("out of range");
    return *static_cast<T*>(cells[static_cast<size_t>(i)]);
  }

  // Room for `n` more elements appended by push_back, so that rebuilding a
  // loan of known length grows the cell array once.
  void reserve(int n) {
    if (n > 0) cells.reserve(static_cast<size_t>(owned_count) + static_cast<size_t>(n));
  }

  // A new last element copying `info` (information loans only).
  void push_back(const ZORVEX::SampleInfo& info) {
    static_assert(std::is_same<T, ZORVEX::SampleInfo>::value, "sample information loans only");
    // Entries past the owned cells are left over, empty, from a growth that
    // failed; the new cell takes the first of them.
    cells.resize(static_cast<size_t>(owned_count));
    // Room first, so that the new cell cannot leak; doubled, so that
    // return_loan rebuilding a long loan one cell at a time stays linear.
    if (cells.size() == cells.capacity()) cells.reserve(cells.empty() ? 8 : 2 * cells.size());
    cells.push_back(quillmarc::CellCache<T>::here().make(info));
    ++owned_count;
    ++current_length;
  }

 private:
  void release_cells() {
    auto& cache = quillmarc::CellCache<T>::here();
    for (int32_t i = 0; i < owned_count; ++i) cache.release(static_cast<T*>(cells[static_cast<size_t>(i)]));
    std::vector<void*>().swap(cells);
  }
};

// The data loan that return_loan hands back: a view of the sample
// addresses the caller holds, cell i being the caller's entry i itself, so
// that handing n addresses back makes and releases no cell. Its cells are
// the caller's: it cannot grow, and unloan() only forgets them.
class HeldAddresses : public SequenceBase {
 public:
  explicit HeldAddresses(std::vector<const void*>& addresses) {
    cells.reserve(addresses.size());
    for (const void*& address : addresses) cells.push_back(&address);
    owned_count = current_length = static_cast<int32_t>(cells.size());
    cell_buffer = cells.data();
  }

  int length() const override { return current_length; }

  // Shrinks, or stays; it has no cell to grow into.
  bool length(int n) override {
    if (n < 0 || n > owned_count) return false;
    current_length = n;
    return true;
  }

  void unloan() override {
    std::vector<void*>().swap(cells);
    owned_count = current_length = 0;
    cell_buffer = nullptr;
  }
};

#endif
