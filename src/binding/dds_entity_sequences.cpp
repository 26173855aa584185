// The condition, data reader, instance handle and sample information
// sequences, stamped from the sequence pattern; their _create and _destroy
// stand in entity_sequence_lifetimes.cpp (value_types/lifetime.h says why).
#include "quillmarc/dds_entity_sequences.h"
#include "value_types/sequence_impl.h"

QUILLMARC_DEFINE_SEQUENCE_CLASS(DDS_ConditionSequence, void*)
QUILLMARC_DEFINE_SEQUENCE_FUNCTIONS(DDS_ConditionSequence, void*)
QUILLMARC_DEFINE_SEQUENCE_CLASS(DDS_DataReaderSequence, void*)
QUILLMARC_DEFINE_SEQUENCE_FUNCTIONS(DDS_DataReaderSequence, void*)
QUILLMARC_DEFINE_SEQUENCE_CLASS(DDS_InstanceHandle_tSequence, DDS_InstanceHandle_t)
QUILLMARC_DEFINE_SEQUENCE_FUNCTIONS(DDS_InstanceHandle_tSequence, DDS_InstanceHandle_t)
QUILLMARC_DEFINE_SEQUENCE_CLASS(DDS_SampleInfoSequence, DDS_SampleInfo)
QUILLMARC_DEFINE_SEQUENCE_FUNCTIONS(DDS_SampleInfoSequence, DDS_SampleInfo)
