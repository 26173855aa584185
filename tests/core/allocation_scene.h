// A small domain with an entity of every kind, for the allocation sweep: two
// participants, matching and incompatible endpoints, durable data, listeners
// everywhere, conditions. Every entity sits in a named slot; an operation
// that deletes one clears its slot, one that makes one fills a `made_` slot.
#ifndef TESTS_CORE_ALLOCATION_SCENE_H
#define TESTS_CORE_ALLOCATION_SCENE_H

#include <map>
#include <string>
#include <vector>

#include "loan_sequence.h"
#include "zorvex/zorvex.h"

namespace sweep {

// The key is longer than a string's inline buffer, so every key copy allocates.
struct Key {
    int32_t id;
    int32_t tag[4];
};

struct Sample {
    Key key;
    int32_t value;
};

// Every callback counts; nothing in a callback allocates.
extern long callbacks;

// What the readers hold, by reader name: "id:value" and the instance state
// (a alive, d disposed, n no writers), "id:-" for a sample without data.
using Holdings = std::map<std::string, std::vector<std::string>>;

struct Scene {
    Scene();   // builds the domain, with data written
    ~Scene();  // deletes every entity left in a slot, expecting success

    // The state an operation must leave alone when it fails: matches,
    // status changes, instances, topics and entities, as text.
    std::vector<std::string> fingerprint() const;
    // Takes everything from every reader, returns the loans.
    Holdings take_all();
    // What take_all answers for the scene as built.
    static Holdings as_built();

    ZORVEX::InstanceHandle_t write(ZORVEX::DataWriter* w, int32_t id, int32_t value,
                                   const ZORVEX::InstanceHandle_t& handle = ZORVEX::HANDLE_NIL);
    static Sample sample(int32_t id, int32_t value);

    ZORVEX::DomainId_t domain;
    ZORVEX::DomainParticipant *p = nullptr, *q = nullptr;
    ZORVEX::Topic *readings = nullptr, *q_readings = nullptr, *q_mixed = nullptr, *q_only = nullptr;
    ZORVEX::Topic* spare_topic = nullptr;  // a topic of p that nothing uses
    ZORVEX::ContentFilteredTopic* filtered = nullptr;
    ZORVEX::Publisher *pub = nullptr, *q_pub = nullptr;
    ZORVEX::Subscriber *sub = nullptr, *sub_on_readers = nullptr, *q_sub = nullptr;
    ZORVEX::Publisher* empty_pub = nullptr;
    ZORVEX::Subscriber* empty_sub = nullptr;
    ZORVEX::DataWriter* durable = nullptr;  // reliable, transient local, keeps 2 per instance
    ZORVEX::DataWriter* q_best_effort = nullptr;
    ZORVEX::DataReader* keep_all = nullptr;     // reliable, transient local, KEEP_ALL, own listener
    ZORVEX::DataReader* keep_last = nullptr;    // best effort, depth 1
    ZORVEX::DataReader* q_keep_all = nullptr;   // best effort, KEEP_ALL, with a query condition
    ZORVEX::ReadCondition* condition = nullptr;       // on keep_all
    ZORVEX::ReadCondition* q_condition = nullptr;     // a query condition on q_keep_all

    ZORVEX::DomainParticipant* made_participant = nullptr;
    ZORVEX::Topic* made_topic = nullptr;  // of p
    int made_topic_references = 0;        // how often it was made or found
    ZORVEX::ContentFilteredTopic* made_filtered = nullptr;
    ZORVEX::Publisher* made_pub = nullptr;
    ZORVEX::Subscriber* made_sub = nullptr;
    ZORVEX::DataWriter* made_writer = nullptr;  // of pub
    ZORVEX::DataReader* made_reader = nullptr;  // of sub
    ZORVEX::ReadCondition* made_condition = nullptr;  // of keep_all
    ZORVEX::InstanceHandle_t handle = ZORVEX::HANDLE_NIL;

    LoanSequence<void*> loan;  // lent by keep_all
    LoanSequence<ZORVEX::SampleInfo> loan_infos;

private:
    void delete_all();
};

// "id:value" and state letter, as Holdings lists samples.
std::vector<std::string> describe(LoanSequence<void*>& data, LoanSequence<ZORVEX::SampleInfo>& infos);

}  // namespace sweep

#endif
