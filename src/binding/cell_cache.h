// Where a thread's loan cells come from. Every cell is a heap object of its
// own, made with operator new and released on its own; but a cell released
// goes, up to a bound, onto a stack kept by its thread for its type, and
// the next cell made on that thread is built in it again. A take then makes
// its cells from those the previous return_loan released, with no call to
// the general allocator, which would otherwise answer every large request
// of a take by first sorting through all the small blocks freed since.
//
// A cell is made by the allocator only when the stack is empty, so that an
// allocation failure there reaches the caller as std::bad_alloc, as without
// the cache. Under AddressSanitizer a kept cell is poisoned whole (the
// stack's entries lie outside the cells), so a use of a released cell is
// reported as it would be had the cell been freed. The cells kept are
// freed when their thread ends.
#ifndef QUILLMARC_SRC_BINDING_CELL_CACHE_H
#define QUILLMARC_SRC_BINDING_CELL_CACHE_H

#include <cstddef>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define QUILLMARC_CELLS_POISONED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUILLMARC_CELLS_POISONED 1
#endif
#endif
#ifdef QUILLMARC_CELLS_POISONED
#include <sanitizer/asan_interface.h>
#endif

namespace quillmarc {

template <class T>
class CellCache {
 public:
  // What a thread keeps of one type at most: a take and its return_loan of
  // up to this many samples make no cell through the allocator.
  static constexpr size_t kept_at_most = 512;

  // The calling thread's cache of cells of T.
  static CellCache& here() noexcept {
    CellCache* cache = here_;
    if (cache == nullptr) here_ = cache = &cache_;
    return *cache;
  }

  size_t kept() const noexcept { return count_; }

  // A new cell, T(args...), built in a kept cell if there is one.
  template <class... Args>
  T* make(const Args&... args) {
    if (count_ == 0) return new T(args...);
    void* cell = cells_[--count_];
#ifdef QUILLMARC_CELLS_POISONED
    ASAN_UNPOISON_MEMORY_REGION(cell, sizeof(T));
#endif
    return ::new (cell) T(args...);
  }

  // The cell is destroyed; its memory is kept while there is room and the
  // thread is not ending, freed otherwise.
  void release(T* cell) noexcept {
    if (cell == nullptr) return;
    if (count_ == kept_at_most || closed_) {
      delete cell;
      return;
    }
    if (!armed_) {
      closer_.armed = true;  // makes the thread's closer, which frees the cells at its end
      armed_ = true;
    }
    cell->~T();
#ifdef QUILLMARC_CELLS_POISONED
    ASAN_POISON_MEMORY_REGION(cell, sizeof(T));
#endif
    cells_[count_++] = cell;
  }

  // Frees every kept cell; a cell released later on this thread is freed
  // at once.
  void close() noexcept {
    while (count_ > 0) {
      void* cell = cells_[--count_];
#ifdef QUILLMARC_CELLS_POISONED
      ASAN_UNPOISON_MEMORY_REGION(cell, sizeof(T));
#endif
      ::operator delete(cell);
    }
    closed_ = true;
  }

 private:
  // Its destructor runs as the thread ends. The cache itself has none, so
  // that a cell released after that (by a loan destroyed among the last
  // objects of the thread) still finds it and is freed.
  struct Closer {
    bool armed = false;
    ~Closer() { cache_.close(); }
  };

  void* cells_[kept_at_most];
  size_t count_;
  bool armed_;
  bool closed_;

  static thread_local CellCache cache_;
  static thread_local Closer closer_;
  // The address of cache_, found once per thread: this library's TLS is
  // found by a call each time, where a pointer in the static TLS block is a
  // load from the thread pointer (a few bytes there leave room enough for
  // the library to be loaded at run time).
  static thread_local CellCache* here_ __attribute__((tls_model("initial-exec")));
};

template <class T>
thread_local CellCache<T> CellCache<T>::cache_;
template <class T>
thread_local CellCache<T>* CellCache<T>::here_ __attribute__((tls_model("initial-exec"))) = nullptr;
template <class T>
thread_local typename CellCache<T>::Closer CellCache<T>::closer_;

}  // namespace quillmarc

#endif
