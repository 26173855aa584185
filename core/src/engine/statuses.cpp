#include "engine/statuses.h"

#include <algorithm>

#include "engine/lock.h"
#include "engine/participant.h"
#include "engine/publisher.h"
#include "engine/reader.h"
#include "engine/subscriber.h"
#include "engine/topic.h"
#include "engine/writer.h"

namespace ZORVEX::engine {

void reset_changes(InconsistentTopicStatus& s) { s.total_count_change = 0; }
void reset_changes(SampleLostStatus& s) { s.total_count_change = 0; }
void reset_changes(LivelinessLostStatus& s) { s.total_count_change = 0; }
void reset_changes(SampleRejectedStatus& s) { s.total_count_change = 0; }
void reset_changes(LivelinessChangedStatus& s) {
    s.alive_count_change = 0;
    s.not_alive_count_change = 0;
}
void reset_changes(OfferedDeadlineMissedStatus& s) { s.total_count_change = 0; }
void reset_changes(RequestedDeadlineMissedStatus& s) { s.total_count_change = 0; }
void reset_changes(OfferedIncompatibleQosStatus& s) { s.total_count_change = 0; }
void reset_changes(RequestedIncompatibleQosStatus& s) { s.total_count_change = 0; }
void reset_changes(PublicationMatchedStatus& s) {
    s.total_count_change = 0;
    s.current_count_change = 0;
}
void reset_changes(SubscriptionMatchedStatus& s) {
    s.total_count_change = 0;
    s.current_count_change = 0;
}

HeldListener<DataWriterListener> listener_for(WriterImpl& w, StatusKind kind) {
    if (w.listener_.takes(kind)) return w.listener_.held();
    if (w.publisher_.listener_.takes(kind)) return w.publisher_.listener_.held();
    auto& p = w.publisher_.participant_.listener_;
    if (p.takes(kind)) return p.held();
    return {};
}

HeldListener<DataReaderListener> listener_for(ReaderImpl& r, StatusKind kind) {
    if (r.listener_.takes(kind)) return r.listener_.held();
    if (r.subscriber_.listener_.takes(kind)) return r.subscriber_.listener_.held();
    auto& p = r.subscriber_.participant_.listener_;
    if (p.takes(kind)) return HeldListener<SubscriberListener>(p.held());
    return {};
}

HeldListener<TopicListener> listener_for(TopicImpl& t, StatusKind kind) {
    if (t.listener_.takes(kind)) return t.listener_.held();
    auto& p = t.participant_.listener_;
    if (p.takes(kind)) return p.held();
    return {};
}

namespace {

HeldListener<SubscriberListener> on_readers_listener(SubscriberImpl& s) {
    if (s.listener_.takes(DATA_ON_READERS_STATUS)) return s.listener_.held();
    auto& p = s.participant_.listener_;
    if (p.takes(DATA_ON_READERS_STATUS)) return p.held();
    return {};
}

// Whether some listener hears `kind` for the reader, found as listener_for
// finds it but without taking a share of it.
bool heard(ReaderImpl& r, StatusKind kind) {
    return r.listener_.takes(kind) || r.subscriber_.listener_.takes(kind) ||
           r.subscriber_.participant_.listener_.takes(kind);
}
bool heard_on_readers(SubscriberImpl& s) {
    return s.listener_.takes(DATA_ON_READERS_STATUS) || s.participant_.listener_.takes(DATA_ON_READERS_STATUS);
}

// The readers of `s` among [first, last) have new data.
void data_arrived_at(SubscriberImpl& s, ReaderImpl* const* first, ReaderImpl* const* last, Deferred& after) {
    s.changes_ |= DATA_ON_READERS_STATUS;
    after.poke(s);
    const bool on_readers = heard_on_readers(s);
    for (ReaderImpl* const* it = first; it != last; ++it) {
        ReaderImpl& r = **it;
        if (&r.subscriber_ != &s) continue;
        r.changes_ |= DATA_AVAILABLE_STATUS;
        after.poke(r);
        if (on_readers || !heard(r, DATA_AVAILABLE_STATUS)) continue;
        auto heard = listener_for(r, DATA_AVAILABLE_STATUS);
        if (!heard) continue;
        call_about(r.shared_from_this(), std::move(heard), after,
                   [](DataReaderListener& l, ReaderImpl* reader) { l.on_data_available(reader); });
        r.changes_ &= ~DATA_AVAILABLE_STATUS;
    }
    if (on_readers) {
        call_about(s.shared_from_this(), on_readers_listener(s), after,
                   [](SubscriberListener& l, SubscriberImpl* subscriber) { l.on_data_on_readers(subscriber); });
        s.changes_ &= ~DATA_ON_READERS_STATUS;
    }
}

}  // namespace

void data_arrived(ReaderImpl* const* first, ReaderImpl* const* last, Deferred& after) {
    // The caller reserved calls_per_change() for each reader, so queuing
    // the listener calls cannot fail once the histories have changed.
    for (ReaderImpl* const* it = first; it != last; ++it) {
        SubscriberImpl& s = (*it)->subscriber_;
        const bool seen = std::any_of(first, it, [&](ReaderImpl* r) { return &r->subscriber_ == &s; });
        if (!seen) data_arrived_at(s, it, last, after);
    }
}

size_t calls_per_change(ReaderImpl& r) {
    const bool hears_data = heard_on_readers(r.subscriber_) || heard(r, DATA_AVAILABLE_STATUS);
    return (heard(r, SAMPLE_REJECTED_STATUS) ? 1 : 0) + (hears_data ? 1 : 0);
}

}  // namespace ZORVEX::engine
