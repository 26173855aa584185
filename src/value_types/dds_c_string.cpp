// DDS_CString and the DDSCString_ functions; _create, _copy and _destroy
// stand in lifetimes.cpp.
#include "value_types/string_impl.h"

QUILLMARC_DEFINE_STRING_CLASS(DDS_CString, std::string)

DDS_CString::DDS_CString(std::string const& text) : inner_(new std::string(text)) {}

DDS_CString& DDS_CString::operator=(std::string const& text) {
  *inner_ = text;
  return *this;
}

QUILLMARC_DEFINE_STRING_FUNCTIONS(DDSCString, DDS_CString, std::string, char)
