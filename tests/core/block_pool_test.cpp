// The block pool on its own: what it keeps for the work it sees, and, under
// AddressSanitizer, that a kept block reads as freed memory would.
#include <gtest/gtest.h>

#include <vector>

#include "engine/block_pool.h"

#if defined(ZORVEX_POOL_POISONS)
#include <sanitizer/asan_interface.h>
#endif

namespace {

using ZORVEX::engine::BlockPool;

// A burst's blocks all come back to be kept, and room reserved past them
// goes again at the next trim.
TEST(BlockPool, KeepsWhatABurstUsedAndReservedRoomAllocatesNothing) {
    BlockPool pool(4096);
    std::vector<void*> taken;
    for (int i = 0; i < 300; ++i) taken.push_back(pool.take());
    EXPECT_EQ(pool.out(), 300u);
    for (void* b : taken) pool.give_back(b);
    EXPECT_EQ(pool.kept(), 300u);
    pool.reserve(400);
    EXPECT_EQ(pool.kept(), 400u);
    pool.trim();
    EXPECT_EQ(pool.kept(), 300u);
    void* again = pool.take();
    EXPECT_EQ(pool.kept(), 299u);
    pool.give_back(again);
}

// Of 4 KiB blocks it keeps 256 whatever the work (a megabyte is fewer), and
// beyond them what was out at once in this epoch or the one before.
TEST(BlockPool, GivesBackWhatTheWorkNoLongerNeedsOnceAnEpochGoesByWithLess) {
    BlockPool pool(4096);
    const auto burst = [&](int n) {
        std::vector<void*> taken;
        for (int i = 0; i < n; ++i) taken.push_back(pool.take());
        for (void* b : taken) pool.give_back(b);
    };
    pool.note_time(10);
    burst(300);
    pool.note_time(11);
    pool.trim();
    EXPECT_EQ(pool.kept(), 300u);  // the burst was in the epoch before
    burst(10);
    pool.note_time(12);
    pool.trim();
    EXPECT_EQ(pool.kept(), 256u);

    burst(300);
    pool.note_time(14);  // a second with no work between
    pool.trim();
    EXPECT_EQ(pool.kept(), 256u);

    burst(300);
    pool.note_time(13);  // time going back starts afresh as well
    pool.trim();
    EXPECT_EQ(pool.kept(), 256u);
}

TEST(BlockPool, KeepsNoMoreThanItsLimitBeyondItsFloor) {
    BlockPool pool(4096, 280);
    std::vector<void*> taken;
    for (int i = 0; i < 300; ++i) taken.push_back(pool.take());
    for (void* b : taken) pool.give_back(b);
    EXPECT_EQ(pool.kept(), 280u);
    pool.limit(10);
    pool.trim();
    EXPECT_EQ(pool.kept(), 256u);
}

#if defined(ZORVEX_POOL_POISONS)
TEST(BlockPool, AKeptBlockIsPoisonedPastItsLinkUntilItIsTakenAgain) {
    BlockPool pool(128);
    void* block = pool.take();
    static_cast<char*>(block)[127] = 1;
    pool.give_back(block);
    EXPECT_TRUE(__asan_address_is_poisoned(static_cast<char*>(block) + 64));
    EXPECT_TRUE(__asan_address_is_poisoned(static_cast<char*>(block) + 127));
    void* again = pool.take();
    ASSERT_EQ(again, block);
    EXPECT_EQ(__asan_region_is_poisoned(again, 128), nullptr);
    pool.give_back(again);
}
#endif

}  // namespace
