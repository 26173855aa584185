// The sequence family over the 15 element types.
#include "value_types/sequence_impl.h"

#define DDS_ELEMENT_TYPE(Name, Type) QUILLMARC_DEFINE_SEQUENCE(DDS_##Name##Sequence, Type)
#include "quillmarc/dds_element_types.def"
