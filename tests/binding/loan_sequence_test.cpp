// Loan sequences: growth, shrinking, element access, push_back and release,
// alone and as a core reader fills them.
#include <gtest/gtest.h>

#include "binding/loan_sequence.h"
#include "support/expect_throw.h"

namespace {

using InfoLoan = SequenceData<ZORVEX::SampleInfo>;
using DataLoan = SequenceData<void*>;

TEST(LoanSequence, GrowingKeepsCellsAndMakesNewOnesWithDefaults) {
  InfoLoan loan;
  EXPECT_TRUE(loan.length(0));
  EXPECT_EQ(loan.owned_count, 0);
  EXPECT_TRUE(loan.cells.empty());

  ASSERT_TRUE(loan.length(2));
  void* first = loan.cells[0];
  loan[0].sample_rank = 11;
  loan[1].sample_rank = 12;
  ASSERT_TRUE(loan.length(5));
  EXPECT_EQ(loan.length(), 5);
  EXPECT_EQ(loan.owned_count, 5);
  EXPECT_EQ(loan.cells[0], first);
  EXPECT_EQ(loan.cell_buffer, loan.cells.data());
  EXPECT_EQ(loan[1].sample_rank, 12);
  EXPECT_EQ(loan[4].sample_state, ZORVEX::NOT_READ_SAMPLE_STATE);
  EXPECT_EQ(loan[4].source_timestamp.sec, -1);
  EXPECT_EQ(loan[4].instance_handle, ZORVEX::HANDLE_NIL);

  DataLoan data;
  ASSERT_TRUE(data.length(3));
  EXPECT_EQ(data[2], nullptr);
}

TEST(LoanSequence, ShrinkingKeepsEveryCellAndNegativeLengthsAreRefused) {
  DataLoan loan;
  loan.length(5);
  int value = 0;
  loan[4] = &value;
  EXPECT_TRUE(loan.length(3));
  EXPECT_EQ(loan.length(), 3);
  EXPECT_EQ(loan.owned_count, 5);
  EXPECT_FALSE(loan.length(-1));
  EXPECT_EQ(loan.length(), 3);
  EXPECT_TRUE(loan.length(5));
  EXPECT_EQ(loan[4], &value);
}

TEST(LoanSequence, AccessOutsideTheLengthIsOutOfRange) {
  InfoLoan loan;
  loan.length(2);
  EXPECT_THROW_MESSAGE(loan[2], std::out_of_range, "out of range");
  EXPECT_THROW_MESSAGE(loan[-1], std::out_of_range, "out of range");
  loan.length(1);
  EXPECT_THROW_MESSAGE(loan[1], std::out_of_range, "out of range");
}

TEST(LoanSequence, PushBackAppendsACopy) {
  InfoLoan loan;
  ZORVEX::SampleInfo info;
  info.generation_rank = 3;
  info.valid_data = true;
  loan.push_back(info);
  EXPECT_EQ(loan.owned_count, 1);
  EXPECT_EQ(loan.length(), 1);
  info.generation_rank = 4;
  loan.push_back(info);
  EXPECT_EQ(loan[0].generation_rank, 3);
  EXPECT_EQ(loan[1].generation_rank, 4);
  EXPECT_TRUE(loan[1].valid_data);
}

TEST(LoanSequence, PushBackGrowsTheCellArrayGeometrically) {
  // return_loan rebuilds a loan of any length one push_back at a time.
  InfoLoan loan;
  const ZORVEX::SampleInfo info;
  int reallocations = 0;
  for (int i = 0; i < 4096; ++i) {
    const size_t capacity = loan.cells.capacity();
    loan.push_back(info);
    if (loan.cells.capacity() != capacity) ++reallocations;
  }
  EXPECT_EQ(loan.length(), 4096);
  EXPECT_LE(reallocations, 13);
}

TEST(LoanSequence, UnloanReleasesEverythingAndLeavesAnEmptySequence) {
  InfoLoan loan;
  loan.length(4);
  loan.unloan();
  EXPECT_EQ(loan.length(), 0);
  EXPECT_EQ(loan.owned_count, 0);
  EXPECT_TRUE(loan.cells.empty());
  EXPECT_THROW_MESSAGE(loan[0], std::out_of_range, "out of range");
  ASSERT_TRUE(loan.length(2));  // fresh cells, none of the released ones
  EXPECT_EQ(loan[1].view_state, ZORVEX::NEW_VIEW_STATE);
  loan.unloan();
  loan.unloan();
}  // and the destructor after unloan touches nothing released

// return_loan's data loan: the caller's entries are its cells.
TEST(LoanSequence, HeldAddressesLendTheCallersEntriesAndCannotGrow) {
  int values[2] = {1, 2};
  std::vector<const void*> addresses = {&values[0], &values[1]};
  HeldAddresses loan(addresses);
  ASSERT_EQ(loan.length(), 2);
  EXPECT_EQ(loan.cells[1], static_cast<void*>(&addresses[1]));
  EXPECT_EQ(*static_cast<void* const*>(loan.cells[0]), &values[0]);
  EXPECT_FALSE(loan.length(3));
  EXPECT_TRUE(loan.length(1));
  EXPECT_EQ(loan.length(), 1);
  loan.unloan();
  EXPECT_EQ(loan.length(), 0);
  EXPECT_EQ(addresses.size(), 2u);  // the caller's sequence is left alone
}

#if defined(QUILLMARC_CELLS_POISONED)
// A released cell waits in its thread's cache, poisoned, for the next loan.
TEST(LoanSequenceDeathTest, AReleasedCellReadsAsFreedMemory) {
  EXPECT_DEATH(
      {
        InfoLoan loan;
        loan.length(1);
        volatile ZORVEX::SampleInfo* cell = static_cast<ZORVEX::SampleInfo*>(loan.cells[0]);
        loan.unloan();
        (void)cell->sample_rank;
      },
      "use-after-poison");
}
#endif

// A reader that lends as the core does: grows both loans through the base
// and writes into the cells.
struct LendingReader : ZORVEX::DataReader {
  int values[3] = {10, 20, 30};
  ZORVEX::ReturnCode_t take(SequenceBase& data, SequenceBase& infos, int32_t, ZORVEX::SampleStateMask,
                            ZORVEX::ViewStateMask, ZORVEX::InstanceStateMask) override {
    data.length(3);
    infos.length(3);
    for (int i = 0; i < 3; ++i) {
      *static_cast<void**>(data.cells[i]) = &values[i];
      static_cast<ZORVEX::SampleInfo*>(infos.cells[i])->sample_rank = i;
    }
    return ZORVEX::RETCODE_OK;
  }
};

TEST(LoanSequence, ACoreReaderFillsTheCellsItGrew) {
  LendingReader reader;
  DataLoan data;
  InfoLoan infos;
  ASSERT_EQ(reader.take(data, infos, -1, 0xffff, 0xffff, 0xffff), ZORVEX::RETCODE_OK);
  ASSERT_EQ(infos.length(), 3);
  EXPECT_EQ(*static_cast<int*>(data[2]), 30);
  EXPECT_EQ(infos[2].sample_rank, 2);
}

}  // namespace
