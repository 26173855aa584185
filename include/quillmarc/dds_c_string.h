/* DDS_CString and DDS_CWString: owning 8-bit and wide string values.
 *
 * Each object owns one heap string; copies are deep. Objects returned by
 * DDSCString_create, _copy, _from_cstr and _from_char belong to the caller,
 * who releases them with DDSCString_destroy (wide: the DDSCWString_ twins).
 * DDSCString_copy(src) makes a new object; the sequences' and maps' _copy
 * fill an existing one instead. Pointers from _c_str and _inner belong to
 * the object.
 *
 * Misuse is reported by standard C++ exceptions thrown through the
 * functions, which a C++ caller catches. C cannot catch them: in a C
 * program such misuse ends the program, through std::terminate, which
 * prints the exception's type and message on stderr and aborts (SIGABRT).
 * The functions that refuse misuse are listed below; the others take every
 * pointer as valid and do not test it (only _destroy accepts NULL). */
#ifndef QUILLMARC_DDS_C_STRING_H
#define QUILLMARC_DDS_C_STRING_H

#include "dds_primitives.h"

#ifdef __cplusplus
#include <string>

class QUILLMARC_API DDS_CString {
 public:
  DDS_CString();
  DDS_CString(std::string const& text);
  DDS_CString(DDS_CString const& other);
  ~DDS_CString();
  /* Replaces the inner string with a new one (self-assignment does nothing). */
  DDS_CString& operator=(DDS_CString const& other);
  /* Copies into the existing inner string. */
  DDS_CString& operator=(std::string const& text);
  /* Unit order: bytes as unsigned values, a shorter prefix first. */
  bool operator<(DDS_CString const& other) const;
  operator std::string&() const;
  unsigned long size() const;

 private:
  std::string* inner_;
};

class QUILLMARC_API DDS_CWString {
 public:
  DDS_CWString();
  DDS_CWString(DDS_CWString const& other);
  ~DDS_CWString();
  DDS_CWString& operator=(DDS_CWString const& other);
  /* Unit order: units as signed 32-bit values, a shorter prefix first. */
  bool operator<(DDS_CWString const& other) const;
  operator std::wstring&() const;
  unsigned long size() const;

 private:
  std::wstring* inner_;
};

static_assert(sizeof(DDS_CString) == sizeof(void*), "one pointer wide");
static_assert(sizeof(DDS_CWString) == sizeof(void*), "one pointer wide");
#else
/* In C a string is an opaque pointer-sized value; use the functions below. */
typedef struct DDS_CString { void* opaque_; } DDS_CString;
typedef struct DDS_CWString { void* opaque_; } DDS_CWString;
#endif

/* The 29 string functions, declared once for the 8-bit and the wide twin.
 * Lengths and positions count units (bytes, or wchar_t units). Misuse
 * throws, and so ends a C program as said above:
 *   _at(s, i), i >= length         std::out_of_range "Index out of range"
 *   _insert, _insert_cstr, _erase with pos > length
 *                                  std::out_of_range naming pos and length
 *   _from_cstr(NULL)               std::logic_error
 *                                  "basic_string::_M_construct null not valid"
 *   growth past the maximum length std::length_error
 *   memory exhausted               std::bad_alloc
 * _c_str takes a non-const String* but changes nothing: a const string that
 * a map hands out (a key from _index) may be cast to String* to read it. */
#define QUILLMARC_DECLARE_STRING_FUNCTIONS(Prefix, String, Unit)                       \
  /* New objects, the caller's until _destroy (NULL: nothing happens). */              \
  QUILLMARC_API String* Prefix##_create(void);                                          \
  QUILLMARC_API String* Prefix##_copy(String* src);                                     \
  QUILLMARC_API String* Prefix##_from_cstr(const Unit* text);                           \
  QUILLMARC_API String* Prefix##_from_char(size_t count, Unit c);                       \
  QUILLMARC_API void Prefix##_destroy(String* s);                                       \
  /* Content; a String* result is s itself. */                                          \
  QUILLMARC_API String* Prefix##_assign(String* s, String* other);                      \
  QUILLMARC_API String* Prefix##_assign_cstr(String* s, const Unit* text);              \
  QUILLMARC_API String* Prefix##_assign_char(String* s, Unit c);                        \
  QUILLMARC_API size_t Prefix##_size(String* s);                                        \
  QUILLMARC_API size_t Prefix##_length(String* s);                                      \
  QUILLMARC_API DDS_Boolean Prefix##_empty(String* s);                                  \
  QUILLMARC_API void Prefix##_resize(String* s, size_t n);                              \
  QUILLMARC_API void Prefix##_resize_char(String* s, size_t n, Unit c);                 \
  QUILLMARC_API size_t Prefix##_capacity(String* s);                                    \
  QUILLMARC_API void Prefix##_reserve(String* s, size_t n);                             \
  QUILLMARC_API Unit Prefix##_at(String* s, size_t i);                                  \
  QUILLMARC_API Unit Prefix##_front(String* s);                                         \
  QUILLMARC_API Unit Prefix##_back(String* s);                                          \
  QUILLMARC_API String* Prefix##_append(String* s, String* other);                      \
  QUILLMARC_API String* Prefix##_append_cstr(String* s, const Unit* text);              \
  QUILLMARC_API String* Prefix##_append_char(String* s, size_t count, Unit c);          \
  QUILLMARC_API void Prefix##_push_back(String* s, Unit c);                             \
  QUILLMARC_API void Prefix##_pop_back(String* s);                                      \
  QUILLMARC_API String* Prefix##_insert(String* s, size_t pos, String* other);          \
  QUILLMARC_API String* Prefix##_insert_cstr(String* s, size_t pos, const Unit* text);  \
  QUILLMARC_API String* Prefix##_erase(String* s, size_t pos, size_t count);            \
  QUILLMARC_API void Prefix##_clear(String* s);                                         \
  QUILLMARC_API const Unit* Prefix##_c_str(String* s);                                  \
  QUILLMARC_API void* Prefix##_inner(String* s);

QUILLMARC_EXTERN_C_BEGIN
QUILLMARC_DECLARE_STRING_FUNCTIONS(DDSCString, DDS_CString, char)
QUILLMARC_DECLARE_STRING_FUNCTIONS(DDSCWString, DDS_CWString, wchar_t)
QUILLMARC_EXTERN_C_END

#endif
