/* The primitive element types of the sequences and maps, and DDS_LongDouble. */
#ifndef QUILLMARC_DDS_PRIMITIVES_H
#define QUILLMARC_DDS_PRIMITIVES_H

#include <stddef.h>

#include "dds_export.h"

/* DDS_Boolean is the signed 8-bit char, not a truth type: every byte value
 * is kept as given, and it is the same type as DDS_Char. */
typedef char DDS_Boolean;
typedef char DDS_Char;
typedef wchar_t DDS_WChar;
typedef unsigned char DDS_UChar;
typedef short DDS_Short;
typedef unsigned short DDS_UShort;
typedef int DDS_Long;
typedef unsigned int DDS_ULong;
typedef long DDS_LongLong;
typedef unsigned long DDS_ULongLong;
typedef float DDS_Float;
typedef double DDS_Double;

/* An x87 80-bit extended-precision number in bytes 0-9 of 16 bytes aligned
 * to 16. The byte array makes the union an integer aggregate for the calling
 * convention, so a DDS_LongDouble passed by value travels in two integer
 * registers. Bytes 10-15 are copied along but are no part of the number. */
typedef union DDS_LongDouble {
  long double value;
  unsigned char bytes[16];
} DDS_LongDouble;

#ifdef __cplusplus
#include <cstring>

static_assert(sizeof(DDS_LongDouble) == 16 && alignof(DDS_LongDouble) == 16,
              "DDS_LongDouble must be 16 bytes aligned to 16");

/* Numeric order of the 80-bit numbers; any comparison with a NaN or an
 * unsupported x87 encoding is false. This is std::less<DDS_LongDouble>. */
inline bool operator<(DDS_LongDouble const& a, DDS_LongDouble const& b) {
  long double x, y;
  std::memcpy(&x, &a, sizeof x);
  std::memcpy(&y, &b, sizeof y);
  return x < y;
}
#endif

#endif
