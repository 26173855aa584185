// DDS_CWString and the DDSCWString_ functions, the wide twins of DDS_CString;
// _create, _copy and _destroy stand in lifetimes.cpp.
#include "value_types/string_impl.h"

QUILLMARC_DEFINE_STRING_CLASS(DDS_CWString, std::wstring)

QUILLMARC_DEFINE_STRING_FUNCTIONS(DDSCWString, DDS_CWString, std::wstring, wchar_t)
