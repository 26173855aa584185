// Raising communication statuses: the status bit, the wait-set poke, and the
// call of the first listener (entity, parent, participant) that takes the
// status, which then sees the change counts and resets them.
#ifndef ZORVEX_SRC_ENGINE_STATUSES_H
#define ZORVEX_SRC_ENGINE_STATUSES_H

#include <initializer_list>
#include <memory>
#include <type_traits>

#include "engine/deferred.h"
#include "zorvex/listeners.h"
#include "zorvex/status.h"

namespace ZORVEX::engine {

class ReaderImpl;
class TopicImpl;
class WriterImpl;

void reset_changes(InconsistentTopicStatus& s);
void reset_changes(SampleLostStatus& s);
void reset_changes(LivelinessLostStatus& s);
void reset_changes(SampleRejectedStatus& s);
void reset_changes(LivelinessChangedStatus& s);
void reset_changes(OfferedDeadlineMissedStatus& s);
void reset_changes(RequestedDeadlineMissedStatus& s);
void reset_changes(OfferedIncompatibleQosStatus& s);
void reset_changes(RequestedIncompatibleQosStatus& s);
void reset_changes(PublicationMatchedStatus& s);
void reset_changes(SubscriptionMatchedStatus& s);

// The listener that hears `kind` for this entity, or null.
std::shared_ptr<DataWriterListener> listener_for(WriterImpl& writer, StatusKind kind);
std::shared_ptr<DataReaderListener> listener_for(ReaderImpl& reader, StatusKind kind);
std::shared_ptr<TopicListener> listener_for(TopicImpl& topic, StatusKind kind);

// Whether a callback queued for an entity may still run: one deleted by the
// operation that queued it hears nothing more.
bool still_there(const bool& deleted);

// `copy` becomes the status the listener hears. For a status whose copy
// allocates, the caller hands in one with room enough, made before anything
// changed; with room reserved in `after`, raising then cannot fail.
template <class Owner, class Status, class E, class L>
void raise(Owner& owner, StatusKind kind, Status& status, void (L::*callback)(E*, const Status&),
           Deferred& after, Status&& copy) {
    if (owner.deleted_) return;  // no callback for an entity on its way out
    owner.changes_ |= kind;
    after.poke(owner);
    std::shared_ptr<L> listener = listener_for(owner, kind);
    if (!listener) return;
    copy = status;
    std::shared_ptr<void> keep = owner.shared_from_this();
    E* entity = &owner;
    const bool* deleted = &owner.deleted_;
    after.call([listener = std::move(listener), keep = std::move(keep), entity, deleted, copy = std::move(copy),
                callback] {
        if (still_there(*deleted)) ((*listener).*callback)(entity, copy);
    });
    // Queued: the listener hears the change counts, which start over.
    owner.changes_ &= ~kind;
    reset_changes(status);
}

template <class Owner, class Status, class E, class L>
void raise(Owner& owner, StatusKind kind, Status& status, void (L::*callback)(E*, const Status&),
           Deferred& after) {
    static_assert(std::is_nothrow_copy_constructible_v<Status>, "hand in a copy made ahead");
    raise(owner, kind, status, callback, after, Status(status));
}

// A status getter: the caller's copy, then the change counts start over.
template <class Owner, class Status>
void read_status(Owner& owner, StatusKind kind, Status& status, Status& out) {
    out = status;
    reset_changes(status);
    owner.changes_ &= ~kind;
}

// New data in the readers [first, last): DATA_ON_READERS on each of their
// subscribers when a subscriber or participant listener takes it,
// DATA_AVAILABLE on the readers otherwise.
void data_arrived(ReaderImpl* const* first, ReaderImpl* const* last, Deferred& after);
inline void data_arrived(std::initializer_list<ReaderImpl*> readers, Deferred& after) {
    data_arrived(readers.begin(), readers.end(), after);
}

// The listener calls a change to the reader can queue (a rejection, new
// data), to reserve before the change is made.
size_t calls_per_change(ReaderImpl& reader);

}  // namespace ZORVEX::engine

#endif
