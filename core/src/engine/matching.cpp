#include "engine/matching.h"

#include <algorithm>

#include "common/clock.h"
#include "engine/lock.h"
#include "engine/participant.h"
#include "engine/plan.h"
#include "engine/publisher.h"
#include "engine/qos_rules.h"
#include "engine/reader.h"
#include "engine/statuses.h"
#include "engine/subscriber.h"
#include "engine/topic.h"
#include "engine/writer.h"

namespace ZORVEX::engine {

namespace {

template <class T>
bool contains(const std::vector<T*>& v, const T* x) {
    return std::find(v.begin(), v.end(), x) != v.end();
}

template <class T>
void remove(std::vector<T*>& v, const T* x) {
    v.erase(std::remove(v.begin(), v.end(), x), v.end());
}

enum class Verdict { unrelated, incompatible, matched };

Verdict judge(const WriterImpl& w, const ReaderImpl& r, std::vector<QosPolicyId_t>& policies) {
    if (!w.enabled_ || !r.enabled_ || w.deleted_ || r.deleted_) return Verdict::unrelated;
    if (&w.publisher_.participant_.domain_ != &r.subscriber_.participant_.domain_) return Verdict::unrelated;
    if (w.topic_.name_ != r.topic_.name_ || w.topic_.type_name_ != r.topic_.type_name_ ||
        !same_layout(w.topic_.type_, r.topic_.type_))
        return Verdict::unrelated;
    if (!qos::partitions_meet(w.publisher_.qos_.partition, r.subscriber_.qos_.partition))
        return Verdict::unrelated;
    policies = qos::incompatible_policies(w.qos_, w.publisher_.qos_, r.qos_, r.subscriber_.qos_);
    return policies.empty() ? Verdict::matched : Verdict::incompatible;
}

template <class Status>
void count_policies(Status& s, const std::vector<QosPolicyId_t>& policies) {
    ++s.total_count;
    ++s.total_count_change;
    s.last_policy_id = policies.back();
    for (QosPolicyId_t id : policies) {
        auto it = std::find_if(s.policies.begin(), s.policies.end(),
                               [id](const QosPolicyCount& c) { return c.policy_id == id; });
        if (it == s.policies.end())
            it = s.policies.insert(
                std::upper_bound(s.policies.begin(), s.policies.end(), id,
                                 [](QosPolicyId_t i, const QosPolicyCount& c) { return i < c.policy_id; }),
                QosPolicyCount{id, 0});
        ++it->count;
    }
}

// What settling one writer-reader pair changes, found while the plan is
// made, with room for it already made.
struct Pairing {
    Pairing(WriterImpl& writer, ReaderImpl& reader) : w(&writer), r(&reader) {}

    WriterImpl* w;
    ReaderImpl* r;
    Verdict verdict = Verdict::unrelated;
    bool matched = false;  // before the change
    bool counted = false;  // as incompatible, before the change
    std::vector<QosPolicyId_t> policies;
    OfferedIncompatibleQosStatus offered;  // room for the statuses the listeners hear
    RequestedIncompatibleQosStatus requested;
    WriterImpl::Replay replay;  // the writer's durable samples, for a durable reader

