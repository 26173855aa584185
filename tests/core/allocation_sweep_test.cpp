// Out of memory inside an engine operation: for each operation, the first
// allocation inside it fails, then the second, and so on until it runs
// without a failure. A failed operation leaves the engine as it was (same
// fingerprint, no callback), can be retried, and every entity can still be
// deleted with nothing left allocated; the retried operation has exactly
// its usual effect on what the readers hold.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
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

DataWriterQos durable_qos() {
    DataWriterQos q;
    q.durability.kind = TRANSIENT_LOCAL_DURABILITY_QOS;
    q.history.depth = 2;
    return q;
}

DataReaderQos durable_keep_all_qos() {
    DataReaderQos q;
    q.reliability.kind = RELIABLE_RELIABILITY_QOS;
    q.durability.kind = TRANSIENT_LOCAL_DURABILITY_QOS;
    q.history.kind = KEEP_ALL_HISTORY_QOS;
    return q;
}

struct Listener final : DataReaderListener {};

void expect_holdings(Scene& s, const std::function<void(Holdings&)>& edit = nullptr) {
    Holdings want = Scene::as_built();
    if (edit) edit(want);
    EXPECT_EQ(s.take_all(), want);
}

void as_built(Scene& s) { expect_holdings(s); }

size_t matches(DataWriter* w) {
    std::vector<InstanceHandle_t> handles;
    EXPECT_EQ(w->get_matched_subscriptions(handles), RETCODE_OK);
    return handles.size();
}

size_t matches(DataReader* r) {
    std::vector<InstanceHandle_t> handles;
    EXPECT_EQ(r->get_matched_publications(handles), RETCODE_OK);
    return handles.size();
}

ReturnCode_t lend(Scene& s, bool take) {
    return take ? s.keep_all->take(s.loan, s.loan_infos, LENGTH_UNLIMITED, ANY_SAMPLE_STATE, ANY_VIEW_STATE,
                                   ANY_INSTANCE_STATE)
                : s.keep_all->read(s.loan, s.loan_infos, LENGTH_UNLIMITED, ANY_SAMPLE_STATE, ANY_VIEW_STATE,
                                   ANY_INSTANCE_STATE);
}

// Instance 1 holds `samples` in the KEEP_ALL readers: 10, then 11 on.
void grow_instance_1(Scene& s, int32_t samples) {
    for (int32_t v = 11; v < 10 + samples; ++v) s.write(s.durable, 1, v);
}

// What they hold once 74 is written there too.
void expect_grown_instance_1(Scene& s, int32_t samples) {
    expect_holdings(s, [&](Holdings& h) {
        for (int32_t v = 11; v < 10 + samples; ++v)
            for (const char* r : {"keep_all", "q_keep_all"}) h[r].push_back("1:" + std::to_string(v) + "a");
        for (const char* r : {"keep_all", "q_keep_all"}) h[r].push_back("1:74a");
        h["keep_last"] = {"2:20a", "5:50a", "1:74a"};
    });
}

// The readers of Readings: each holds what the durable writer wrote.
const char* const readings_readers[] = {"keep_all", "keep_last", "q_keep_all"};

