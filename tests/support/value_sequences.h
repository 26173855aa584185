// Traits of the 15 value-type sequences, with the maximum size each promises.
#ifndef QUILLMARC_TESTS_SUPPORT_VALUE_SEQUENCES_H
#define QUILLMARC_TESTS_SUPPORT_VALUE_SEQUENCES_H

#include <gtest/gtest.h>

#include "quillmarc/dds_c.h"
#include "support/sequence_traits.h"

SEQUENCE_TRAITS(Boolean, DDS_Boolean, 0x7fffffffffffffff)
SEQUENCE_TRAITS(Char, DDS_Char, 0x7fffffffffffffff)
SEQUENCE_TRAITS(WChar, DDS_WChar, 0x1fffffffffffffff)
SEQUENCE_TRAITS(UChar, DDS_UChar, 0x7fffffffffffffff)
SEQUENCE_TRAITS(Short, DDS_Short, 0x3fffffffffffffff)
SEQUENCE_TRAITS(UShort, DDS_UShort, 0x3fffffffffffffff)
SEQUENCE_TRAITS(Long, DDS_Long, 0x1fffffffffffffff)
SEQUENCE_TRAITS(ULong, DDS_ULong, 0x1fffffffffffffff)
SEQUENCE_TRAITS(LongLong, DDS_LongLong, 0x0fffffffffffffff)
SEQUENCE_TRAITS(ULongLong, DDS_ULongLong, 0x0fffffffffffffff)
SEQUENCE_TRAITS(Float, DDS_Float, 0x1fffffffffffffff)
SEQUENCE_TRAITS(Double, DDS_Double, 0x0fffffffffffffff)
SEQUENCE_TRAITS(LongDouble, DDS_LongDouble, 0x07ffffffffffffff)
SEQUENCE_TRAITS(CString, DDS_CString, 0x0fffffffffffffff)
SEQUENCE_TRAITS(CWString, DDS_CWString, 0x0fffffffffffffff)

using ValueSequences =
    ::testing::Types<BooleanSequence, CharSequence, WCharSequence, UCharSequence, ShortSequence,
                     UShortSequence, LongSequence, ULongSequence, LongLongSequence,
                     ULongLongSequence, FloatSequence, DoubleSequence, LongDoubleSequence,
                     CStringSequence, CWStringSequence>;

#endif
