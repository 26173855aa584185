// Work an operation collects under the engine lock and runs once the lock is
// released: so a listener may call back into the engine, and no entity or
// listener is destroyed while the lock is held. The first few callbacks and
// releases are held in place, so a write that calls one listener and the
// operations that release a few entities allocate nothing here.
//
// An operation that must not fail half way reserves room first, while
// nothing has changed yet; then queuing the calls and releases it reserved
// allocates nothing, so it cannot fail once the operation changes the engine.
#ifndef ZORVEX_SRC_ENGINE_DEFERRED_H
#define ZORVEX_SRC_ENGINE_DEFERRED_H

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

#include "common/inline_vector.h"
#include "engine/call_gate.h"
#include "waitset/hub.h"

namespace ZORVEX::engine {

class Deferred {
public:
    Deferred() = default;
    Deferred(const Deferred&) = delete;
    Deferred& operator=(const Deferred&) = delete;
    // Releases what is left without calling it (after a callback threw).
    ~Deferred();

    // Room for this many more calls and releases, beyond what was reserved
    // before and not used yet.
    void reserve(size_t calls, size_t releases);

    // A listener call; its closure keeps the entity and listener alive. Only
    // growth past the room reserved throws, and then before `fn` is taken:
    // the caller still holds it.
    template <class F>
    void call(F&& fn) {
        calls_.emplace_back(std::forward<F>(fn));
        if (promised_calls_ > 0) --promised_calls_;
    }
    // Drop a reference once unlocked (the last one destroys the object). On
    // failure the reference stays with the caller, so nothing dies here.
    // Releasing an entity, which its delete does, closes its call gate, and
    // run() waits for the calls about it still running elsewhere.
    template <class T>
    void release(std::shared_ptr<T>&& object) {
        if constexpr (has_call_gate<T>::value) {
            CallGate* gate = object ? &object->callbacks_ : nullptr;
            release(std::move(object), gate);
        } else {
            release(std::move(object), nullptr);
        }
    }
    // As above, closing and draining `gate` (which `object` keeps) too.
    template <class T>
    void release(std::shared_ptr<T>&& object, CallGate* gate) {
        if (!object) return;
        releases_.emplace_back(std::move(object), gate);
        if (gate != nullptr) gate->close();
        if (promised_releases_ > 0) --promised_releases_;
    }
    // Triggers of this entity's conditions may have turned true.
    void poke(const Entity& changed) noexcept { changes_.add(changed); }
    // Any trigger may have turned true.
    void poke() noexcept { changes_.add_all(); }

    // Call with the engine lock released: waits for the calls inside the
    // gates closed, then makes the calls. A callback's exception propagates.
    void run();

private:
    // A callback held in place: closures up to `capacity` bytes (a status
    // copy, the listener and the entity it keeps) need no allocation.
    class Call {
    public:
        static constexpr size_t capacity = 160;

        template <class F, class Fn = std::decay_t<F>, class = std::enable_if_t<!std::is_same_v<Fn, Call>>>
        explicit Call(F&& fn) noexcept : ops_(&ops_of<Fn>) {
            static_assert(sizeof(Fn) <= capacity && alignof(Fn) <= alignof(std::max_align_t), "closure too large");
            static_assert(std::is_nothrow_constructible_v<Fn, F&&>, "a closure is taken without throwing");
            ::new (storage_) Fn(std::forward<F>(fn));
        }
        Call(Call&& other) noexcept : ops_(other.ops_) {
            if (ops_) ops_->move(other.storage_, storage_);
            other.ops_ = nullptr;
        }
        Call& operator=(Call&&) = delete;
        ~Call() {
            if (ops_) ops_->destroy(storage_);
        }
        void operator()() { ops_->invoke(storage_); }

    private:
        struct Ops {
            void (*invoke)(void*);
            void (*move)(void* from, void* to) noexcept;  // and destroys `from`
            void (*destroy)(void*) noexcept;
        };
        template <class Fn>
        static constexpr Ops ops_of = {
            [](void* f) { (*static_cast<Fn*>(f))(); },
            [](void* from, void* to) noexcept {
                ::new (to) Fn(std::move(*static_cast<Fn*>(from)));
                static_cast<Fn*>(from)->~Fn();
            },
            [](void* f) noexcept { static_cast<Fn*>(f)->~Fn(); },
        };

        alignas(std::max_align_t) unsigned char storage_[capacity];
        const Ops* ops_;
    };

    template <class T, class = void>
    struct has_call_gate : std::false_type {};
    template <class T>
    struct has_call_gate<T, std::void_t<decltype(std::declval<T&>().callbacks_)>> : std::true_type {};

    struct Release {
        // Takes the reference only once there is room for it.
        template <class T>
        Release(std::shared_ptr<T>&& o, CallGate* g) noexcept : object(std::move(o)), gate(g) {}
        std::shared_ptr<void> object;
        CallGate* gate;  // drained before the object goes, unless null
    };

    InlineVector<Call, 2> calls_;
    InlineVector<Release, 4> releases_;
    hub::Changes changes_;
    size_t promised_calls_ = 0;
    size_t promised_releases_ = 0;
};

}  // namespace ZORVEX::engine

#endif
