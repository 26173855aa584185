#include "allocation_scene.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>

namespace sweep {

using namespace ZORVEX;

long callbacks = 0;

namespace {

struct Counting final : DomainParticipantListener {
    void on_liveliness_lost(DataWriter*, const LivelinessLostStatus&) override { ++callbacks; }
    void on_offered_deadline_missed(DataWriter*, const OfferedDeadlineMissedStatus&) override { ++callbacks; }
    void on_offered_incompatible_qos(DataWriter*, const OfferedIncompatibleQosStatus&) override { ++callbacks; }
    void on_publication_matched(DataWriter*, const PublicationMatchedStatus&) override { ++callbacks; }
    void on_data_available(DataReader*) override { ++callbacks; }
    void on_sample_rejected(DataReader*, const SampleRejectedStatus&) override { ++callbacks; }
    void on_liveliness_changed(DataReader*, const LivelinessChangedStatus&) override { ++callbacks; }
    void on_requested_deadline_missed(DataReader*, const RequestedDeadlineMissedStatus&) override { ++callbacks; }
    void on_requested_incompatible_qos(DataReader*, const RequestedIncompatibleQosStatus&) override {
        ++callbacks;
    }
    void on_subscription_matched(DataReader*, const SubscriptionMatchedStatus&) override { ++callbacks; }
    void on_sample_lost(DataReader*, const SampleLostStatus&) override { ++callbacks; }
    void on_data_on_readers(Subscriber*) override { ++callbacks; }
    void on_inconsistent_topic(Topic*, const InconsistentTopicStatus&) override { ++callbacks; }
};

DomainId_t fresh_domain() {
    static DomainId_t next = 700;
    return next++;
}

DomainParticipantFactory* factory() { return DomainParticipantFactory::get_instance(); }

// Deletes the child in each slot that still holds one, through its parent.
template <class Parent, class Child>
void delete_each(std::initializer_list<std::pair<Parent*, Child**>> slots, ReturnCode_t (Parent::*remove)(Child*&)) {
    for (auto [parent, child] : slots)
        if (*child != nullptr) {
            EXPECT_EQ((parent->*remove)(*child), RETCODE_OK);
        }
}

DataWriterQos durable_writer_qos() {
    DataWriterQos q;
    q.durability.kind = TRANSIENT_LOCAL_DURABILITY_QOS;
    q.history.depth = 2;
    return q;
}

DataReaderQos reader_qos(ReliabilityQosPolicyKind reliability, HistoryQosPolicyKind history) {
    DataReaderQos q;
    q.reliability.kind = reliability;
    q.history.kind = history;
    if (reliability == RELIABLE_RELIABILITY_QOS) q.durability.kind = TRANSIENT_LOCAL_DURABILITY_QOS;
    return q;
}

std::string handle_text(const InstanceHandle_t& h) {
    uint64_t serial;
    std::memcpy(&serial, h.value, sizeof serial);
    return h.valid ? std::to_string(serial) : "nil";
}

// An endpoint's matches and the handles of instances 1 to 6.
template <class E>
std::string endpoint_line(const char* kind, E* e, ReturnCode_t (E::*matches_of)(std::vector<InstanceHandle_t>&)) {
    std::vector<InstanceHandle_t> matched;
    EXPECT_EQ((e->*matches_of)(matched), RETCODE_OK);
    std::string line = std::string(kind) + " matches";
    for (const auto& h : matched) line += " " + handle_text(h);
    line += " instances";
    for (int32_t id = 1; id <= 6; ++id) {
        const Sample s = Scene::sample(id, 0);
        line += " " + handle_text(e->lookup_instance(&s));
    }
    return line;
}

std::string entry(const Sample& s, const SampleInfo& info) {
    const char state = info.instance_state == ALIVE_INSTANCE_STATE               ? 'a'
                       : info.instance_state == NOT_ALIVE_DISPOSED_INSTANCE_STATE ? 'd'
                                                                                  : 'n';
    return std::to_string(s.key.id) + ":" + (info.valid_data ? std::to_string(s.value) : "-") + state;
}

}  // namespace

Sample Scene::sample(int32_t id, int32_t value) {
    Sample s{};
    s.key.id = id;
    s.key.tag[3] = 7;
    s.value = value;
    return s;
}

InstanceHandle_t Scene::write(DataWriter* w, int32_t id, int32_t value, const InstanceHandle_t& h) {
    const Sample s = sample(id, value);
    EXPECT_EQ(w->write(&s, h), RETCODE_OK);
    return h;
}

Scene::Scene() : domain(fresh_domain()) {
    const StatusMask all_but_on_readers = STATUS_MASK_ALL & ~DATA_ON_READERS_STATUS;
    p = factory()->create_participant(domain, PARTICIPANT_QOS_DEFAULT, new Counting, all_but_on_readers);
    q = factory()->create_participant(domain, PARTICIPANT_QOS_DEFAULT, nullptr, 0);
    const TypeDescriptor type = ZORVEX_KEYED_TYPE(Sample, key);
    const TypeDescriptor other = ZORVEX_UNKEYED_TYPE(int32_t);
    EXPECT_EQ(p->register_type("Sample", &type), RETCODE_OK);
    EXPECT_EQ(q->register_type("Sample", &type), RETCODE_OK);
    EXPECT_EQ(q->register_type("Other", &other), RETCODE_OK);
    readings = p->create_topic("Readings", "Sample", TOPIC_QOS_DEFAULT, new Counting, STATUS_MASK_ALL);
    spare_topic = p->create_topic("Spare", "Sample", TOPIC_QOS_DEFAULT, nullptr, 0);
    q_readings = q->create_topic("Readings", "Sample", TOPIC_QOS_DEFAULT, nullptr, 0);
    q_mixed = q->create_topic("Mixed", "Other", TOPIC_QOS_DEFAULT, new Counting, STATUS_MASK_ALL);
    q_only = q->create_topic("OnlyQ", "Sample", TOPIC_QOS_DEFAULT, nullptr, 0);
    filtered = p->create_contentfilteredtopic("Filtered", readings, "id > %0", {"1"});
    pub = p->create_publisher(PUBLISHER_QOS_DEFAULT, new Counting, STATUS_MASK_ALL);
    empty_pub = p->create_publisher(PUBLISHER_QOS_DEFAULT, nullptr, 0);
    sub = p->create_subscriber(SUBSCRIBER_QOS_DEFAULT, nullptr, 0);
    sub_on_readers = p->create_subscriber(SUBSCRIBER_QOS_DEFAULT, new Counting, DATA_ON_READERS_STATUS);
    empty_sub = p->create_subscriber(SUBSCRIBER_QOS_DEFAULT, nullptr, 0);
    q_pub = q->create_publisher(PUBLISHER_QOS_DEFAULT, nullptr, 0);
    q_sub = q->create_subscriber(SUBSCRIBER_QOS_DEFAULT, nullptr, 0);
    durable = pub->create_datawriter(readings, durable_writer_qos(), new Counting, STATUS_MASK_ALL);
    DataWriterQos best_effort;
    best_effort.reliability.kind = BEST_EFFORT_RELIABILITY_QOS;
    q_best_effort = q_pub->create_datawriter(q_readings, best_effort, nullptr, 0);
    keep_all = sub->create_datareader(readings, reader_qos(RELIABLE_RELIABILITY_QOS, KEEP_ALL_HISTORY_QOS),
                                      new Counting, STATUS_MASK_ALL);
    keep_last = sub_on_readers->create_datareader(
        readings, reader_qos(BEST_EFFORT_RELIABILITY_QOS, KEEP_LAST_HISTORY_QOS), nullptr, 0);
    q_keep_all = q_sub->create_datareader(
        q_readings, reader_qos(BEST_EFFORT_RELIABILITY_QOS, KEEP_ALL_HISTORY_QOS), nullptr, 0);
    condition = keep_all->create_readcondition(ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
    q_condition =
        q_keep_all->create_querycondition(NOT_READ_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE, "id > 0", {});
    write(durable, 1, 10);
    write(durable, 2, 20);
    write(q_best_effort, 5, 50);
}

Holdings Scene::as_built() {
    return {{"keep_all", {"1:10a", "2:20a"}},
            {"keep_last", {"1:10a", "2:20a", "5:50a"}},
            {"q_keep_all", {"1:10a", "2:20a", "5:50a"}}};
}

std::vector<std::string> describe(LoanSequence<void*>& data, LoanSequence<SampleInfo>& infos) {
    std::vector<std::string> out;
    for (int i = 0; i < data.length(); ++i) out.push_back(entry(*static_cast<Sample*>(data[i]), infos[i]));
    return out;
}

Holdings Scene::take_all() {
    Holdings held;
    const std::pair<const char*, DataReader*> readers[] = {
        {"keep_all", keep_all}, {"keep_last", keep_last}, {"q_keep_all", q_keep_all}, {"made_reader", made_reader}};
    for (auto [name, r] : readers) {
        if (r == nullptr) continue;
        LoanSequence<void*> data;
        LoanSequence<SampleInfo> infos;
        const ReturnCode_t rc =
            r->take(data, infos, LENGTH_UNLIMITED, ANY_SAMPLE_STATE, ANY_VIEW_STATE, ANY_INSTANCE_STATE);
        if (rc == RETCODE_NO_DATA) continue;
        EXPECT_EQ(rc, RETCODE_OK) << name;
        held[name] = describe(data, infos);
        EXPECT_EQ(r->return_loan(data, infos), RETCODE_OK);
    }
    return held;
}

std::vector<std::string> Scene::fingerprint() const {
    std::vector<std::string> out;
    const std::pair<const char*, DomainParticipant*> participants[] = {
        {"p", p}, {"q", q}, {"made_participant", made_participant}};
    const char* names[] = {"Readings", "Spare", "Mixed", "OnlyQ", "Filtered", "Made"};
    for (auto [label, participant] : participants) {
        if (participant == nullptr) continue;
        std::string line = label;
        for (const char* name : names) line += participant->lookup_topicdescription(name) ? " +" : " -";
        std::vector<InstanceHandle_t> handles;
        EXPECT_EQ(participant->get_discovered_participants(handles), RETCODE_OK);
        line += " participants " + std::to_string(handles.size());
        EXPECT_EQ(participant->get_discovered_topics(handles), RETCODE_OK);
        line += " topics " + std::to_string(handles.size());
        out.push_back(line);
    }
    Entity* entities[] = {p, q, made_participant, readings, q_readings, q_mixed, q_only, spare_topic, made_topic,
                          pub, q_pub, empty_pub, made_pub, sub, sub_on_readers, q_sub, empty_sub, made_sub,
                          durable, q_best_effort, made_writer, keep_all, keep_last, q_keep_all, made_reader};
    for (Entity* e : entities) {
        if (e == nullptr) continue;
        const InstanceHandle_t h = e->get_instance_handle();
        out.push_back("entity " + handle_text(h) + " changes " + std::to_string(e->get_status_changes()) +
                      " in p " + std::to_string(p && p->contains_entity(h)) + " in q " +
                      std::to_string(q && q->contains_entity(h)));
    }
    for (DataWriter* w : {durable, q_best_effort, made_writer})
        if (w != nullptr) out.push_back(endpoint_line("writer", w, &DataWriter::get_matched_subscriptions));
    for (DataReader* r : {keep_all, keep_last, q_keep_all, made_reader})
        if (r != nullptr) out.push_back(endpoint_line("reader", r, &DataReader::get_matched_publications));
    // The readers holding samples of each kind, as the subscribers list them.
    for (Subscriber* x : {sub, sub_on_readers, q_sub, empty_sub, made_sub}) {
        if (x == nullptr) continue;
        std::string line = "subscriber";
        for (InstanceStateMask instances : {ALIVE_INSTANCE_STATE, NOT_ALIVE_DISPOSED_INSTANCE_STATE,
                                            NOT_ALIVE_NO_WRITERS_INSTANCE_STATE})
            for (ViewStateMask views : {NEW_VIEW_STATE, NOT_NEW_VIEW_STATE})
                for (SampleStateMask samples : {READ_SAMPLE_STATE, NOT_READ_SAMPLE_STATE}) {
                    std::vector<DataReader*> readers;
                    EXPECT_EQ(x->get_datareaders(readers, samples, views, instances), RETCODE_OK);
                    line += " " + std::to_string(readers.size());
                }
        out.push_back(line);
    }
    for (ReadCondition* c : {condition, q_condition, made_condition})
        if (c != nullptr) out.push_back(std::string("condition ") + (c->get_trigger_value() ? "on" : "off"));
    return out;
}

Scene::~Scene() { delete_all(); }

// Readers go before the writers they matched, so a writer that still lists
// a deleted reader shows at once.
void Scene::delete_all() {
    if (loan.length() > 0) {
        EXPECT_EQ(keep_all->return_loan(loan, loan_infos), RETCODE_OK);
    }
    const std::pair<DataReader*&, ReadCondition*&> conditions[] = {
        {keep_all, condition}, {keep_all, made_condition}, {q_keep_all, q_condition}};
    for (auto& [r, c] : conditions) {
        if (c == nullptr) continue;
        EXPECT_EQ(r->delete_readcondition(c), RETCODE_OK);
        c = nullptr;
    }
    delete_each({{sub, &keep_all}, {sub, &made_reader}, {sub_on_readers, &keep_last}, {q_sub, &q_keep_all}},
                &Subscriber::delete_datareader);
    delete_each({{pub, &durable}, {pub, &made_writer}, {q_pub, &q_best_effort}}, &Publisher::delete_datawriter);
    delete_each({{p, &pub}, {p, &empty_pub}, {p, &made_pub}, {q, &q_pub}}, &DomainParticipant::delete_publisher);
    delete_each({{p, &sub}, {p, &sub_on_readers}, {p, &empty_sub}, {p, &made_sub}, {q, &q_sub}},
                &DomainParticipant::delete_subscriber);
    delete_each({{p, &filtered}, {p, &made_filtered}}, &DomainParticipant::delete_contentfilteredtopic);
    for (; made_topic_references > 0; --made_topic_references) {
        Topic* t = made_topic;
        EXPECT_EQ(p->delete_topic(t), RETCODE_OK);
    }
    delete_each({{p, &readings}, {p, &spare_topic}, {q, &q_readings}, {q, &q_mixed}, {q, &q_only}},
                &DomainParticipant::delete_topic);
    // A participant left with children the slots do not know is an error; it
    // is still torn down, so what those children hold is touched too.
    for (DomainParticipant** x : {&made_participant, &p, &q}) {
        if (*x == nullptr) continue;
        const ReturnCode_t rc = factory()->delete_participant(*x);
        EXPECT_EQ(rc, RETCODE_OK);
        if (rc == RETCODE_OK) continue;
        (*x)->delete_contained_entities();
        factory()->delete_participant(*x);
    }
}

}  // namespace sweep
