// DDS_LongDouble: layout, value-initialisation and the numeric order.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "quillmarc/dds_primitives.h"

namespace {

DDS_LongDouble make(long double v) {
  DDS_LongDouble d;
  std::memset(&d, 0, sizeof d);
  d.value = v;
  return d;
}

TEST(LongDouble, IsSixteenTrivialBytesAlignedToSixteen) {
  EXPECT_EQ(sizeof(DDS_LongDouble), 16u);
  EXPECT_EQ(alignof(DDS_LongDouble), 16u);
  EXPECT_TRUE(std::is_trivially_copyable_v<DDS_LongDouble>);
  EXPECT_TRUE(std::is_trivially_default_constructible_v<DDS_LongDouble>);
}

TEST(LongDouble, ValueInitialisationIsPositiveZero) {
  DDS_LongDouble junk;
  std::memset(&junk, 0xAB, sizeof junk);
  DDS_LongDouble* v = new (&junk) DDS_LongDouble();
  const unsigned char zero[10] = {};
  EXPECT_EQ(std::memcmp(v->bytes, zero, 10), 0);
}

TEST(LongDouble, OrderIsNumericOverTheTenNumberBytes) {
  std::less<DDS_LongDouble> less;
  DDS_LongDouble one = make(1.0L), two = make(2.0L);
  EXPECT_TRUE(less(one, two));
  EXPECT_FALSE(less(two, one));
  EXPECT_TRUE(less(make(-3.0L), one));

  DDS_LongDouble tagged = one;
  for (int i = 10; i < 16; ++i) tagged.bytes[i] = 0x5A;
  EXPECT_FALSE(less(one, tagged));
  EXPECT_FALSE(less(tagged, one));
  DDS_LongDouble copy = tagged;
  EXPECT_EQ(std::memcmp(&copy, &tagged, 16), 0);

  DDS_LongDouble plus_zero = make(0.0L), minus_zero = make(-0.0L);
  EXPECT_FALSE(less(plus_zero, minus_zero));
  EXPECT_FALSE(less(minus_zero, plus_zero));

  DDS_LongDouble nan = make(std::numeric_limits<long double>::quiet_NaN());
  EXPECT_FALSE(less(nan, one));
  EXPECT_FALSE(less(one, nan));
}

TEST(LongDouble, UnsupportedEncodingsCompareUnordered) {
  // An "unnormal": exponent set, explicit integer bit clear.
  DDS_LongDouble unnormal = make(0.0L);
  unnormal.bytes[7] = 0x40;
  unnormal.bytes[8] = 0xff;
  unnormal.bytes[9] = 0x3f;
  std::less<DDS_LongDouble> less;
  EXPECT_FALSE(less(unnormal, make(1e30L)));
  EXPECT_FALSE(less(make(-1e30L), unnormal));
}

}  // namespace
