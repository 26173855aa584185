// Sample keys and values for every element type, and the C functions of a
// map type gathered under one name, for tests that run over many map types.
#ifndef QUILLMARC_TESTS_MAPS_MAP_SAMPLES_H
#define QUILLMARC_TESTS_MAPS_MAP_SAMPLES_H

#include <gtest/gtest.h>
#include <quillmarc/dds_c.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace maptest {

// Exactly the same stored value: numbers bit for bit (all 16 bytes of a
// DDS_LongDouble), strings unit for unit.
template <class T>
bool same(T const& a, T const& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}
inline bool same(DDS_CString const& a, DDS_CString const& b) {
  return static_cast<std::string&>(a) == static_cast<std::string&>(b);
}
inline bool same(DDS_CWString const& a, DDS_CWString const& b) {
  return static_cast<std::wstring&>(a) == static_cast<std::wstring&>(b);
}

// What an entry made without a value holds: zero bits, +0.0 in the 80-bit
// part of a DDS_LongDouble, an empty string.
template <class T>
bool is_new_value(T const& v) {
  T zero;
  std::memset(&zero, 0, sizeof zero);
  return same(v, zero);
}
inline bool is_new_value(DDS_LongDouble const& v) {
  static const unsigned char zero[10] = {};
  return std::memcmp(&v, zero, 10) == 0;
}
inline bool is_new_value(DDS_CString const& v) { return v.size() == 0; }
inline bool is_new_value(DDS_CWString const& v) { return v.size() == 0; }

template <class T, class Bits>
T from_bits(Bits bits) {
  static_assert(sizeof(T) == sizeof(Bits), "same width");
  T t;
  std::memcpy(&t, &bits, sizeof t);
  return t;
}

// An extended-precision value whose bytes 10-15, no part of the number,
// carry `tail`, so that tests can see whether all 16 bytes travel.
inline DDS_LongDouble long_double(long double x, unsigned char tail = 0x5a) {
  DDS_LongDouble d;
  std::memset(&d, tail, sizeof d);
  std::memcpy(&d, &x, 10);
  return d;
}

// An extended-precision value from its raw 80 bits: significand, then
// sign and exponent.
inline DDS_LongDouble long_double_bits(std::uint64_t significand, std::uint16_t sign_exponent,
                                       unsigned char tail = 0x5a) {
  DDS_LongDouble d;
  std::memset(&d, tail, sizeof d);
  std::memcpy(d.bytes, &significand, 8);
  std::memcpy(d.bytes + 8, &sign_exponent, 2);
  return d;
}

inline DDS_CString cstring(std::string const& text) { return DDS_CString(text); }
inline DDS_CWString cwstring(std::wstring const& text) {
  DDS_CWString s;
  static_cast<std::wstring&>(s) = text;
  return s;
}

// Samples<T>::keys() are distinct keys in ascending map key order, chosen at
// the edges of the type's order; Samples<T>::values() are values whose bits
// a careless copy would change.
template <class T>
struct Samples;

template <class T>
struct IntegerSamples {
  static std::vector<T> values() {
    return {T(2), std::numeric_limits<T>::max(), std::numeric_limits<T>::min(), T(-1)};
  }
};

// DDS_Boolean and DDS_Char: signed bytes; 0x80 and 0xFF sort before 0, and
// 2 is a key and a value of its own.
template <>
struct Samples<char> : IntegerSamples<char> {
  static std::vector<char> keys() { return {-128, -1, 0, 1, 2, 127}; }
};
template <>
struct Samples<wchar_t> : IntegerSamples<wchar_t> {
  // 65 and 65 + 2^16 differ in bit 16 only.
  static std::vector<wchar_t> keys() { return {WCHAR_MIN, -1, 0, 65, 65 + 65536, WCHAR_MAX}; }
};
template <>
struct Samples<unsigned char> : IntegerSamples<unsigned char> {
  static std::vector<unsigned char> keys() { return {0x00, 0x01, 0x7f, 0x80, 0xff}; }
};
template <>
struct Samples<short> : IntegerSamples<short> {
  static std::vector<short> keys() { return {SHRT_MIN, -1, 0, 1, SHRT_MAX}; }
};
template <>
struct Samples<unsigned short> : IntegerSamples<unsigned short> {
  static std::vector<unsigned short> keys() { return {0, 1, 0x7fff, 0x8000, 0xffff}; }
};
template <>
struct Samples<int> : IntegerSamples<int> {
  static std::vector<int> keys() { return {INT_MIN, -1, 0, 1, INT_MAX}; }
};
template <>
struct Samples<unsigned int> : IntegerSamples<unsigned int> {
  // 10, 20 and 30 tell a position of _index from a key.
  static std::vector<unsigned int> keys() {
    return {0, 10, 20, 30, 0x7fffffffu, 0x80000000u, 0xffffffffu};
  }
};
template <>
struct Samples<long> : IntegerSamples<long> {
  static std::vector<long> keys() { return {LONG_MIN, -3, -1, 0, 1, 5, LONG_MAX}; }
};
template <>
struct Samples<unsigned long> : IntegerSamples<unsigned long> {
  static std::vector<unsigned long> keys() { return {0, 1, 5, 1ul << 63, ULONG_MAX}; }
};

