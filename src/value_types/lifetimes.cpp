// _create, _destroy and the strings' _copy of DDS_CString, DDS_CWString and
// the sequence family, apart from the classes (value_types/lifetime.h).
#include "value_types/sequence_impl.h"
#include "value_types/string_impl.h"

QUILLMARC_DEFINE_STRING_LIFETIME(DDSCString, DDS_CString)
QUILLMARC_DEFINE_STRING_LIFETIME(DDSCWString, DDS_CWString)

#define DDS_ELEMENT_TYPE(Name, Type) QUILLMARC_DEFINE_SEQUENCE_LIFETIME(DDS_##Name##Sequence)
#include "quillmarc/dds_element_types.def"
