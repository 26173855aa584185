// Sample values and comparisons for every element type, so that typed tests
// can run one body across the whole sequence (and map) family.
#ifndef QUILLMARC_TESTS_SUPPORT_ELEMENTS_H
#define QUILLMARC_TESTS_SUPPORT_ELEMENTS_H

#include <cstring>
#include <string>
#include <type_traits>

#include "quillmarc/dds_c.h"

namespace testing_elements {

// A value that differs for every i.
template <class T>
T sample(int i) {
  if constexpr (std::is_same_v<T, DDS_LongDouble>) {
    DDS_LongDouble v{};
    v.value = i + 0.5L;
    return v;
  } else if constexpr (std::is_same_v<T, DDS_CString>) {
    return DDS_CString(std::string("text-") + std::to_string(i));
  } else if constexpr (std::is_same_v<T, DDS_CWString>) {
    DDS_CWString w;
    static_cast<std::wstring&>(w) = L"wide-" + std::to_wstring(i);
    return w;
  } else if constexpr (std::is_pointer_v<T>) {
    return reinterpret_cast<T>(static_cast<std::uintptr_t>(0x1000 + 16 * i));
  } else if constexpr (std::is_class_v<T>) {  // records: distinct bytes
    T v;
    std::memset(&v, 0x20 + i, sizeof v);
    return v;
  } else {
    return static_cast<T>(i + 1);
  }
}

// Same value: numbers by value, DDS_LongDouble by its 10 number bytes,
// strings by content, records by all their bytes.
template <class T>
bool same(T const& a, T const& b) {
  if constexpr (std::is_same_v<T, DDS_LongDouble>) {
    return std::memcmp(a.bytes, b.bytes, 10) == 0;
  } else if constexpr (std::is_same_v<T, DDS_CString>) {
    return static_cast<std::string&>(a) == static_cast<std::string&>(b);
  } else if constexpr (std::is_same_v<T, DDS_CWString>) {
    return static_cast<std::wstring&>(a) == static_cast<std::wstring&>(b);
  } else if constexpr (std::is_class_v<T>) {
    return std::memcmp(&a, &b, sizeof a) == 0;
  } else {
    return a == b;
  }
}

// What value-initialisation gives: zero bits (bytes 0-9 of a DDS_LongDouble),
// or the empty string.
template <class T>
bool is_new(T const& v) {
  if constexpr (std::is_same_v<T, DDS_CString> || std::is_same_v<T, DDS_CWString>) {
    return v.size() == 0;
  } else {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&v);
    size_t n = std::is_same_v<T, DDS_LongDouble> ? 10 : sizeof v;
    for (size_t i = 0; i < n; ++i)
      if (bytes[i] != 0) return false;
    return true;
  }
}

}  // namespace testing_elements

#endif
