// The condition, data reader, instance handle and sample information
// sequences, stamped from the sequence pattern.
#include "quillmarc/dds_entity_sequences.h"
#include "value_types/sequence_impl.h"

QUILLMARC_DEFINE_SEQUENCE(DDS_ConditionSequence, void*)
QUILLMARC_DEFINE_SEQUENCE(DDS_DataReaderSequence, void*)
QUILLMARC_DEFINE_SEQUENCE(DDS_InstanceHandle_tSequence, DDS_InstanceHandle_t)
QUILLMARC_DEFINE_SEQUENCE(DDS_SampleInfoSequence, DDS_SampleInfo)
