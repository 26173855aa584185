// The checks behind the exceptions that the value types and maps raise of
// their own, with the exact texts those exceptions carry. The library makes
// every such exception itself, before it calls the standard container, so
// that callers see the same type and the same words whichever standard
// library it was built with. The size checks take their limit as an
// argument: the operations that use them pass the real one, a unit test a
// small one.
#ifndef QUILLMARC_SRC_VALUE_TYPES_CHECKS_H
#define QUILLMARC_SRC_VALUE_TYPES_CHECKS_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

namespace quillmarc {

// The most elements a sequence of T holds, and the most units a string of
// Unit holds: the bounds of every growth check, fixed here rather than taken
// from the standard library's max_size(), which differs between libraries.
template <class T>
inline constexpr std::size_t max_elements = PTRDIFF_MAX / sizeof(T);
template <class Unit>
inline constexpr std::size_t max_length = (PTRDIFF_MAX / sizeof(Unit) - 1) / 2;

// The throws stay out of line, so that the checks cost the calls that pass
// them one comparison and nothing more.
namespace fail {

[[noreturn, gnu::cold, gnu::noinline]] inline void length(const char* text) {
  throw std::length_error(text);
}

[[noreturn, gnu::cold, gnu::noinline]] inline void out_of_range(const char* text) {
  throw std::out_of_range(text);
}

[[noreturn, gnu::cold, gnu::noinline]] inline void null_text() {
  throw std::logic_error("basic_string::_M_construct null not valid");
}

[[noreturn, gnu::cold, gnu::noinline]] inline void vector_index(std::size_t n, std::size_t size) {
  char text[128];
  std::snprintf(text, sizeof text,
                "vector::_M_range_check: __n (which is %zu) >= this->size() (which is %zu)", n, size);
  throw std::out_of_range(text);
}

// `operation` is "basic_string::replace" or "basic_string::erase".
[[noreturn, gnu::cold, gnu::noinline]] inline void string_position(const char* operation, std::size_t pos,
                                                                  std::size_t size) {
  char text[128];
  std::snprintf(text, sizeof text, "%s: __pos (which is %zu) > this->size() (which is %zu)", operation, pos,
                size);
  throw std::out_of_range(text);
}

[[noreturn, gnu::cold, gnu::noinline]] inline void absent_key() { throw std::out_of_range("map::at"); }

// "<function>: <argument> is NULL".
[[noreturn, gnu::cold, gnu::noinline]] inline void null_argument(const char* function, const char* argument) {
  char text[160];
  std::snprintf(text, sizeof text, "%s: %s is NULL", function, argument);
  throw std::invalid_argument(text);
}

}  // namespace fail

// Strings.

inline void check_string_index(std::size_t i, std::size_t size) {
  if (i >= size) fail::out_of_range("Index out of range");
}

// `operation` names the position check in the message (see fail::string_position).
inline void check_string_position(const char* operation, std::size_t pos, std::size_t size) {
  if (pos > size) fail::string_position(operation, pos, size);
}

// Appending n units to a string of `size` units.
inline void check_string_append(std::size_t size, std::size_t n, std::size_t limit) {
  if (n > limit - size) fail::length("basic_string::append");
}

// Maps: the key, value and output pointers of the C functions, which would
// otherwise be followed.

inline void check_argument(const void* p, const char* function, const char* argument) {
  if (p == nullptr) fail::null_argument(function, argument);
}

// Sequences.

inline void check_vector_index(std::size_t n, std::size_t size) {
  if (n >= size) fail::vector_index(n, size);
}

inline void check_vector_reserve(std::size_t n, std::size_t limit) {
  if (n > limit) fail::length("vector::reserve");
}

// Resizing to n elements: beyond the limit, the n - size new elements are
// more than the limit leaves room for.
inline void check_vector_resize(std::size_t n, std::size_t limit) {
  if (n > limit) fail::length("vector::_M_default_append");
}

// Appending to a full vector of `size` elements, which must grow.
inline void check_vector_growth(std::size_t size, std::size_t limit) {
  if (size >= limit) fail::length("vector::_M_realloc_insert");
}

}  // namespace quillmarc

#endif
