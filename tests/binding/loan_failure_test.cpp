// Loan sequences when memory runs out, and the memory of their cells: every
// allocation of a growth or of a rebuild is made to fail in turn, on a
// thread whose cell cache starts empty and on one whose cache holds cells;
// what a thread keeps is bounded and goes when the thread ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <thread>

#include "binding/loan_sequence.h"
#include "support/failing_allocations.h"

namespace {

using failing_allocations::live_blocks;
using InfoLoan = SequenceData<ZORVEX::SampleInfo>;
using DataLoan = SequenceData<void*>;

// Each run on a thread of its own, so that it starts with an empty cache.
template <class F>
void on_a_new_thread(F f) {
  std::thread(f).join();
}

// What a loan looked like after an operation that allocation `k` of was
// made to fail.
struct Outcome {
  bool failed = false;
  int owned = 0;
  int length = 0;
  bool earlier_cells_kept = false;
};

template <class Loan>
class LoanFailure : public testing::Test {};
using Loans = testing::Types<DataLoan, InfoLoan>;
TYPED_TEST_SUITE(LoanFailure, Loans);

// A loan of 2 cells grows to 40, `cached` cells waiting in the thread's
// cache. The growth allocates the cell array first, then takes the cached
// cells, then allocates one cell at a time: each of those allocations fails
// once, with std::bad_alloc, and leaves the cells made so far owned and the
// length as it was.
TYPED_TEST(LoanFailure, EveryAllocationOfAGrowthCanFailAndLeavesTheLoanWhole) {
  for (int cached : {0, 5}) {
    int failures = 0;
    for (;; ++failures) {
      Outcome out;
      const long before = live_blocks();
      on_a_new_thread([&] {
        TypeParam loan;
        loan.length(2);
        { TypeParam().length(cached); }  // released into the cache
        void* first = loan.cells[0];
        failing_allocations::fail_after(failures);
        try {
          loan.length(40);
        } catch (const std::bad_alloc&) {
          out.failed = true;
        }
        failing_allocations::fail_after(-1);
        out.owned = loan.owned_count;
        out.length = loan.length();
        out.earlier_cells_kept = loan.cells[0] == first;
      });
      EXPECT_EQ(live_blocks(), before) << "cached " << cached << ", failure " << failures;
      if (!out.failed) {
        EXPECT_EQ(out.owned, 40);
        break;
      }
      EXPECT_EQ(out.length, 2);
      EXPECT_TRUE(out.earlier_cells_kept);
      EXPECT_EQ(out.owned, failures == 0 ? 2 : 2 + cached + failures - 1);
    }
    EXPECT_EQ(failures, 1 + 38 - cached);
  }
}

// return_loan's rebuild: room for 10 cells, then 10 push_backs, each of
// whose cells can fail to be made; the cells pushed before stay, in order.
TEST(InformationLoanFailure, EveryCellOfARebuildCanFailAndLeavesWhatWasPushed) {
  int failures = 0;
  for (;; ++failures) {
    Outcome out;
    const long before = live_blocks();
    on_a_new_thread([&] {
      InfoLoan loan;
      loan.reserve(10);
      failing_allocations::fail_after(failures);
      try {
        for (int i = 0; i < 10; ++i) {
          ZORVEX::SampleInfo info;
          info.sample_rank = i;
          loan.push_back(info);
        }
      } catch (const std::bad_alloc&) {
        out.failed = true;
      }
      failing_allocations::fail_after(-1);
      out.owned = loan.owned_count;
      out.length = loan.length();
      out.earlier_cells_kept = true;
      for (int i = 0; i < loan.length(); ++i)
        out.earlier_cells_kept = out.earlier_cells_kept && loan[i].sample_rank == i;
    });
    EXPECT_EQ(live_blocks(), before);
    EXPECT_TRUE(out.earlier_cells_kept);
    if (!out.failed) break;
    EXPECT_EQ(out.owned, failures);
    EXPECT_EQ(out.length, failures);
  }
  EXPECT_EQ(failures, 10);
}

// Cells released are made again, without the allocator, up to the bound;
// past it they are freed, and when the thread ends the rest go too.
TEST(LoanCells, AThreadKeepsItsReleasedCellsUpToABoundUntilItEnds) {
  constexpr int bound = static_cast<int>(quillmarc::CellCache<ZORVEX::SampleInfo>::kept_at_most);
  const long before = live_blocks();
  on_a_new_thread([&] {
    const long at_start = live_blocks();
    void* released[3];
    {
      InfoLoan loan;
      loan.length(3);
      std::copy(loan.cells.begin(), loan.cells.end(), released);
    }
    EXPECT_EQ(live_blocks(), at_start + 3);
    {
      InfoLoan loan;
      loan.length(3);
      EXPECT_TRUE(std::is_permutation(loan.cells.begin(), loan.cells.end(), released));
      EXPECT_EQ(loan[2].sample_state, ZORVEX::NOT_READ_SAMPLE_STATE);  // made anew, with the defaults
      EXPECT_EQ(live_blocks(), at_start + 3 + 1);                     // and the cell array
    }
    { InfoLoan().length(2 * bound); }
    { DataLoan().length(7); }
    EXPECT_EQ(quillmarc::CellCache<ZORVEX::SampleInfo>::here().kept(), size_t(bound));
    EXPECT_EQ(live_blocks(), at_start + bound + 7);
  });
  EXPECT_EQ(live_blocks(), before);
}

}  // namespace
