// Raising communication statuses: the status bit, the wait-set poke, and the
// call of the first listener (entity, parent, participant) that takes the
// status, which then sees the change counts and resets them.
#ifndef ZORVEX_SRC_ENGINE_STATUSES_H
#define ZORVEX_SRC_ENGINE_STATUSES_H

#include <initializer_list>
#include <memory>
#include <type_traits>

#include "engine/call_gate.h"
#include "engine/deferred.h"
#include "engine/listener_slot.h"
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

// The listener that hears `kind` for this entity, or none.
HeldListener<DataWriterListener> listener_for(WriterImpl& writer, StatusKind kind);
HeldListener<DataReaderListener> listener_for(ReaderImpl& reader, StatusKind kind);
HeldListener<TopicListener> listener_for(TopicImpl& topic, StatusKind kind);

// A call of `listener` about `entity`, queued in `after`: it runs only while
// neither has been released since (the entity deleted, the listener
// replaced), inside both their gates. `call(listener, entity)` makes it.
template <class Entity, class L, class Call>
void call_about(std::shared_ptr<Entity> entity, HeldListener<L> heard, Deferred& after, Call call) {
    after.call([entity = std::move(entity), listener = std::move(heard.listener), gate = heard.gate,
                call = std::move(call)] {
        const Passage passage(&entity->callbacks_, gate);
        if (passage.open()) call(*listener, entity.get());
    });
}

// `copy` becomes the status the listener hears. For a status whose copy
// allocates, the caller hands in one with room enough, made before anything
// changed; with room reserved in `after`, raising then cannot fail.
template <class Owner, class Status, class E, class L>
void raise(Owner& owner, StatusKind kind, Status& status, void (L::*callback)(E*, const Status&),
           Deferred& after, Status&& copy) {
    if (owner.deleted_) return;  // no callback for an entity on its way out
    owner.changes_ |= kind;
    after.poke(owner);
    HeldListener<L> heard = listener_for(owner, kind);
    if (!heard) return;
    copy = status;
    call_about(owner.shared_from_this(), std::move(heard), after,
               [copy = std::move(copy), callback](L& listener, E* entity) { (listener.*callback)(entity, copy); });
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