template <class T, class Bits>
struct FloatSamples {
  static std::vector<T> keys() {
    T inf = std::numeric_limits<T>::infinity();
    // 1.0 and the next value above it are two keys at full precision.
    return {-inf, T(-1), T(0), std::numeric_limits<T>::denorm_min(), T(1),
            std::nextafter(T(1), T(2)), inf};
  }
};
template <>
struct Samples<float> : FloatSamples<float, std::uint32_t> {
  static std::vector<float> values() {
    // -0.0, a negative quiet NaN with a payload, a signalling NaN
    return {-0.0f, from_bits<float>(0xffc12345u), from_bits<float>(0x7f800001u), 1.5f};
  }
};
template <>
struct Samples<double> : FloatSamples<double, std::uint64_t> {
  static std::vector<double> values() {
    return {-0.0, from_bits<double>(0xfff8000000012345ull), from_bits<double>(0x7ff0000000000001ull),
            1.5};
  }
};
template <>
struct Samples<DDS_LongDouble> {
  static std::vector<DDS_LongDouble> keys() {
    long double inf = std::numeric_limits<long double>::infinity();
    return {long_double(-inf), long_double(-1.0L), long_double(0.0L, 0x11),
            long_double(std::numeric_limits<long double>::denorm_min()), long_double(1.0L, 0x22),
            long_double(1.0L + std::ldexp(1.0L, -63)), long_double(inf)};
  }
  static std::vector<DDS_LongDouble> values() {
    return {long_double(0.0L, 0xab), long_double(-0.0L, 0xcd), long_double(3.25L, 0x01),
            long_double_bits(0xc000000000012345ull, 0xffff, 0xee)};
  }
};
template <>
struct Samples<DDS_CString> {
  static std::vector<DDS_CString> keys() {
    // Bytes compare unsigned; a unit 0 is an ordinary unit; a prefix first.
    return {cstring(""),          cstring("Z"),           cstring("a"),
            cstring({"a\0", 2}),  cstring("ab"),          cstring({"ab\0", 3}),
            cstring("\x7f"),      cstring("\x80"),        cstring("\xff")};
  }
  static std::vector<DDS_CString> values() {
    return {cstring("value"), cstring(""), cstring({"nul\0inside", 10}),
            cstring("a value long enough to live on the heap")};
  }
};
template <>
struct Samples<DDS_CWString> {
  static std::vector<DDS_CWString> keys() {
    // Units compare as signed 32-bit values: 2^31 and 2^32 - 1 before 0.
    return {cwstring(L""),
            cwstring(std::wstring(1, WCHAR_MIN)),
            cwstring(std::wstring(1, wchar_t(-1))),
            cwstring(std::wstring(1, L'\0')),
            cwstring(L"A"),
            cwstring(L"a"),
            cwstring(std::wstring(L"a\0", 2)),
            cwstring(L"ab"),
            cwstring(L"b"),
            cwstring(std::wstring(1, wchar_t(255))),
            cwstring(std::wstring(1, WCHAR_MAX))};
  }
  static std::vector<DDS_CWString> values() {
    return {cwstring(L"value"), cwstring(L""), cwstring(std::wstring(L"nul\0in", 6)),
            cwstring(L"a wide value long enough for the heap")};
  }
};

// The C functions of one map type, by the names the tests use.
template <class Map>
struct Api;

#define MAPTEST_API(Map, K, V)                          \
  namespace maptest {                                   \
  template <>                                           \
  struct Api<Map> {                                     \
    using Key = K;                                      \
    using Value = V;                                    \
    static constexpr const char* name = #Map;           \
    static constexpr auto create = &Map##_create;       \
    static constexpr auto destroy = &Map##_destroy;     \
    static constexpr auto copy = &Map##_copy;           \
    static constexpr auto insert = &Map##_insert;       \
    static constexpr auto erase = &Map##_erase;         \
    static constexpr auto find = &Map##_find;           \
    static constexpr auto find_const = &Map##_find_const; \
    static constexpr auto empty = &Map##_empty;         \
    static constexpr auto size = &Map##_size;           \
    static constexpr auto clear = &Map##_clear;         \
    static constexpr auto index = &Map##_index;         \
  };                                                    \
  }

// Runs f and expects the const subscript's failure.
template <class F>
void expect_map_at(F&& f) {
  try {
    f();
    ADD_FAILURE() << "expected std::out_of_range";
  } catch (std::out_of_range const& e) {
    EXPECT_STREQ("map::at", e.what());
  }
}

}  // namespace maptest

#endif
