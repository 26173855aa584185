// A participant on a domain of its own with a keyed sample type, and helpers
// to make endpoints and to take what a reader holds.
#ifndef TESTS_CORE_ENGINE_FIXTURE_H
#define TESTS_CORE_ENGINE_FIXTURE_H

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <vector>

#include "loan_sequence.h"
#include "zorvex/zorvex.h"

struct Sample {
    int32_t id;  // the key
    int32_t value;
    char text[8];
};

inline Sample sample(int32_t id, int32_t value) {
    Sample s{};
    s.id = id;
    s.value = value;
    return s;
}

struct Received {
    Sample data;
    ZORVEX::SampleInfo info;
};

inline ZORVEX::DomainId_t fresh_domain() {
    static std::atomic<ZORVEX::DomainId_t> next{100};
    return next++;
}

inline ZORVEX::DomainParticipantFactory* factory() { return ZORVEX::DomainParticipantFactory::get_instance(); }

// Reads or takes in the masks, copies out and returns the loan.
inline std::vector<Received> drain(ZORVEX::DataReader* r, bool take = true,
                                   ZORVEX::SampleStateMask sm = ZORVEX::ANY_SAMPLE_STATE,
                                   ZORVEX::ViewStateMask vm = ZORVEX::ANY_VIEW_STATE,
                                   ZORVEX::InstanceStateMask im = ZORVEX::ANY_INSTANCE_STATE) {
    LoanSequence<void*> data;
    LoanSequence<ZORVEX::SampleInfo> infos;
    const auto rc = take ? r->take(data, infos, ZORVEX::LENGTH_UNLIMITED, sm, vm, im)
                         : r->read(data, infos, ZORVEX::LENGTH_UNLIMITED, sm, vm, im);
    std::vector<Received> out;
    if (rc != ZORVEX::RETCODE_OK) {
        EXPECT_EQ(rc, ZORVEX::RETCODE_NO_DATA);
        return out;
    }
    for (int i = 0; i < data.length(); ++i) {
        Received got;
        std::memcpy(&got.data, data[i], sizeof(Sample));
        got.info = infos[i];
        out.push_back(got);
    }
    EXPECT_EQ(r->return_loan(data, infos), ZORVEX::RETCODE_OK);
    return out;
}

inline std::vector<int32_t> values_of(const std::vector<Received>& got) {
    std::vector<int32_t> v;
    for (const auto& g : got) v.push_back(g.data.value);
    return v;
}


class Engine : public ::testing::Test {
protected:
    using WriterQosEdit = std::function<void(ZORVEX::DataWriterQos&)>;
    using ReaderQosEdit = std::function<void(ZORVEX::DataReaderQos&)>;

    void SetUp() override {
        domain = fresh_domain();
        participant = join(domain);
        topic = participant->create_topic("Readings", "Sample", ZORVEX::TOPIC_QOS_DEFAULT, nullptr, 0);
        ASSERT_NE(topic, nullptr);
        publisher = participant->create_publisher(ZORVEX::PUBLISHER_QOS_DEFAULT, nullptr, 0);
        subscriber = participant->create_subscriber(ZORVEX::SUBSCRIBER_QOS_DEFAULT, nullptr, 0);
    }

    void TearDown() override {
        for (ZORVEX::DomainParticipant* p : participants) {
            EXPECT_EQ(p->delete_contained_entities(), ZORVEX::RETCODE_OK);
            EXPECT_EQ(factory()->delete_participant(p), ZORVEX::RETCODE_OK);
        }
    }

    // A participant on `d` with the sample type registered.
    ZORVEX::DomainParticipant* join(ZORVEX::DomainId_t d) {
        auto* p = factory()->create_participant(d, ZORVEX::PARTICIPANT_QOS_DEFAULT, nullptr, 0);
        const ZORVEX::TypeDescriptor type = ZORVEX_KEYED_TYPE(Sample, id);
        EXPECT_EQ(p->register_type("Sample", &type), ZORVEX::RETCODE_OK);
        participants.push_back(p);
        return p;
    }

    ZORVEX::DataWriter* writer(const WriterQosEdit& edit = nullptr, ZORVEX::DataWriterListener* listener = nullptr,
                               ZORVEX::StatusMask mask = 0) {
        ZORVEX::DataWriterQos qos;
        if (edit) edit(qos);
        return publisher->create_datawriter(topic, qos, listener, mask);
    }

    // Readers keep all samples unless `edit` says otherwise.
    ZORVEX::DataReader* reader(const ReaderQosEdit& edit = nullptr, ZORVEX::DataReaderListener* listener = nullptr,
                               ZORVEX::StatusMask mask = 0) {
        ZORVEX::DataReaderQos qos;
        qos.history.kind = ZORVEX::KEEP_ALL_HISTORY_QOS;
        if (edit) edit(qos);
        return subscriber->create_datareader(topic, qos, listener, mask);
    }

    static ZORVEX::ReturnCode_t write(ZORVEX::DataWriter* w, int32_t id, int32_t value) {
        const Sample s = sample(id, value);
        return w->write(&s, ZORVEX::HANDLE_NIL);
    }

    ZORVEX::DomainId_t domain = 0;
    std::vector<ZORVEX::DomainParticipant*> participants;
    ZORVEX::DomainParticipant* participant = nullptr;
    ZORVEX::Topic* topic = nullptr;
    ZORVEX::Publisher* publisher = nullptr;
    ZORVEX::Subscriber* subscriber = nullptr;
};

#endif
