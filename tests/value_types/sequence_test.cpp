// The sequence family over the 15 element types.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "quillmarc/dds_c.h"
#include "support/sequence_suite.h"
#include "support/value_sequences.h"

namespace {

INSTANTIATE_TYPED_TEST_SUITE_P(Values, SequenceTest, ValueSequences, SequenceNames);

TEST(BooleanSequence, KeepsEveryByteValue) {
  DDS_BooleanSequence* q = DDS_BooleanSequence_create();
  DDS_BooleanSequence_push_back_value(q, 2);
  DDS_BooleanSequence_push_back_value(q, static_cast<DDS_Boolean>(0xFF));
  EXPECT_EQ(*DDS_BooleanSequence_at(q, 0), 2);
  EXPECT_EQ(*DDS_BooleanSequence_at(q, 1), -1);
  // Boolean and Char sequences share their vector type.
  DDS_CharSequence chars(static_cast<std::vector<char>&>(*q));
  EXPECT_EQ(chars[0], 2);
  DDS_BooleanSequence_destroy(q);
}

TEST(StringSequence, ElementsAreDeepCopiesWithTheirOwnInnerStrings) {
  DDS_CStringSequence* q = DDS_CStringSequence_create_with_size(2);
  EXPECT_NE(DDSCString_inner(DDS_CStringSequence_at(q, 0)), DDSCString_inner(DDS_CStringSequence_at(q, 1)));
  DDS_CString mine(std::string("mine"));
  DDS_CStringSequence_push_back(q, &mine);
  DDS_CStringSequence_push_back_value(q, mine);
  mine = std::string("changed");
  EXPECT_STREQ(DDSCString_c_str(DDS_CStringSequence_at(q, 2)), "mine");
  EXPECT_STREQ(DDSCString_c_str(DDS_CStringSequence_at(q, 3)), "mine");
  EXPECT_NE(DDSCString_inner(DDS_CStringSequence_at(q, 2)), DDSCString_inner(&mine));
  DDS_CStringSequence_pop_back(q);
  EXPECT_EQ(DDS_CStringSequence_size(q), 3u);
  DDS_CStringSequence_destroy(q);
}

TEST(LongDoubleSequence, CopiesCarryAllSixteenBytes) {
  DDS_LongDouble v{};
  v.value = 1.25L;
  for (int i = 10; i < 16; ++i) v.bytes[i] = static_cast<unsigned char>(0xA0 + i);
  DDS_LongDoubleSequence* q = DDS_LongDoubleSequence_create();
  DDS_LongDoubleSequence_push_back_value(q, v);
  DDS_LongDoubleSequence_reserve(q, 64);
  DDS_LongDoubleSequence copy(*q);
  EXPECT_EQ(std::memcmp(copy.data(), &v, sizeof v), 0);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(copy.data()) % 16, 0u);
  DDS_LongDoubleSequence_destroy(q);
}

// A DDS_LongDouble argument travels as two 64-bit integer words, the way a
// 16-byte integer aggregate does, not in memory as a bare long double would.
// Both sides of this file share one declaration, so only a call made in the
// integer-word shape shows a change of that calling convention.
TEST(LongDoubleSequence, ValueArgumentTravelsAsTwoIntegerWords) {
  using AsWords = void (*)(DDS_LongDoubleSequence*, std::uint64_t, std::uint64_t);
  const auto push_words = reinterpret_cast<AsWords>(
      reinterpret_cast<void (*)()>(&DDS_LongDoubleSequence_push_back_value));
  DDS_LongDouble v{};
  v.value = -3.75L;
  for (int i = 10; i < 16; ++i) v.bytes[i] = static_cast<unsigned char>(0xB0 + i);
  std::uint64_t words[2];
  std::memcpy(words, &v, sizeof words);

  DDS_LongDoubleSequence* q = DDS_LongDoubleSequence_create();
  push_words(q, words[0], words[1]);
  ASSERT_EQ(DDS_LongDoubleSequence_size(q), 1u);
  EXPECT_EQ(std::memcmp(DDS_LongDoubleSequence_at(q, 0), &v, sizeof v), 0);
  DDS_LongDoubleSequence_destroy(q);
}

}  // namespace
