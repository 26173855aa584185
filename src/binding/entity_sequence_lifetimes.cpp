// _create and _destroy of the binding's sequences, apart from their classes
// (value_types/lifetime.h says why).
#include "quillmarc/dds_datareader.h"
#include "quillmarc/dds_entity_sequences.h"
#include "value_types/sequence_impl.h"

QUILLMARC_DEFINE_SEQUENCE_LIFETIME(DDS_SampleSequence)
QUILLMARC_DEFINE_SEQUENCE_LIFETIME(DDS_ConditionSequence)
QUILLMARC_DEFINE_SEQUENCE_LIFETIME(DDS_DataReaderSequence)
QUILLMARC_DEFINE_SEQUENCE_LIFETIME(DDS_InstanceHandle_tSequence)
QUILLMARC_DEFINE_SEQUENCE_LIFETIME(DDS_SampleInfoSequence)
