// Entity: what participants, topics, publishers, subscribers, writers and
// readers share.
//
// Every virtual operation of the core's classes has a default body answering
// RETCODE_UNSUPPORTED (or null, false, an empty name, HANDLE_NIL), so a test
// double derives from a class and overrides only what it needs. The engine
// behind DomainParticipantFactory::get_instance() overrides them all.
#ifndef ZORVEX_ENTITY_H
#define ZORVEX_ENTITY_H

#include "zorvex/fwd.h"
#include "zorvex/types.h"

namespace ZORVEX {

class QUILLMAR_API Entity {
public:
    virtual ~Entity();
    // Enables an entity created disabled (entity_factory QoS of its parent).
    virtual ReturnCode_t enable();
    virtual StatusCondition* get_statuscondition();
    // The statuses changed since last read; the reference stays valid until
    // this thread asks again.
    virtual const StatusMask& get_status_changes();
    virtual const InstanceHandle_t& get_instance_handle();

protected:
    Entity() = default;
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;
};

}  // namespace ZORVEX

#endif
