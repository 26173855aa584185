// The global operator new of a program that links counted_allocations.cpp
// counts the bytes it has handed out and not yet had back.
#ifndef TESTS_CORE_COUNTED_ALLOCATIONS_H
#define TESTS_CORE_COUNTED_ALLOCATIONS_H

namespace counted_allocations {

// Bytes from operator new not yet given back to operator delete.
long live_bytes();

}  // namespace counted_allocations

#endif
