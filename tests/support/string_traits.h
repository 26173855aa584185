// The C functions of DDS_CString and DDS_CWString gathered in one struct
// each, so that one typed test body serves both twins.
#ifndef QUILLMARC_TESTS_SUPPORT_STRING_TRAITS_H
#define QUILLMARC_TESTS_SUPPORT_STRING_TRAITS_H

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "quillmarc/dds_c.h"

#define STRING_FUNCTIONS(Prefix)                                                  \
  static constexpr auto create = Prefix##_create;                                 \
  static constexpr auto copy = Prefix##_copy;                                     \
  static constexpr auto from_cstr = Prefix##_from_cstr;                           \
  static constexpr auto from_char = Prefix##_from_char;                           \
  static constexpr auto destroy = Prefix##_destroy;                               \
  static constexpr auto assign = Prefix##_assign;                                 \
  static constexpr auto assign_cstr = Prefix##_assign_cstr;                       \
  static constexpr auto assign_char = Prefix##_assign_char;                       \
  static constexpr auto size = Prefix##_size;                                     \
  static constexpr auto length = Prefix##_length;                                 \
  static constexpr auto empty = Prefix##_empty;                                   \
  static constexpr auto resize = Prefix##_resize;                                 \
  static constexpr auto resize_char = Prefix##_resize_char;                       \
  static constexpr auto capacity = Prefix##_capacity;                             \
  static constexpr auto reserve = Prefix##_reserve;                               \
  static constexpr auto at = Prefix##_at;                                         \
  static constexpr auto front = Prefix##_front;                                   \
  static constexpr auto back = Prefix##_back;                                     \
  static constexpr auto append = Prefix##_append;                                 \
  static constexpr auto append_cstr = Prefix##_append_cstr;                       \
  static constexpr auto append_char = Prefix##_append_char;                       \
  static constexpr auto push_back = Prefix##_push_back;                           \
  static constexpr auto pop_back = Prefix##_pop_back;                             \
  static constexpr auto insert = Prefix##_insert;                                 \
  static constexpr auto insert_cstr = Prefix##_insert_cstr;                       \
  static constexpr auto erase = Prefix##_erase;                                   \
  static constexpr auto clear = Prefix##_clear;                                   \
  static constexpr auto c_str = Prefix##_c_str;                                   \
  static constexpr auto inner = Prefix##_inner;

struct Narrow {
  using String = DDS_CString;
  using Unit = char;
  using Std = std::string;
  STRING_FUNCTIONS(DDSCString)
  static constexpr size_t kNewCapacity = 15;
  static constexpr size_t kMaxLength = 0x3fffffffffffffff;
};

struct Wide {
  using String = DDS_CWString;
  using Unit = wchar_t;
  using Std = std::wstring;
  STRING_FUNCTIONS(DDSCWString)
  static constexpr size_t kNewCapacity = 3;
  static constexpr size_t kMaxLength = 0x0fffffffffffffff;
};

using Twins = ::testing::Types<Narrow, Wide>;

#endif
