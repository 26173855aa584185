// The block pool on its own: what it keeps within its budget, and, under
// AddressSanitizer, that a kept block reads as freed memory would.
#include <gtest/gtest.h>

#include <vector>

#include "engine/block_pool.h"

#if defined(ZORVEX_POOL_POISONS)
#include <sanitizer/asan_interface.h>
#endif

namespace {

using ZORVEX::engine::BlockPool;

TEST(BlockPool, KeepsWhatComesBackWithinItsBudgetAndReservedRoomAllocatesNothing) {
    BlockPool pool(4096);
    std::vector<void*> taken;
    for (int i = 0; i < 300; ++i) taken.push_back(pool.take());
    for (void* b : taken) pool.give_back(b);
    EXPECT_EQ(pool.kept(), 256u);  // a megabyte is fewer blocks of this size
    pool.reserve(400);
    EXPECT_EQ(pool.kept(), 400u);
    pool.trim();
    EXPECT_EQ(pool.kept(), 256u);
    void* again = pool.take();
    EXPECT_EQ(pool.kept(), 255u);
    pool.give_back(again);
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
