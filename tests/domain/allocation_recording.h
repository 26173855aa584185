// Records the sizes of the allocations made through the global operator new
// while a Recording is alive. The program that links allocation_recording.cpp
// has its operator new replaced by one that records.
#ifndef QUILLMARC_TESTS_DOMAIN_ALLOCATION_RECORDING_H
#define QUILLMARC_TESTS_DOMAIN_ALLOCATION_RECORDING_H

#include <cstddef>
#include <vector>

class Recording {
 public:
  Recording();
  ~Recording();
  Recording(const Recording&) = delete;
  Recording& operator=(const Recording&) = delete;

  // The index of the first allocation of `size` bytes, or -1.
  long first(std::size_t size) const;

 private:
  std::vector<std::size_t> sizes_;
};

#endif
