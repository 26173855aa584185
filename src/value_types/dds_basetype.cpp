// The sequence family over the 15 element types; their _create and
// _destroy stand in lifetimes.cpp.
#include "value_types/sequence_impl.h"

#define DDS_ELEMENT_TYPE(Name, Type)                          \
  QUILLMARC_DEFINE_SEQUENCE_CLASS(DDS_##Name##Sequence, Type) \
  QUILLMARC_DEFINE_SEQUENCE_FUNCTIONS(DDS_##Name##Sequence, Type)
#include "quillmarc/dds_element_types.def"
