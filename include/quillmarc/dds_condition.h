/* Conditions: status conditions (one per entity, from
 * DDS_Entity_get_statuscondition), guard conditions (made and released by
 * the application) and read and query conditions (made by a data reader),
 * with the conversions between a condition's general and specific handles.
 *
 * A condition's DDS_Condition handle and its specific handle are the same
 * value: the _as_condition functions answer their argument, and a wait-set
 * hands back the very handles that were attached. Status conditions belong
 * to their entity and read conditions to their reader; a guard condition
 * belongs to the caller from DDS_GuardCondition_new to
 * DDS_GuardCondition_delete. No function tests its handle. */
#ifndef QUILLMARC_DDS_CONDITION_H
#define QUILLMARC_DDS_CONDITION_H

#include "dds_infrastructure.h"

QUILLMARC_EXTERN_C_BEGIN

/* Status conditions: triggered while the entity has a changed status among
 * the enabled ones (at first, all of them). */
QUILLMARC_API DDS_Boolean DDS_StatusCondition_get_trigger_value(DDS_StatusCondition* condition);
QUILLMARC_API DDS_ReturnCode_t DDS_StatusCondition_set_enabled_statuses(DDS_StatusCondition* condition,
                                                                        DDS_StatusMask mask);
QUILLMARC_API DDS_StatusMask DDS_StatusCondition_get_enabled_statuses(DDS_StatusCondition* condition);
/* The entity part of the condition's entity. */
QUILLMARC_API DDS_Entity* DDS_StatusCondition_get_entity(DDS_StatusCondition* condition);
QUILLMARC_API DDS_Condition* DDS_StatusCondition_as_condition(DDS_StatusCondition* condition);

/* Guard conditions: triggered by the application. _new answers a condition
 * that is not triggered; setting the trigger wakes the wait-sets it is
 * attached to (any nonzero value sets it). _delete of NULL does nothing; a
 * condition deleted while attached leaves its wait-sets. */
QUILLMARC_API DDS_GuardCondition* DDS_GuardCondition_new(void);
QUILLMARC_API void DDS_GuardCondition_delete(DDS_GuardCondition* condition);
QUILLMARC_API DDS_Boolean DDS_GuardCondition_get_trigger_value(DDS_GuardCondition* condition);
QUILLMARC_API DDS_ReturnCode_t DDS_GuardCondition_set_trigger_value(DDS_GuardCondition* condition,
                                                                    DDS_Boolean value);
QUILLMARC_API DDS_Condition* DDS_GuardCondition_as_condition(DDS_GuardCondition* condition);

/* Read and query conditions: triggered while their reader holds a sample
 * whose states are in all three masks given at their creation. */
QUILLMARC_API DDS_Boolean DDS_ReadCondition_get_trigger_value(DDS_ReadCondition* condition);
QUILLMARC_API DDS_DataReader* DDS_ReadCondition_get_datareader(DDS_ReadCondition* condition);
QUILLMARC_API DDS_SampleStateMask DDS_ReadCondition_get_sample_state_mask(DDS_ReadCondition* condition);
QUILLMARC_API DDS_ViewStateMask DDS_ReadCondition_get_view_state_mask(DDS_ReadCondition* condition);
QUILLMARC_API DDS_InstanceStateMask DDS_ReadCondition_get_instance_state_mask(DDS_ReadCondition* condition);
QUILLMARC_API DDS_Condition* DDS_ReadCondition_as_condition(DDS_ReadCondition* condition);

/* From the general handle to a specific one: the same value when the
 * condition is of that kind (a query condition is a read condition), NULL
 * otherwise and for NULL. */
QUILLMARC_API DDS_StatusCondition* DDS_Condition_as_status_condition(DDS_Condition* condition);
QUILLMARC_API DDS_GuardCondition* DDS_Condition_as_guard_condition(DDS_Condition* condition);
QUILLMARC_API DDS_ReadCondition* DDS_Condition_as_read_condition(DDS_Condition* condition);

QUILLMARC_EXTERN_C_END

#endif
