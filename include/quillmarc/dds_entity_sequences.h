/* Sequences of condition handles, data reader handles, instance handles and
 * sample information, with the functions and rules of every DDS_<T>Sequence.
 * Their elements are copied byte for byte; new elements are all zero. The
 * sequence never looks at, checks or releases a handle it holds. */
#ifndef QUILLMARC_DDS_ENTITY_SEQUENCES_H
#define QUILLMARC_DDS_ENTITY_SEQUENCES_H

#include "dds_infrastructure.h"
#include "dds_sequence.h"
#include "dds_status.h"

QUILLMARC_DECLARE_SEQUENCE(DDS_ConditionSequence, void*, void*)
QUILLMARC_DECLARE_SEQUENCE(DDS_DataReaderSequence, void*, void*)
QUILLMARC_DECLARE_SEQUENCE(DDS_InstanceHandle_tSequence, DDS_InstanceHandle_t, DDS_InstanceHandle_t)
QUILLMARC_DECLARE_SEQUENCE(DDS_SampleInfoSequence, DDS_SampleInfo, DDS_SampleInfo)

#endif
