/* Wait-set: blocks the calling thread until one of its attached conditions
 * triggers, or a time-out passes.
 *
 * The six functions are exported as C++ functions of namespace ZORVEX, with
 * the wait-set and condition handles typed void**. C++ calls them as
 * ZORVEX::DDS_WaitSet_new() and so on, passing a condition handle as
 * (void**)condition. C cannot name them; for C this header declares
 * DDS_WaitSet_new and its siblings, bound to the same symbols, with
 * DDS_WaitSet and DDS_Condition handles (GCC or clang).
 *
 * A wait-set belongs to the caller from DDS_WaitSet_new to
 * DDS_WaitSet_delete, which detaches every condition and does nothing for
 * NULL. Attaching twice is harmless; detaching a condition that is not
 * attached answers DDS_RETCODE_PRECONDITION_NOT_MET.
 *
 * wait replaces the whole content of active_conditions, whatever code it
 * answers: DDS_RETCODE_OK with the triggered conditions in attach order,
 * each equal to the handle attached; DDS_RETCODE_TIMEOUT with none once the
 * timeout passes ({DDS_DURATION_INFINITE_SEC, DDS_DURATION_INFINITE_NSEC}
 * waits for ever); DDS_RETCODE_PRECONDITION_NOT_MET when nothing is attached
 * or another thread already waits on this wait-set. Conditions may be
 * triggered from other threads meanwhile. get_conditions replaces the
 * content of attached_conditions with the attached conditions, in the core's
 * order. The handles in either sequence belong to their owners. */
#ifndef QUILLMARC_DDS_WAITSET_H
#define QUILLMARC_DDS_WAITSET_H

#include "dds_entity_sequences.h"
#include "dds_infrastructure.h"

#ifdef __cplusplus

namespace ZORVEX {

QUILLMARC_API void** DDS_WaitSet_new();
QUILLMARC_API void DDS_WaitSet_delete(void** waitset);
QUILLMARC_API DDS_ReturnCode_t DDS_WaitSet_attach_condition(void** waitset, void** condition);
QUILLMARC_API DDS_ReturnCode_t DDS_WaitSet_detach_condition(void** waitset, void** condition);
QUILLMARC_API DDS_ReturnCode_t DDS_WaitSet_wait(void** waitset, DDS_ConditionSequence* active_conditions,
                                                DDS_Duration_t const* timeout);
QUILLMARC_API DDS_ReturnCode_t DDS_WaitSet_get_conditions(void** waitset, DDS_ConditionSequence* attached_conditions);

}  // namespace ZORVEX

#elif defined(__GNUC__)

/* The C names of the functions above: same symbols, same arguments. */
DDS_WaitSet* DDS_WaitSet_new(void) __asm__("_ZN6ZORVEX15DDS_WaitSet_newEv");
void DDS_WaitSet_delete(DDS_WaitSet* waitset) __asm__("_ZN6ZORVEX18DDS_WaitSet_deleteEPPv");
DDS_ReturnCode_t DDS_WaitSet_attach_condition(DDS_WaitSet* waitset, DDS_Condition* condition)
    __asm__("_ZN6ZORVEX28DDS_WaitSet_attach_conditionEPPvS1_");
DDS_ReturnCode_t DDS_WaitSet_detach_condition(DDS_WaitSet* waitset, DDS_Condition* condition)
    __asm__("_ZN6ZORVEX28DDS_WaitSet_detach_conditionEPPvS1_");
DDS_ReturnCode_t DDS_WaitSet_wait(DDS_WaitSet* waitset, DDS_ConditionSequence* active_conditions,
                                  const DDS_Duration_t* timeout)
    __asm__("_ZN6ZORVEX16DDS_WaitSet_waitEPPvP21DDS_ConditionSequencePK14DDS_Duration_t");
DDS_ReturnCode_t DDS_WaitSet_get_conditions(DDS_WaitSet* waitset, DDS_ConditionSequence* attached_conditions)
    __asm__("_ZN6ZORVEX26DDS_WaitSet_get_conditionsEPPvP21DDS_ConditionSequence");

#endif

#endif
