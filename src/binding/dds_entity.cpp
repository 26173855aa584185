// Casts between entity handles, the DDS_Entity_ functions and enabling.
#include "quillmarc/dds_entity.h"

#include "binding/handles.h"

using quillmarc::core;
using quillmarc::handle;

namespace {

// The entity part of an object with Entity as a virtual base: null for null.
template <class Handle>
DDS_Entity* entity_part(Handle* h) {
  return handle(static_cast<ZORVEX::Entity*>(core(h)));
}

}  // namespace

extern "C" {

DDS_Entity* DDS_DomainParticipant_as_entity(DDS_DomainParticipant* participant) { return entity_part(participant); }
DDS_Entity* DDS_Publisher_as_entity(DDS_Publisher* publisher) { return entity_part(publisher); }
DDS_Entity* DDS_Subscriber_as_entity(DDS_Subscriber* subscriber) { return entity_part(subscriber); }
DDS_Entity* DDS_Topic_as_entity(DDS_Topic* topic) { return reinterpret_cast<DDS_Entity*>(topic); }

DDS_TopicDescription* DDS_Topic_as_topicdescription(DDS_Topic* topic) {
  return handle(static_cast<ZORVEX::TopicDescription*>(core(topic)));
}

DDS_InstanceHandle_t DDS_Entity_get_instance_handle(DDS_Entity* entity) {
  const ZORVEX::InstanceHandle_t copy = core(entity)->get_instance_handle();
  return quillmarc::to_c(copy);
}

DDS_StatusCondition* DDS_Entity_get_statuscondition(DDS_Entity* entity) {
  return handle(core(entity)->get_statuscondition());
}

DDS_StatusMask DDS_Entity_get_status_changes(DDS_Entity* entity) { return core(entity)->get_status_changes(); }

DDS_ReturnCode_t DDS_DomainParticipant_enable(DDS_DomainParticipant* participant) {
  return core(participant)->enable();
}
DDS_ReturnCode_t DDS_Publisher_enable(DDS_Publisher* publisher) { return core(publisher)->enable(); }
DDS_ReturnCode_t DDS_Subscriber_enable(DDS_Subscriber* subscriber) { return core(subscriber)->enable(); }
}
