// The replaced global operator new and delete behind Recording: malloc and
// free, with the size noted while a recording runs (never past the room
// reserved for it, so that noting allocates nothing).
#include "allocation_recording.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {
std::vector<std::size_t>* recording = nullptr;
}

Recording::Recording() {
  sizes_.reserve(4096);
  recording = &sizes_;
}

Recording::~Recording() { recording = nullptr; }

long Recording::first(std::size_t size) const {
  auto at = std::find(sizes_.begin(), sizes_.end(), size);
  return at == sizes_.end() ? -1 : static_cast<long>(at - sizes_.begin());
}

void* operator new(std::size_t size) {
  if (recording != nullptr && recording->size() < recording->capacity()) recording->push_back(size);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
