// Status, guard and read conditions. A condition's handle is the address of
// the core object, where its Condition part also lies, so the _as_condition
// functions answer their argument; the operations of the Condition part are
// reached through the class relation, and the conversions back test the
// object's kind.
#include "quillmarc/dds_condition.h"

#include "binding/handles.h"

using quillmarc::core;
using quillmarc::handle;

namespace {

// The general handle of a condition: the same address.
template <class Handle>
DDS_Condition* as_condition(Handle* condition) {
  return reinterpret_cast<DDS_Condition*>(condition);
}

// The condition's Condition part, through the class relation.
template <class Handle>
ZORVEX::Condition* condition_part(Handle* condition) {
  return static_cast<ZORVEX::Condition*>(core(condition));
}

// A general handle as the condition of kind Kind, or null.
template <class Kind>
typename quillmarc::HandleOf<Kind>::type* as_kind(DDS_Condition* condition) {
  if (condition == nullptr) return nullptr;
  return handle(dynamic_cast<Kind*>(core(condition)));
}

DDS_Boolean boolean(bool value) { return value ? 1 : 0; }

}  // namespace

extern "C" {

DDS_Boolean DDS_StatusCondition_get_trigger_value(DDS_StatusCondition* condition) {
  return boolean(condition_part(condition)->get_trigger_value());
}

DDS_ReturnCode_t DDS_StatusCondition_set_enabled_statuses(DDS_StatusCondition* condition, DDS_StatusMask mask) {
  const ZORVEX::StatusMask enabled = mask;
  return core(condition)->set_enabled_statuses(enabled);
}

DDS_StatusMask DDS_StatusCondition_get_enabled_statuses(DDS_StatusCondition* condition) {
  return core(condition)->get_enabled_statuses();
}

DDS_Entity* DDS_StatusCondition_get_entity(DDS_StatusCondition* condition) {
  return handle(core(condition)->get_entity());
}

DDS_Condition* DDS_StatusCondition_as_condition(DDS_StatusCondition* condition) { return as_condition(condition); }

// A failing constructor passes on, and new releases the memory.
DDS_GuardCondition* DDS_GuardCondition_new(void) { return handle(new ZORVEX::GuardCondition()); }

void DDS_GuardCondition_delete(DDS_GuardCondition* condition) { delete core(condition); }

DDS_Boolean DDS_GuardCondition_get_trigger_value(DDS_GuardCondition* condition) {
  return boolean(core(condition)->get_trigger_value());
}

DDS_ReturnCode_t DDS_GuardCondition_set_trigger_value(DDS_GuardCondition* condition, DDS_Boolean value) {
  return core(condition)->set_trigger_value(value != 0);
}

DDS_Condition* DDS_GuardCondition_as_condition(DDS_GuardCondition* condition) { return as_condition(condition); }

DDS_Boolean DDS_ReadCondition_get_trigger_value(DDS_ReadCondition* condition) {
  return boolean(condition_part(condition)->get_trigger_value());
}

DDS_DataReader* DDS_ReadCondition_get_datareader(DDS_ReadCondition* condition) {
  return handle(core(condition)->get_datareader());
}

DDS_SampleStateMask DDS_ReadCondition_get_sample_state_mask(DDS_ReadCondition* condition) {
  return core(condition)->get_sample_state_mask();
}

DDS_ViewStateMask DDS_ReadCondition_get_view_state_mask(DDS_ReadCondition* condition) {
  return core(condition)->get_view_state_mask();
}

DDS_InstanceStateMask DDS_ReadCondition_get_instance_state_mask(DDS_ReadCondition* condition) {
  return core(condition)->get_instance_state_mask();
}

DDS_Condition* DDS_ReadCondition_as_condition(DDS_ReadCondition* condition) { return as_condition(condition); }

DDS_StatusCondition* DDS_Condition_as_status_condition(DDS_Condition* condition) {
  return as_kind<ZORVEX::StatusCondition>(condition);
}

DDS_GuardCondition* DDS_Condition_as_guard_condition(DDS_Condition* condition) {
  return as_kind<ZORVEX::GuardCondition>(condition);
}

DDS_ReadCondition* DDS_Condition_as_read_condition(DDS_Condition* condition) {
  return as_kind<ZORVEX::ReadCondition>(condition);
}

}  // extern "C"
