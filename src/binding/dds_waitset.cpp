// The wait-set functions, exported in namespace ZORVEX with void** handles.
// A condition handle is the address of the core condition, whose Condition
// part lies there too, so it goes to the core as it is, and the conditions
// the core answers are the handles that were attached.
#include "quillmarc/dds_waitset.h"

#include <vector>

#include "binding/handles.h"

namespace {

ZORVEX::WaitSet* waitset_of(void** waitset) { return reinterpret_cast<ZORVEX::WaitSet*>(waitset); }
ZORVEX::Condition* condition_of(void** condition) { return reinterpret_cast<ZORVEX::Condition*>(condition); }

// The caller's sequence holds exactly the core's list, in its order.
void replace(DDS_ConditionSequence& to, const std::vector<ZORVEX::Condition*>& from) {
  static_cast<std::vector<void*>&>(to).assign(from.begin(), from.end());
}

}  // namespace

namespace ZORVEX {

// A failing constructor passes on, and new releases the memory.
void** DDS_WaitSet_new() { return reinterpret_cast<void**>(new WaitSet()); }

void DDS_WaitSet_delete(void** waitset) { delete waitset_of(waitset); }

DDS_ReturnCode_t DDS_WaitSet_attach_condition(void** waitset, void** condition) {
  return waitset_of(waitset)->attach_condition(condition_of(condition));
}

DDS_ReturnCode_t DDS_WaitSet_detach_condition(void** waitset, void** condition) {
  return waitset_of(waitset)->detach_condition(condition_of(condition));
}

// Waits on the calling thread; the sequence is replaced on time-out too.
DDS_ReturnCode_t DDS_WaitSet_wait(void** waitset, DDS_ConditionSequence* active_conditions,
                                  DDS_Duration_t const* timeout) {
  const Duration_t duration = quillmarc::to_core(*timeout);
  std::vector<Condition*> active;
  const ReturnCode_t rc = waitset_of(waitset)->wait(active, duration);
  replace(*active_conditions, active);
  return rc;
}

DDS_ReturnCode_t DDS_WaitSet_get_conditions(void** waitset, DDS_ConditionSequence* attached_conditions) {
  std::vector<Condition*> attached;
  const ReturnCode_t rc = waitset_of(waitset)->get_conditions(attached);
  replace(*attached_conditions, attached);
  return rc;
}

}  // namespace ZORVEX