    bool connects() const { return verdict == Verdict::matched && !matched; }
    bool disconnects() const { return verdict != Verdict::matched && matched; }
    bool counts() const { return verdict == Verdict::incompatible && !counted; }
    bool uncounts() const { return verdict != Verdict::incompatible && counted; }
};

// The calls a match or an unmatch queues: three statuses, and new data.
constexpr size_t calls_per_match = 4;

void connect(WriterImpl& w, ReaderImpl& r, const WriterImpl::Replay& replay, Deferred& after) noexcept {
    w.matched_.push_back(&r);
    r.matched_.push_back(&w);
    auto& ws = w.matched_status_;
    ++ws.total_count, ++ws.total_count_change, ++ws.current_count, ++ws.current_count_change;
    ws.last_subscription_handle = r.handle_;
    raise(w, PUBLICATION_MATCHED_STATUS, ws, &DataWriterListener::on_publication_matched, after);
    auto& rs = r.matched_status_;
    ++rs.total_count, ++rs.total_count_change, ++rs.current_count, ++rs.current_count_change;
    rs.last_publication_handle = w.handle_;
    raise(r, SUBSCRIPTION_MATCHED_STATUS, rs, &DataReaderListener::on_subscription_matched, after);
    auto& live = r.liveliness_status_;
    ++live.alive_count, ++live.alive_count_change;
    live.last_publication_handle = w.handle_;
    raise(r, LIVELINESS_CHANGED_STATUS, live, &DataReaderListener::on_liveliness_changed, after);
    w.replay_to(r, replay, after);
}

// A deleted reader's history is never read again: it is not told.
void disconnect(WriterImpl& w, ReaderImpl& r, Deferred& after) noexcept {
    remove(w.matched_, &r);
    remove(r.matched_, &w);
    auto& ws = w.matched_status_;
    --ws.current_count, --ws.current_count_change;
    ws.last_subscription_handle = r.handle_;
    raise(w, PUBLICATION_MATCHED_STATUS, ws, &DataWriterListener::on_publication_matched, after);
    auto& rs = r.matched_status_;
    --rs.current_count, --rs.current_count_change;
    rs.last_publication_handle = w.handle_;
    raise(r, SUBSCRIPTION_MATCHED_STATUS, rs, &DataReaderListener::on_subscription_matched, after);
    auto& live = r.liveliness_status_;
    --live.alive_count, --live.alive_count_change;
    live.last_publication_handle = w.handle_;
    raise(r, LIVELINESS_CHANGED_STATUS, live, &DataReaderListener::on_liveliness_changed, after);
    if (!r.deleted_ && r.history_.writer_gone(w.handle_, clock_now())) data_arrived({&r}, after);
    room_was_freed();  // a writer held back by this reader need not wait for it any more
}

// Works out what settle() changes for the pair and makes room for it.
void plan_settle(WriterImpl& w, ReaderImpl& r, std::vector<Pairing>& pairings, Plan& plan) {
    Pairing p(w, r);
    p.verdict = judge(w, r, p.policies);
    p.matched = contains(w.matched_, &r);
    p.counted = contains(w.incompatible_, &r);
    if (!p.connects() && !p.disconnects() && !p.counts() && !p.uncounts()) return;
    size_t calls = 0;
    if (p.connects()) {
        plan.room(w.matched_, 1);
        plan.room(r.matched_, 1);
        calls += calls_per_match;
        if (w.qos_.durability.kind >= TRANSIENT_LOCAL_DURABILITY_QOS &&
            r.qos_.durability.kind >= TRANSIENT_LOCAL_DURABILITY_QOS) {
            p.replay = w.durable_samples();
            w.prepare_replay(r, p.replay, plan);
        }
    }
    if (p.disconnects()) {
        calls += calls_per_match;
        if (!r.deleted_) {
            plan.room_in(r);
            r.history_.prepare_writer_gone(w.handle_);
        }
    }
    if (p.counts()) {
        plan.room(w.incompatible_, 1);
        plan.room(r.incompatible_, 1);
        plan.room(w.incompatible_status_.policies, p.policies.size());
        plan.room(r.incompatible_status_.policies, p.policies.size());
        p.offered.policies.reserve(w.incompatible_status_.policies.capacity());
        p.requested.policies.reserve(r.incompatible_status_.policies.capacity());
        calls += 2;
    }
    plan.after().reserve(calls, 0);
    pairings.push_back(std::move(p));
}

void settle(Pairing& p, Deferred& after) noexcept {
    WriterImpl& w = *p.w;
    ReaderImpl& r = *p.r;
    if (p.connects()) connect(w, r, p.replay, after);
    if (p.disconnects()) disconnect(w, r, after);
    if (p.counts()) {
        w.incompatible_.push_back(&r);
        r.incompatible_.push_back(&w);
        count_policies(w.incompatible_status_, p.policies);
        raise(w, OFFERED_INCOMPATIBLE_QOS_STATUS, w.incompatible_status_,
              &DataWriterListener::on_offered_incompatible_qos, after, std::move(p.offered));
        count_policies(r.incompatible_status_, p.policies);
        raise(r, REQUESTED_INCOMPATIBLE_QOS_STATUS, r.incompatible_status_,
              &DataReaderListener::on_requested_incompatible_qos, after, std::move(p.requested));
    } else if (p.uncounts()) {
        remove(w.incompatible_, &r);
        remove(r.incompatible_, &w);
    }
}

void settle_at_commit(std::vector<Pairing>&& pairings, Plan& plan) {
    if (pairings.empty()) return;
    plan.then([pairings = std::move(pairings), &after = plan.after()]() mutable {
        for (Pairing& p : pairings) settle(p, after);
    });
}

template <class F>
void for_each_endpoint_of(Domain& domain, F&& f) {
    for (ParticipantImpl* p : domain.participants) {
        for (auto& pub : p->publishers_)
            for (auto& w : pub->writers_) f(*w);
        for (auto& sub : p->subscribers_)
            for (auto& r : sub->readers_) f(*r);
    }
}

}  // namespace

void rematch(WriterImpl& w, Plan& plan) {
    std::vector<ReaderImpl*> readers;
    for_each_endpoint_of(w.publisher_.participant_.domain_, [&](auto& e) {
        if constexpr (std::is_same_v<std::decay_t<decltype(e)>, ReaderImpl>) readers.push_back(&e);
    });
    std::vector<Pairing> pairings;
    for (ReaderImpl* r : readers) plan_settle(w, *r, pairings, plan);
    settle_at_commit(std::move(pairings), plan);
}

void rematch(ReaderImpl& r, Plan& plan) {
    std::vector<WriterImpl*> writers;
    for_each_endpoint_of(r.subscriber_.participant_.domain_, [&](auto& e) {
        if constexpr (std::is_same_v<std::decay_t<decltype(e)>, WriterImpl>) writers.push_back(&e);
    });
    std::vector<Pairing> pairings;
    for (WriterImpl* w : writers) plan_settle(*w, r, pairings, plan);
    settle_at_commit(std::move(pairings), plan);
}

void prepare_unmatch_all(WriterImpl& w, Deferred& after) { after.reserve(calls_per_match * w.matched_.size(), 0); }

void prepare_unmatch_all(ReaderImpl& r, Deferred& after) { after.reserve(calls_per_match * r.matched_.size(), 0); }

void unmatch_all(WriterImpl& w, Deferred& after) noexcept {
    while (!w.matched_.empty()) disconnect(w, *w.matched_.back(), after);
    for (ReaderImpl* r : w.incompatible_) remove(r->incompatible_, &w);
    w.incompatible_.clear();
}

void unmatch_all(ReaderImpl& r, Deferred& after) noexcept {
    while (!r.matched_.empty()) disconnect(*r.matched_.back(), r, after);
    for (WriterImpl* w : r.incompatible_) remove(w->incompatible_, &r);
    r.incompatible_.clear();
}

}  // namespace ZORVEX::engine
