#include "engine/matching.h"

#include <algorithm>

#include "common/clock.h"
#include "engine/lock.h"
#include "engine/participant.h"
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

void connect(WriterImpl& w, ReaderImpl& r, Deferred& after) {
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
    if (w.qos_.durability.kind >= TRANSIENT_LOCAL_DURABILITY_QOS &&
        r.qos_.durability.kind >= TRANSIENT_LOCAL_DURABILITY_QOS)
        w.replay_to(r, after);
}

void disconnect(WriterImpl& w, ReaderImpl& r, Deferred& after) {
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
    if (r.history_.writer_gone(w.handle_, clock_now()) && !r.deleted_) data_arrived({&r}, after);
    room_freed().notify_all();  // a writer held back by this reader need not wait for it any more
}

void settle(WriterImpl& w, ReaderImpl& r, Deferred& after) {
    std::vector<QosPolicyId_t> policies;
    const Verdict verdict = judge(w, r, policies);
    const bool matched = contains(w.matched_, &r);
    if (verdict == Verdict::matched && !matched) connect(w, r, after);
    if (verdict != Verdict::matched && matched) disconnect(w, r, after);
    const bool counted = contains(w.incompatible_, &r);
    if (verdict == Verdict::incompatible && !counted) {
        w.incompatible_.push_back(&r);
        r.incompatible_.push_back(&w);
        count_policies(w.incompatible_status_, policies);
        raise(w, OFFERED_INCOMPATIBLE_QOS_STATUS, w.incompatible_status_,
              &DataWriterListener::on_offered_incompatible_qos, after);
        count_policies(r.incompatible_status_, policies);
        raise(r, REQUESTED_INCOMPATIBLE_QOS_STATUS, r.incompatible_status_,
              &DataReaderListener::on_requested_incompatible_qos, after);
    } else if (verdict != Verdict::incompatible && counted) {
        remove(w.incompatible_, &r);
        remove(r.incompatible_, &w);
    }
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

void rematch(WriterImpl& w, Deferred& after) {
    std::vector<ReaderImpl*> readers;
    for_each_endpoint_of(w.publisher_.participant_.domain_, [&](auto& e) {
        if constexpr (std::is_same_v<std::decay_t<decltype(e)>, ReaderImpl>) readers.push_back(&e);
    });
    for (ReaderImpl* r : readers) settle(w, *r, after);
}

void rematch(ReaderImpl& r, Deferred& after) {
    std::vector<WriterImpl*> writers;
    for_each_endpoint_of(r.subscriber_.participant_.domain_, [&](auto& e) {
        if constexpr (std::is_same_v<std::decay_t<decltype(e)>, WriterImpl>) writers.push_back(&e);
    });
    for (WriterImpl* w : writers) settle(*w, r, after);
}

void unmatch_all(WriterImpl& w, Deferred& after) {
    while (!w.matched_.empty()) disconnect(w, *w.matched_.back(), after);
    for (ReaderImpl* r : w.incompatible_) remove(r->incompatible_, &w);
    w.incompatible_.clear();
}

void unmatch_all(ReaderImpl& r, Deferred& after) {
    while (!r.matched_.empty()) disconnect(*r.matched_.back(), r, after);
    for (WriterImpl* w : r.incompatible_) remove(w->incompatible_, &r);
    r.incompatible_.clear();
}

}  // namespace ZORVEX::engine
