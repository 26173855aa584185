// Loans: lent values live until their loan comes back, in any order; only
// this reader's loans come back, each once; a reader with loans out is not deleted.
#include "engine_fixture.h"

namespace {

using namespace ZORVEX;

class Loans : public Engine {
protected:
    void SetUp() override {
        Engine::SetUp();
        w = writer();
        r = reader();
    }
    ReturnCode_t take_one(LoanSequence<void*>& data, LoanSequence<SampleInfo>& infos) {
        return r->take(data, infos, 1, ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
    }
    static int32_t value_at(LoanSequence<void*>& data, int i) { return static_cast<Sample*>(data[i])->value; }

    DataWriter* w = nullptr;
    DataReader* r = nullptr;
};

TEST_F(Loans, LoansReturnedOutOfOrderReleaseExactlyTheirValues) {
    for (int v = 1; v <= 3; ++v) ASSERT_EQ(write(w, v, v), RETCODE_OK);
    LoanSequence<void*> d1, d2, d3;
    LoanSequence<SampleInfo> i1, i2, i3;
    ASSERT_EQ(take_one(d1, i1), RETCODE_OK);
    ASSERT_EQ(take_one(d2, i2), RETCODE_OK);
    ASSERT_EQ(take_one(d3, i3), RETCODE_OK);
    ASSERT_EQ(r->return_loan(d2, i2), RETCODE_OK);
    EXPECT_EQ(value_at(d1, 0), 1);  // still lent
    EXPECT_EQ(value_at(d3, 0), 3);
    ASSERT_EQ(r->return_loan(d3, i3), RETCODE_OK);
    EXPECT_EQ(value_at(d1, 0), 1);
    ASSERT_EQ(r->return_loan(d1, i1), RETCODE_OK);
    EXPECT_EQ(r->return_loan(d1, i1), RETCODE_PRECONDITION_NOT_MET);  // already back
}

TEST_F(Loans, ALentValueSurvivesTheHistoryMovingOn) {
    DataReader* last = reader([](DataReaderQos& q) { q.history.kind = KEEP_LAST_HISTORY_QOS; });
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    LoanSequence<void*> data;
    LoanSequence<SampleInfo> infos;
    ASSERT_EQ(last->read(data, infos, LENGTH_UNLIMITED, ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE),
              RETCODE_OK);
    ASSERT_EQ(write(w, 1, 2), RETCODE_OK);  // replaces the sample lent by the read
    EXPECT_EQ(value_at(data, 0), 1);
    EXPECT_EQ(values_of(drain(last)), std::vector<int32_t>{2});
    ASSERT_EQ(last->return_loan(data, infos), RETCODE_OK);
}

TEST_F(Loans, OnlyTheReadersOwnLoansComeBack) {
    DataReader* other = reader();
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    ASSERT_EQ(write(w, 2, 2), RETCODE_OK);
    LoanSequence<void*> mine, theirs;
    LoanSequence<SampleInfo> mine_info, their_info;
    ASSERT_EQ(take_one(mine, mine_info), RETCODE_OK);
    ASSERT_EQ(other->take(theirs, their_info, LENGTH_UNLIMITED, ANY_SAMPLE_STATE, ANY_VIEW_STATE,
                          ANY_INSTANCE_STATE),
              RETCODE_OK);
    EXPECT_EQ(r->return_loan(theirs, their_info), RETCODE_PRECONDITION_NOT_MET);
    LoanSequence<void*> mixed;  // one of mine, one not: nothing is released
    mixed.length(2);
    mixed[0] = mine[0];
    mixed[1] = theirs[0];
    EXPECT_EQ(r->return_loan(mixed, mine_info), RETCODE_PRECONDITION_NOT_MET);
    mixed[1] = mine[0];  // one of mine twice: nothing is released either
    EXPECT_EQ(r->return_loan(mixed, mine_info), RETCODE_PRECONDITION_NOT_MET);
    EXPECT_EQ(value_at(mine, 0), 1);
    EXPECT_EQ(r->return_loan(mine, mine_info), RETCODE_OK);
    EXPECT_EQ(other->return_loan(theirs, their_info), RETCODE_OK);
    LoanSequence<void*> empty;
    EXPECT_EQ(r->return_loan(empty, mine_info), RETCODE_OK);
}

TEST_F(Loans, AReaderWithLoansOutIsNotDeleted) {
    ASSERT_EQ(write(w, 1, 1), RETCODE_OK);
    LoanSequence<void*> data;
    LoanSequence<SampleInfo> infos;
    ASSERT_EQ(take_one(data, infos), RETCODE_OK);
    DataReader* doomed = r;
    EXPECT_EQ(subscriber->delete_datareader(doomed), RETCODE_PRECONDITION_NOT_MET);
    EXPECT_EQ(doomed, r);
    EXPECT_EQ(subscriber->delete_contained_entities(), RETCODE_PRECONDITION_NOT_MET);
    EXPECT_EQ(participant->delete_contained_entities(), RETCODE_PRECONDITION_NOT_MET);
    EXPECT_EQ(r->get_topicdescription(), topic);  // nothing was deleted
    ASSERT_EQ(r->return_loan(data, infos), RETCODE_OK);
    EXPECT_EQ(subscriber->delete_datareader(doomed), RETCODE_OK);
}

TEST_F(Loans, TakeFillsBothLoansAndNoDataEmptiesThem) {
    ASSERT_EQ(write(w, 1, 5), RETCODE_OK);
    LoanSequence<void*> data;
    LoanSequence<SampleInfo> infos;
    data.length(3);
    ASSERT_EQ(r->take(data, infos, LENGTH_UNLIMITED, ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE),
              RETCODE_OK);
    EXPECT_EQ(data.length(), 1);
    EXPECT_EQ(infos.length(), 1);
    EXPECT_EQ(infos[0].instance_state, ALIVE_INSTANCE_STATE);
    ASSERT_EQ(r->return_loan(data, infos), RETCODE_OK);
    EXPECT_EQ(r->take(data, infos, LENGTH_UNLIMITED, ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE),
              RETCODE_NO_DATA);
    EXPECT_EQ(data.length(), 0);
    EXPECT_EQ(r->take(data, data, LENGTH_UNLIMITED, ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE),
              RETCODE_BAD_PARAMETER);
}

}  // namespace
