// The shared code of DDS_CString and DDS_CWString, stated once and stamped
// out for each unit type.
#ifndef QUILLMARC_SRC_VALUE_TYPES_STRING_IMPL_H
#define QUILLMARC_SRC_VALUE_TYPES_STRING_IMPL_H

#include <cstddef>
#include <memory>
#include <string>

#include "quillmarc/dds_c_string.h"
#include "value_types/checks.h"
#include "value_types/lifetime.h"
#include "value_types/text.h"

namespace quillmarc {

// Appends C text after the length check (checks.h). Limit is the string's
// maximum length; a unit test passes a small one.
template <class Unit, std::size_t Limit = max_length<Unit>>
void string_append_text(std::basic_string<Unit>& s, const Unit* text) {
  const std::size_t n = std::char_traits<Unit>::length(text);
  check_string_append(s.size(), n, Limit);
  s.append(text, n);
}

}  // namespace quillmarc

// Members common to both classes. Copy assignment builds the replacement
// before releasing the old inner string, so a failed allocation leaves the
// target as it was.
#define QUILLMARC_DEFINE_STRING_CLASS(String, Inner)                               \
  String::String() : inner_(new Inner()) {}                                         \
  String::String(String const& other) : inner_(new Inner(*other.inner_)) {}         \
  String::~String() { delete inner_; }                                              \
  String& String::operator=(String const& other) {                                  \
    if (this != &other) {                                                           \
      Inner* fresh = new Inner(*other.inner_);                                      \
      delete inner_;                                                                \
      inner_ = fresh;                                                               \
    }                                                                               \
    return *this;                                                                   \
  }                                                                                 \
  bool String::operator<(String const& other) const { return *inner_ < *other.inner_; } \
  String::operator Inner&() const { return *inner_; }                               \
  unsigned long String::size() const { return inner_->size(); }

// The C functions but _create, _copy and _destroy (QUILLMARC_DEFINE_STRING_LIFETIME).
// Every one works inside the existing inner string; the making functions
// begin with _create and release the object with _destroy when building its
// content fails.
#define QUILLMARC_DEFINE_STRING_FUNCTIONS(Prefix, String, Inner, Unit)               \
  namespace {                                                                       \
  Inner& Prefix##_in(String* s) { return static_cast<Inner&>(*s); }                 \
  }                                                                                 \
  extern "C" {                                                                      \
  String* Prefix##_from_cstr(const Unit* text) {                                    \
    quillmarc::Made<String> s(Prefix##_create(), Prefix##_destroy);                 \
    Prefix##_in(s.get()) = quillmarc::string_from_text(text);                       \
    return s.release();                                                             \
  }                                                                                 \
  String* Prefix##_from_char(size_t count, Unit c) {                                \
    quillmarc::Made<String> s(Prefix##_create(), Prefix##_destroy);                 \
    Prefix##_in(s.get()).assign(count, c);                                          \
    return s.release();                                                             \
  }                                                                                 \
  String* Prefix##_assign(String* s, String* other) {                               \
    Prefix##_in(s) = Prefix##_in(other);                                            \
    return s;                                                                       \
  }                                                                                 \
  String* Prefix##_assign_cstr(String* s, const Unit* text) {                       \
    Prefix##_in(s).assign(text);                                                    \
    return s;                                                                       \
  }                                                                                 \
  String* Prefix##_assign_char(String* s, Unit c) {                                 \
    Prefix##_in(s).assign(1, c);                                                    \
    return s;                                                                       \
  }                                                                                 \
  size_t Prefix##_size(String* s) { return Prefix##_in(s).size(); }                 \
  size_t Prefix##_length(String* s) { return Prefix##_in(s).length(); }             \
  DDS_Boolean Prefix##_empty(String* s) { return Prefix##_in(s).empty() ? 1 : 0; }  \
  void Prefix##_resize(String* s, size_t n) { Prefix##_in(s).resize(n); }           \
  void Prefix##_resize_char(String* s, size_t n, Unit c) { Prefix##_in(s).resize(n, c); } \
  size_t Prefix##_capacity(String* s) { return Prefix##_in(s).capacity(); }         \
  void Prefix##_reserve(String* s, size_t n) { Prefix##_in(s).reserve(n); }         \
  Unit Prefix##_at(String* s, size_t i) {                                           \
    Inner& in = Prefix##_in(s);                                                     \
    quillmarc::check_string_index(i, in.size());                                    \
    return in[i];                                                                   \
  }                                                                                 \
  /* position size() of a standard string is its terminating NUL */                 \
  Unit Prefix##_front(String* s) { return Prefix##_in(s)[0]; }                      \
  /* an empty string answers NUL rather than reading before its buffer */          \
  Unit Prefix##_back(String* s) {                                                   \
    Inner& in = Prefix##_in(s);                                                     \
    return in.empty() ? Unit() : in.back();                                         \
  }                                                                                 \
  String* Prefix##_append(String* s, String* other) {                               \
    Prefix##_in(s).append(Prefix##_in(other));                                      \
    return s;                                                                       \
  }                                                                                 \
  String* Prefix##_append_cstr(String* s, const Unit* text) {                       \
    quillmarc::string_append_text(Prefix##_in(s), text);                            \
    return s;                                                                       \
  }                                                                                 \
  String* Prefix##_append_char(String* s, size_t count, Unit c) {                   \
    Prefix##_in(s).append(count, c);                                                \
    return s;                                                                       \
  }                                                                                 \
  void Prefix##_push_back(String* s, Unit c) { Prefix##_in(s).push_back(c); }       \
  void Prefix##_pop_back(String* s) {                                               \
    Inner& in = Prefix##_in(s);                                                     \
    if (!in.empty()) in.pop_back();                                                 \
  }                                                                                 \
  String* Prefix##_insert(String* s, size_t pos, String* other) {                   \
    quillmarc::check_string_position("basic_string::replace", pos, Prefix##_in(s).size()); \
    Prefix##_in(s).insert(pos, Prefix##_in(other));                                 \
    return s;                                                                       \
  }                                                                                 \
  String* Prefix##_insert_cstr(String* s, size_t pos, const Unit* text) {           \
    quillmarc::check_string_position("basic_string::replace", pos, Prefix##_in(s).size()); \
    Prefix##_in(s).insert(pos, text);                                               \
    return s;                                                                       \
  }                                                                                 \
  String* Prefix##_erase(String* s, size_t pos, size_t count) {                     \
    quillmarc::check_string_position("basic_string::erase", pos, Prefix##_in(s).size()); \
    Prefix##_in(s).erase(pos, count);                                               \
    return s;                                                                       \
  }                                                                                 \
  void Prefix##_clear(String* s) { Prefix##_in(s).clear(); }                        \
  const Unit* Prefix##_c_str(String* s) { return Prefix##_in(s).c_str(); }          \
  void* Prefix##_inner(String* s) { return &Prefix##_in(s); }                       \
  }

// _create, _copy and _destroy, for a translation unit that does not define
// the class (value_types/lifetime.h).
#define QUILLMARC_DEFINE_STRING_LIFETIME(Prefix, String) \
  QUILLMARC_DEFINE_LIFETIME(String, Prefix)             \
  extern "C" String* Prefix##_copy(String* src) { return new String(*src); }

#endif
