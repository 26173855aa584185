// Out of memory inside an engine operation: for each operation, the first
// allocation inside it fails, then the second, and so on until it runs
// without a failure. A failed operation leaves the engine as it was (same
// fingerprint, no callback), can be retried, and every entity can still be
// deleted with nothing left allocated; the retried operation has exactly
// its usual effect on what the readers hold.
#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "allocation_scene.h"
#include "support/failing_allocations.h"

namespace sweep {
namespace {

using namespace ZORVEX;

struct Case {
    const char* name;
    std::function<void(Scene&)> prepare;  // before the operation, allocating freely
    std::function<void(Scene&)> operation;
    std::function<void(Scene&)> check;  // after the operation succeeded
};

std::ostream& operator<<(std::ostream& os, const Case& c) { return os << c.name; }

DomainParticipantFactory* factory() { return DomainParticipantFactory::get_instance(); }

struct Listener final : DataReaderListener {};

void expect_holdings(Scene& s, const std::function<void(Holdings&)>& edit = nullptr) {
    Holdings want = Scene::as_built();
    if (edit) edit(want);
    EXPECT_EQ(s.take_all(), want);
}

void as_built(Scene& s) { expect_holdings(s); }

ReturnCode_t lend(Scene& s, bool take) {
    return take ? s.keep_all->take(s.loan, s.loan_infos, LENGTH_UNLIMITED, ANY_SAMPLE_STATE, ANY_VIEW_STATE,
                                   ANY_INSTANCE_STATE)
                : s.keep_all->read(s.loan, s.loan_infos, LENGTH_UNLIMITED, ANY_SAMPLE_STATE, ANY_VIEW_STATE,
                                   ANY_INSTANCE_STATE);
}

const Case cases[] = {
    {"CreateParticipant", nullptr,
     [](Scene& s) {
         s.made_participant = factory()->create_participant(s.domain, PARTICIPANT_QOS_DEFAULT, nullptr, 0);
     },
     [](Scene& s) {
         EXPECT_NE(s.made_participant, nullptr);
         as_built(s);
     }},
    {"DeleteParticipant",
     [](Scene& s) {
         s.made_participant = factory()->create_participant(s.domain, PARTICIPANT_QOS_DEFAULT, nullptr, 0);
     },
     [](Scene& s) { EXPECT_EQ(factory()->delete_participant(s.made_participant), RETCODE_OK); },
     [](Scene& s) { EXPECT_EQ(s.made_participant, nullptr); }},
    {"FindTopicOfAnotherParticipant", nullptr,
     [](Scene& s) {
         s.made_topic = s.p->find_topic("OnlyQ", DURATION_ZERO);
         s.made_topic_references = 1;
     },
     [](Scene& s) { EXPECT_EQ(s.p->lookup_topicdescription("OnlyQ"), s.made_topic); }},
    {"DeleteTopic", nullptr, [](Scene& s) { EXPECT_EQ(s.p->delete_topic(s.spare_topic), RETCODE_OK); },
     [](Scene& s) { EXPECT_EQ(s.p->lookup_topicdescription("Spare"), nullptr); }},
    {"CreateContentFilteredTopic", nullptr,
     [](Scene& s) { s.made_filtered = s.p->create_contentfilteredtopic("Made", s.readings, "id > %0", {"2"}); },
     [](Scene& s) { EXPECT_EQ(s.p->lookup_topicdescription("Made"), s.made_filtered); }},
    {"DeleteContentFilteredTopic", nullptr,
     [](Scene& s) { EXPECT_EQ(s.p->delete_contentfilteredtopic(s.filtered), RETCODE_OK); },
     [](Scene& s) { EXPECT_EQ(s.p->lookup_topicdescription("Filtered"), nullptr); }},
    {"CreatePublisher", nullptr,
     [](Scene& s) { s.made_pub = s.p->create_publisher(PUBLISHER_QOS_DEFAULT, nullptr, 0); },
     [](Scene& s) { EXPECT_NE(s.made_pub, nullptr); }},
    {"DeletePublisher", nullptr, [](Scene& s) { EXPECT_EQ(s.p->delete_publisher(s.empty_pub), RETCODE_OK); },
     as_built},
    {"CreateSubscriber", nullptr,
     [](Scene& s) { s.made_sub = s.p->create_subscriber(SUBSCRIBER_QOS_DEFAULT, nullptr, 0); },
     [](Scene& s) { EXPECT_NE(s.made_sub, nullptr); }},
    {"DeleteSubscriber", nullptr, [](Scene& s) { EXPECT_EQ(s.p->delete_subscriber(s.empty_sub), RETCODE_OK); },
     as_built},
    {"DeleteContainedEntitiesOfADataReader", nullptr,
     [](Scene& s) {
         EXPECT_EQ(s.keep_all->delete_contained_entities(), RETCODE_OK);
         s.condition = nullptr;
     },
     as_built},
    {"CreateReadCondition", nullptr,
     [](Scene& s) {
         s.made_condition = s.keep_all->create_readcondition(NOT_READ_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
     },
     [](Scene& s) { EXPECT_TRUE(s.made_condition->get_trigger_value()); }},
    {"CreateQueryCondition", nullptr,
     [](Scene& s) {
         s.made_condition = s.keep_all->create_querycondition(NOT_READ_SAMPLE_STATE, ANY_VIEW_STATE,
                                                              ANY_INSTANCE_STATE, "value > %0", {"10"});
     },
     [](Scene& s) { EXPECT_TRUE(s.made_condition->get_trigger_value()); }},
    {"DeleteReadCondition", nullptr,
     [](Scene& s) {
         EXPECT_EQ(s.keep_all->delete_readcondition(s.condition), RETCODE_OK);
         s.condition = nullptr;
     },
     as_built},
    {"RegisterInstance", nullptr,
     [](Scene& s) {
         const Sample key = Scene::sample(6, 0);
         s.handle = s.durable->register_instance(&key);
     },
     [](Scene& s) {
         const Sample key = Scene::sample(6, 0);
         EXPECT_EQ(s.durable->lookup_instance(&key), s.handle);
         EXPECT_NE(s.handle, HANDLE_NIL);
     }},
    {"SetListener", nullptr,
     [](Scene& s) { EXPECT_EQ(s.keep_all->set_listener(new Listener, STATUS_MASK_ALL), RETCODE_OK); },
     [](Scene& s) { EXPECT_NE(s.keep_all->get_listener(), nullptr); }},
    {"Take", nullptr, [](Scene& s) { EXPECT_EQ(lend(s, true), RETCODE_OK); },
     [](Scene& s) {
         EXPECT_EQ(describe(s.loan, s.loan_infos), Scene::as_built()["keep_all"]);
         expect_holdings(s, [](Holdings& h) { h.erase("keep_all"); });
     }},
    {"Read", nullptr, [](Scene& s) { EXPECT_EQ(lend(s, false), RETCODE_OK); },
     [](Scene& s) {
         EXPECT_EQ(describe(s.loan, s.loan_infos), Scene::as_built()["keep_all"]);
         as_built(s);
     }},
    {"ReturnLoan", [](Scene& s) { ASSERT_EQ(lend(s, true), RETCODE_OK); },
     [](Scene& s) {
         EXPECT_EQ(s.keep_all->return_loan(s.loan, s.loan_infos), RETCODE_OK);
         s.loan.length(0);  // back with the reader
     },
     [](Scene& s) { expect_holdings(s, [](Holdings& h) { h.erase("keep_all"); }); }},
    {"TakeNextSample", nullptr,
     [](Scene& s) {
         Sample out;
         SampleInfo info;
         EXPECT_EQ(s.keep_all->take_next_sample(&out, info), RETCODE_OK);
         EXPECT_EQ(out.value, 10);
     },
     [](Scene& s) { expect_holdings(s, [](Holdings& h) { h["keep_all"] = {"2:20a"}; }); }},
};

// One attempt on a fresh scene, the operation's n-th allocation failing (n
// of -1: none). Answers whether the operation got as far as that allocation.
bool attempt(const Case& c, long n) {
    const long blocks = failing_allocations::live_blocks();
    bool reached = false;
    {
        Scene s;
        if (c.prepare) c.prepare(s);
        const auto before = s.fingerprint();
        const long heard = callbacks;
        bool failed = false;
        failing_allocations::fail_after(n);
        try {
            c.operation(s);
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        reached = n >= 0 && !failing_allocations::failure_pending();
        failing_allocations::fail_after(-1);
        if (failed) {
            EXPECT_EQ(s.fingerprint(), before) << "allocation " << n;
            EXPECT_EQ(callbacks, heard) << "allocation " << n;
            c.operation(s);
        }
        c.check(s);
    }
    if (n >= 0) {
        EXPECT_EQ(failing_allocations::live_blocks(), blocks) << "allocation " << n;
    }
    return reached;
}

class AllocationSweep : public ::testing::TestWithParam<Case> {};

TEST_P(AllocationSweep, AFailedOperationLeavesTheEngineAsItWas) {
    attempt(GetParam(), -1);  // the engine's lasting allocations are made once
    long n = 0;
    while (attempt(GetParam(), n) && !HasFailure()) ++n;
    if (!HasFailure()) {
        EXPECT_GT(n, 0);  // the operation allocates at all
    }
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, AllocationSweep, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sweep