const Case cases[] = {
    {"CreateParticipant", nullptr,
     [](Scene& s) {
         s.made_participant = factory()->create_participant(s.domain, PARTICIPANT_QOS_DEFAULT, nullptr, 0);
     },
     [](Scene& s) {
         EXPECT_NE(s.made_participant, nullptr);
         as_built(s);
     }},
    {"CreateParticipantInANewDomain", nullptr,
     [](Scene& s) {
         s.made_participant = factory()->create_participant(s.domain + 10000, PARTICIPANT_QOS_DEFAULT, nullptr, 0);
     },
     [](Scene& s) { EXPECT_EQ(factory()->lookup_participant(s.domain + 10000), s.made_participant); }},
    {"DeleteParticipant",
     [](Scene& s) {
         s.made_participant = factory()->create_participant(s.domain, PARTICIPANT_QOS_DEFAULT, nullptr, 0);
     },
     [](Scene& s) { EXPECT_EQ(factory()->delete_participant(s.made_participant), RETCODE_OK); },
     [](Scene& s) { EXPECT_EQ(s.made_participant, nullptr); }},
    {"CreateInconsistentTopic", nullptr,
     [](Scene& s) {
         s.made_topic = s.p->create_topic("Mixed", "Sample", TOPIC_QOS_DEFAULT, nullptr, 0);
         s.made_topic_references = 1;
     },
     [](Scene& s) {
         EXPECT_EQ(s.p->lookup_topicdescription("Mixed"), s.made_topic);
         InconsistentTopicStatus status;
         ASSERT_EQ(s.q_mixed->get_inconsistent_topic_status(status), RETCODE_OK);
         EXPECT_EQ(status.total_count, 1);
     }},
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
    {"CreateMatchingDataWriter", nullptr,
     [](Scene& s) { s.made_writer = s.pub->create_datawriter(s.readings, durable_qos(), nullptr, 0); },
     [](Scene& s) {
         EXPECT_EQ(matches(s.made_writer), 3u);
         EXPECT_EQ(matches(s.keep_all), 2u);
         as_built(s);
     }},
    {"CreateIncompatibleDataWriter", nullptr,
     [](Scene& s) {
         DataWriterQos best_effort;
         best_effort.reliability.kind = BEST_EFFORT_RELIABILITY_QOS;
         s.made_writer = s.pub->create_datawriter(s.readings, best_effort, nullptr, 0);
     },
     [](Scene& s) {
         EXPECT_EQ(matches(s.made_writer), 2u);
         RequestedIncompatibleQosStatus status;
         ASSERT_EQ(s.keep_all->get_requested_incompatible_qos_status(status), RETCODE_OK);
         EXPECT_EQ(status.total_count, 2);
     }},
    {"CreateDurableDataReader", nullptr,
     [](Scene& s) {
         s.made_reader = s.sub->create_datareader(s.readings, durable_keep_all_qos(), new Listener, STATUS_MASK_ALL);
     },
     [](Scene& s) {
         EXPECT_EQ(matches(s.made_reader), 1u);  // the best-effort writer is incompatible
         EXPECT_EQ(matches(s.durable), 4u);
         expect_holdings(s, [](Holdings& h) { h["made_reader"] = {"1:10a", "2:20a"}; });
     }},
    {"DeleteDataWriter", nullptr, [](Scene& s) { EXPECT_EQ(s.pub->delete_datawriter(s.durable), RETCODE_OK); },
     [](Scene& s) {
         expect_holdings(s, [](Holdings& h) {
             h["keep_all"] = {"1:10d", "2:20d"};
             h["keep_last"] = h["q_keep_all"] = {"1:10d", "2:20d", "5:50a"};
         });
     }},
    {"DeleteDataWriterOfAnotherParticipant", nullptr,
     [](Scene& s) { EXPECT_EQ(s.q_pub->delete_datawriter(s.q_best_effort), RETCODE_OK); },
     [](Scene& s) {
         expect_holdings(s, [](Holdings& h) { h["keep_last"] = h["q_keep_all"] = {"1:10a", "2:20a", "5:50d"}; });
     }},
    {"DeleteDataReader", nullptr,
     [](Scene& s) { EXPECT_EQ(s.sub_on_readers->delete_datareader(s.keep_last), RETCODE_OK); },
     [](Scene& s) {
         EXPECT_EQ(matches(s.durable), 2u);
         expect_holdings(s, [](Holdings& h) { h.erase("keep_last"); });
     }},
    {"DeleteContainedEntitiesOfASubscriber", nullptr,
     [](Scene& s) {
         EXPECT_EQ(s.sub->delete_contained_entities(), RETCODE_OK);
         s.keep_all = nullptr;
         s.condition = nullptr;
     },
     [](Scene& s) {
         EXPECT_EQ(matches(s.durable), 2u);
         expect_holdings(s, [](Holdings& h) { h.erase("keep_all"); });
     }},
    {"DeleteContainedEntitiesOfAPublisher", nullptr,
     [](Scene& s) {
         EXPECT_EQ(s.pub->delete_contained_entities(), RETCODE_OK);
         s.durable = nullptr;
     },
     [](Scene& s) {
         EXPECT_EQ(matches(s.keep_all), 0u);
         expect_holdings(s, [](Holdings& h) {
             h["keep_all"] = {"1:10d", "2:20d"};
             h["keep_last"] = h["q_keep_all"] = {"1:10d", "2:20d", "5:50a"};
         });
     }},
    {"DeleteContainedEntitiesOfAParticipant", nullptr,
     [](Scene& s) {
         EXPECT_EQ(s.q->delete_contained_entities(), RETCODE_OK);
         s.q_readings = s.q_mixed = s.q_only = nullptr;
         s.q_pub = nullptr;
         s.q_sub = nullptr;
         s.q_best_effort = nullptr;
         s.q_keep_all = nullptr;
         s.q_condition = nullptr;
     },
     [](Scene& s) {
         EXPECT_EQ(matches(s.durable), 2u);
         expect_holdings(s, [](Holdings& h) {
             h.erase("q_keep_all");
             h["keep_last"] = {"1:10a", "2:20a", "5:50d"};
         });
     }},
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
    {"WriteANewInstance", nullptr, [](Scene& s) { s.write(s.durable, 3, 30); },
     [](Scene& s) {
         expect_holdings(s, [](Holdings& h) {
             for (const char* r : readings_readers) h[r].push_back("3:30a");
         });
     }},
    // The sample index of a KEEP_ALL instance grows by blocks: one case
    // where an index of 63 samples took a block, one where it doubles.
    {"WriteWhereAKeepAllInstanceGrows", [](Scene& s) { grow_instance_1(s, 63); },
     [](Scene& s) { s.write(s.durable, 1, 74); }, [](Scene& s) { expect_grown_instance_1(s, 63); }},
    {"WriteWhereAKeepAllInstanceDoubles", [](Scene& s) { grow_instance_1(s, 64); },
     [](Scene& s) { s.write(s.durable, 1, 74); }, [](Scene& s) { expect_grown_instance_1(s, 64); }},
    {"WriteWithAHandle",
     [](Scene& s) {
         const Sample key = Scene::sample(4, 0);
         s.handle = s.durable->register_instance(&key);
     },
     [](Scene& s) { s.write(s.durable, 4, 40, s.handle); },
     [](Scene& s) {
         expect_holdings(s, [](Holdings& h) {
             for (const char* r : readings_readers) h[r].push_back("4:40a");
         });
     }},
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
    {"Dispose", nullptr,
     [](Scene& s) {
         const Sample key = Scene::sample(1, 0);
         EXPECT_EQ(s.durable->dispose(&key, HANDLE_NIL), RETCODE_OK);
     },
     [](Scene& s) {
         expect_holdings(s, [](Holdings& h) {
             for (const char* r : readings_readers) h[r][0] = "1:10d";
         });
     }},
    {"UnregisterInstance", nullptr,
     [](Scene& s) {
         const Sample key = Scene::sample(2, 0);
         EXPECT_EQ(s.durable->unregister_instance(&key, HANDLE_NIL), RETCODE_OK);
     },
     [](Scene& s) {
         expect_holdings(s, [](Holdings& h) {
             for (const char* r : readings_readers) h[r][1] = "2:20d";
         });
     }},
    {"UnregisterAReadInstance",
     [](Scene& s) {
         s.take_all();
         s.write(s.durable, 2, 21);
         ASSERT_EQ(lend(s, false), RETCODE_OK);  // read, so the instance has no unread sample
         ASSERT_EQ(s.keep_all->return_loan(s.loan, s.loan_infos), RETCODE_OK);
         s.loan.length(0);
     },
     [](Scene& s) {
         const Sample key = Scene::sample(2, 0);
         EXPECT_EQ(s.durable->unregister_instance(&key, HANDLE_NIL), RETCODE_OK);
     },
     [](Scene& s) { EXPECT_EQ(s.take_all(), (Holdings{{"keep_all", {"2:21d", "2:-d"}}, {"keep_last", {"2:21d"}},
                                                     {"q_keep_all", {"2:21d"}}})); }},
    {"SetListener", nullptr,
     [](Scene& s) { EXPECT_EQ(s.keep_all->set_listener(new Listener, STATUS_MASK_ALL), RETCODE_OK); },
     [](Scene& s) { EXPECT_NE(s.keep_all->get_listener(), nullptr); }},
    {"SetQosMovesASubscriberToAnotherPartition", nullptr,
     [](Scene& s) {
         SubscriberQos elsewhere;
         elsewhere.partition.name = {"elsewhere"};
         EXPECT_EQ(s.sub->set_qos(elsewhere), RETCODE_OK);
     },
     [](Scene& s) {
         EXPECT_EQ(matches(s.durable), 2u);
         expect_holdings(s, [](Holdings& h) { h["keep_all"] = {"1:10n", "2:20n"}; });
     }},
    {"EnableAPublisherWithWriters",
     [](Scene& s) {
         DomainParticipantQos hold_back;
         hold_back.entity_factory.autoenable_created_entities = false;
         s.made_participant = factory()->create_participant(s.domain, hold_back, nullptr, 0);
         const TypeDescriptor type = ZORVEX_KEYED_TYPE(Sample, key);
         ASSERT_EQ(s.made_participant->register_type("Sample", &type), RETCODE_OK);
         Topic* t = s.made_participant->create_topic("Readings", "Sample", TOPIC_QOS_DEFAULT, nullptr, 0);
         Publisher* held = s.made_participant->create_publisher(PUBLISHER_QOS_DEFAULT, nullptr, 0);
         for (int i = 0; i < 2; ++i) held->create_datawriter(t, durable_qos(), nullptr, 0);
         s.made_pub = held;
     },
     [](Scene& s) { EXPECT_EQ(s.made_pub->enable(), RETCODE_OK); },
     [](Scene& s) {
         EXPECT_EQ(matches(s.keep_all), 3u);
         as_built(s);
         EXPECT_EQ(s.made_participant->delete_contained_entities(), RETCODE_OK);
         s.made_pub = nullptr;
     }},
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
    // Deletes that release only a few entities keep them in place and
    // allocate nothing: the first attempt then finds no allocation to fail.
    long n = 0;
    while (attempt(GetParam(), n) && !HasFailure()) ++n;
}

// The sweep above stops at the first attempt whose allocation never came:
// it sees the operations' allocations only if the failure really happens.
TEST(AllocationSweep, FailsTheAllocationAskedFor) {
    failing_allocations::fail_after(1);
    auto first = std::make_unique<int>(1);
    EXPECT_THROW(std::make_unique<int>(2), std::bad_alloc);
    EXPECT_FALSE(failing_allocations::failure_pending());
    failing_allocations::fail_after(-1);
    EXPECT_EQ(*first, 1);
}

INSTANTIATE_TEST_SUITE_P(EveryOperation, AllocationSweep, ::testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sweep
