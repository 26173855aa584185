// DDS_CWString and the DDSCWString_ functions, the wide twins of DDS_CString.
#include "value_types/string_impl.h"

QUILLMARC_DEFINE_STRING_CLASS(DDS_CWString, std::wstring)

QUILLMARC_DEFINE_STRING_FUNCTIONS(DDSCWString, DDS_CWString, std::wstring, wchar_t)
