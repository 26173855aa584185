// The global operator new of a program that links failing_allocations.cpp:
// it can fail one chosen allocation with std::bad_alloc, and it counts the
// blocks alive so that tests can see what was released. The array forms go
// through it too, so every allocation of the program can be made to fail.
#ifndef QUILLMARC_TESTS_SUPPORT_FAILING_ALLOCATIONS_H
#define QUILLMARC_TESTS_SUPPORT_FAILING_ALLOCATIONS_H

namespace failing_allocations {

// Lets `count` allocations through and fails the next one; -1 fails none.
void fail_after(long count);
// Whether the failure asked for by fail_after is still to come.
bool failure_pending();
// Blocks from operator new not yet given back to operator delete.
long live_blocks();

}  // namespace failing_allocations

#endif
