// The loan table on its own: a flat set of lent blocks whose removal moves
// the entries that probed past the hole, and which frees what is still lent
// when it goes (a leak under ASan otherwise).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "engine/block_pool.h"
#include "engine/loan_table.h"

namespace {

using ZORVEX::engine::BlockPool;
using ZORVEX::engine::LoanTable;

std::vector<void*> blocks(size_t n) {
    std::vector<void*> out;
    for (size_t i = 0; i < n; ++i) out.push_back(::operator new(32));
    return out;
}

void expect_lent(const LoanTable& table, const std::vector<void*>& all, const std::vector<bool>& lent) {
    for (size_t i = 0; i < all.size(); ++i) ASSERT_EQ(table.contains(all[i]), lent[i]) << "block " << i;
}

TEST(LoanTable, FindsExactlyWhatIsLentThroughAnyOrderOfReturns) {
    std::mt19937 random(15);
    for (size_t n : {1u, 7u, 300u, 5000u}) {
        const std::vector<void*> all = blocks(n);
        std::vector<bool> lent(n, false);
        LoanTable table;
        std::vector<size_t> order(n);
        for (size_t i = 0; i < n; ++i) order[i] = i;
        std::shuffle(order.begin(), order.end(), random);
        // Lent in two calls, the second half growing the table under the first.
        for (size_t half : {n / 2, n - n / 2}) {
            table.reserve(half);
            for (size_t k = 0; k < half; ++k) {
                const size_t i = order.back();
                order.pop_back();
                table.add(all[i]);
                lent[i] = true;
            }
        }
        EXPECT_EQ(table.size(), n);
        expect_lent(table, all, lent);
        std::vector<size_t> returning;
        for (size_t i = 0; i < n; ++i) returning.push_back(i);
        std::shuffle(returning.begin(), returning.end(), random);
        for (size_t k = 0; k < returning.size(); ++k) {
            const size_t i = returning[k];
            ASSERT_TRUE(table.remove(all[i]));
            lent[i] = false;
            BlockPool::free(all[i]);
            if (k % 97 != 0) continue;
            for (size_t j = 0; j < n; ++j) {  // the freed ones are not looked up
                if (lent[j]) {
                    ASSERT_TRUE(table.contains(all[j])) << "n " << n << ", block " << j;
                }
            }
        }
        EXPECT_TRUE(table.empty());
    }
}

TEST(LoanTable, AnAddressNotLentIsNotFoundAndRemovingItChangesNothing) {
    const std::vector<void*> all = blocks(3);
    LoanTable table;
    EXPECT_FALSE(table.contains(all[0]));
    EXPECT_FALSE(table.contains(nullptr));
    EXPECT_FALSE(table.remove(all[0]));  // an empty table
    table.reserve(2);
    table.add(all[0]);
    table.add(all[1]);
    EXPECT_FALSE(table.contains(all[2]));
    EXPECT_FALSE(table.remove(all[2]));
    EXPECT_EQ(table.size(), 2u);
    EXPECT_TRUE(table.contains(all[0]));
    EXPECT_TRUE(table.contains(all[1]));
    BlockPool::free(all[2]);
}  // the table frees the two still lent

}  // namespace
