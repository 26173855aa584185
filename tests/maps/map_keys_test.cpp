// What particular key types bring to the maps: signed zeros and NaNs of the
// floating-point keys, the 80-bit part of extended-precision keys, string
// keys as objects of their own, and the maps that share an inner map type.
#include <type_traits>

#include "map_samples.h"

MAPTEST_API(DDS_FloatDDS_LongMap, DDS_Float, DDS_Long)
MAPTEST_API(DDS_DoubleDDS_LongMap, DDS_Double, DDS_Long)
MAPTEST_API(DDS_LongDoubleDDS_LongMap, DDS_LongDouble, DDS_Long)
MAPTEST_API(DDS_LongDoubleDDS_LongDoubleMap, DDS_LongDouble, DDS_LongDouble)
MAPTEST_API(DDS_CStringDDS_CStringMap, DDS_CString, DDS_CString)
MAPTEST_API(DDS_CWStringDDS_CWStringMap, DDS_CWString, DDS_CWString)
MAPTEST_API(DDS_UShortDDS_LongMap, DDS_UShort, DDS_Long)

namespace maptest {
namespace {

// Floating-point keys of each precision, made from plain numbers, and a NaN
// with sign, payload and bytes that must survive as they are.
template <class K>
struct FloatKey;
template <>
struct FloatKey<float> {
  static float of(double x) { return static_cast<float>(x); }
  static float nan() { return from_bits<float>(0xffa01234u); }
};
template <>
struct FloatKey<double> {
  static double of(double x) { return x; }
  static double nan() { return from_bits<double>(0xfff4000000001234ull); }
};
template <>
struct FloatKey<DDS_LongDouble> {
  static DDS_LongDouble of(double x) { return long_double(x); }
  static DDS_LongDouble nan() { return long_double_bits(0xa000000000001234ull, 0xffff, 0x77); }
};

template <class Map>
class FloatKeyedMap : public ::testing::Test {
 protected:
  using A = Api<Map>;
  using K = typename A::Key;

  FloatKeyedMap() : m(A::create()) {}
  ~FloatKeyedMap() override { A::destroy(m); }

  static K key(double x) { return FloatKey<K>::of(x); }
  static K nan() { return FloatKey<K>::nan(); }

  void put(K k, DDS_Long v) { A::insert(m, &k, &v); }
  DDS_Long* find(K k) { return A::find(m, &k); }
  K stored_key(DDS_ULong i) {
    K const* k = nullptr;
    DDS_Long* v = nullptr;
    EXPECT_EQ(1, A::index(m, i, &k, &v));
    return k == nullptr ? K() : *k;
  }

  Map* m;
};

using FloatKeyedMaps =
    ::testing::Types<DDS_FloatDDS_LongMap, DDS_DoubleDDS_LongMap, DDS_LongDoubleDDS_LongMap>;
TYPED_TEST_SUITE(FloatKeyedMap, FloatKeyedMaps);

TYPED_TEST(FloatKeyedMap, SignedZerosAreOneKeyThatKeepsItsFirstSign) {
  using A = typename TestFixture::A;
  auto neg = this->key(-0.0), pos = this->key(0.0);
  this->put(neg, 1);
  this->put(pos, 2);
  EXPECT_EQ(1u, A::size(this->m));
  EXPECT_TRUE(same(neg, this->stored_key(0)));
  ASSERT_NE(nullptr, this->find(pos));
  EXPECT_EQ(2, *this->find(pos));
  EXPECT_EQ(this->find(pos), this->find(neg));

  // A copy keeps the stored bits too.
  TypeParam copy(*this->m);
  DDS_Long* value = nullptr;
  typename TestFixture::K const* key = nullptr;
  ASSERT_EQ(1, A::index(&copy, 0, &key, &value));
  EXPECT_TRUE(same(neg, *key));

  A::erase(this->m, &pos);
  EXPECT_EQ(1, A::empty(this->m));
  this->put(pos, 3);
  this->put(neg, 4);
  EXPECT_TRUE(same(pos, this->stored_key(0)));
  A::erase(this->m, &neg);
  EXPECT_EQ(1, A::empty(this->m));
}

TYPED_TEST(FloatKeyedMap, NaNMatchesTheSmallestKeyAndErasesThemAll) {
  using A = typename TestFixture::A;
  this->put(this->key(2.5), 25);
  this->put(this->key(-1.0), -10);
  this->put(this->key(7.0), 70);
  auto nan = this->nan();
  DDS_Long* smallest = this->find(this->key(-1.0));
  EXPECT_EQ(smallest, this->find(nan));
  EXPECT_EQ(smallest, A::find_const(this->m, &nan));

  this->put(nan, 9);
  EXPECT_EQ(3u, A::size(this->m));
  EXPECT_EQ(9, *smallest);
  EXPECT_TRUE(same(this->key(-1.0), this->stored_key(0)));
  EXPECT_EQ(smallest, &(*this->m)[nan]);
  TypeParam const& view = *this->m;
  EXPECT_EQ(smallest, &view[nan]);
  EXPECT_EQ(3u, A::size(this->m));

  A::erase(this->m, &nan);
  EXPECT_EQ(0u, A::size(this->m));
  EXPECT_EQ(1, A::empty(this->m));

  // In an empty map a NaN finds nothing.
  EXPECT_EQ(nullptr, this->find(nan));
  expect_map_at([&] { (void)view[nan]; });
  A::erase(this->m, &nan);
  EXPECT_EQ(1, A::empty(this->m));
}

TYPED_TEST(FloatKeyedMap, NaNKeyOfAnEmptyMapTakesEveryKey) {
  using A = typename TestFixture::A;
  auto nan = this->nan();
  this->put(nan, 1);
  EXPECT_TRUE(same(nan, this->stored_key(0)));
  for (double x : {1.0, 2.0, 3.0}) this->put(this->key(x), static_cast<DDS_Long>(x));
  EXPECT_EQ(1u, A::size(this->m));
  EXPECT_TRUE(same(nan, this->stored_key(0)));
  ASSERT_NE(nullptr, this->find(this->key(7.0)));
  EXPECT_EQ(3, *this->find(this->key(7.0)));

  // A copy holds the same NaN entry and answers every key with it.
  TypeParam copy(*this->m);
  auto seven = this->key(7.0);
  EXPECT_EQ(A::find(&copy, &seven), &copy[this->key(-5.0)]);
  EXPECT_EQ(1u, copy.size());

  auto five = this->key(5.0);
  A::erase(this->m, &five);
  EXPECT_EQ(1, A::empty(this->m));
}

TEST(LongDoubleKeyedMap, OnlyTheEightyBitNumberIsTheKeyButAllSixteenBytesAreKept) {
  using A = Api<DDS_LongDoubleDDS_LongMap>;
  DDS_LongDoubleDDS_LongMap m;
  DDS_LongDouble first = long_double(1.5L, 0x11), second = long_double(1.5L, 0x22);
  DDS_Long one = 1, two = 2;
  A::insert(&m, &first, &one);
  A::insert(&m, &second, &two);
  EXPECT_EQ(1u, m.size());
  EXPECT_EQ(2, m[second]);

  DDS_LongDoubleDDS_LongMap copy(m);
  for (DDS_LongDoubleDDS_LongMap* map : {&m, &copy}) {
    DDS_LongDouble const* key = nullptr;
    DDS_Long* value = nullptr;
    ASSERT_EQ(1, A::index(map, 0, &key, &value));
    EXPECT_TRUE(same(first, *key));
    EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(key) % 16);
  }
}

TEST(LongDoubleKeyedMap, AnEncodingTheX87RefusesIsEquivalentToEveryKey) {
  using A = Api<DDS_LongDoubleDDS_LongMap>;
  DDS_LongDoubleDDS_LongMap m;
  for (int i = 1; i <= 3; ++i) m[long_double(i)] = i;
  // An unnormal: a non-zero exponent with the integer bit clear.
  DDS_LongDouble unnormal = long_double_bits(0x4000000000000000ull, 0x3fff);
  EXPECT_EQ(&m[long_double(1)], A::find(&m, &unnormal));
  A::erase(&m, &unnormal);
  EXPECT_TRUE(m.empty());
}

TEST(LongDoubleValuedMap, InsertStoresAllSixteenBytes) {
  using A = Api<DDS_LongDoubleDDS_LongDoubleMap>;
  DDS_LongDoubleDDS_LongDoubleMap m;
  DDS_LongDouble key = long_double(4.0L), value = long_double(-2.5L, 0x3c);
  EXPECT_TRUE(is_new_value(m[key]));
  DDS_LongDouble other_key = long_double(8.0L);
  for (DDS_LongDouble* k : {&key, &other_key}) {  // present, then absent
    A::insert(&m, k, &value);
    DDS_LongDouble* stored = A::find(&m, k);
    EXPECT_TRUE(same(value, *stored));
    EXPECT_EQ(0u, reinterpret_cast<std::uintptr_t>(stored) % 16);
  }
}

// Strings of either width built from 8-bit text, and their units.
template <class S>
S text(char const* t);
template <>
DDS_CString text<DDS_CString>(char const* t) {
  return cstring(t);
}
template <>
DDS_CWString text<DDS_CWString>(char const* t) {
  return cwstring(std::wstring(t, t + std::strlen(t)));
}
std::string& units(DDS_CString const& s) { return s; }
std::wstring& units(DDS_CWString const& s) { return s; }
template <class S>
S with_nul(char const* t) {
  S s = text<S>(t);
  units(s).push_back(0);
  return s;
}

template <class Map>
class StringKeyedMap : public ::testing::Test {
 protected:
  using A = Api<Map>;
  using S = typename A::Key;
  Map m;
};

using StringKeyedMaps = ::testing::Types<DDS_CStringDDS_CStringMap, DDS_CWStringDDS_CWStringMap>;
TYPED_TEST_SUITE(StringKeyedMap, StringKeyedMaps);

TYPED_TEST(StringKeyedMap, EqualTextIsOneKeyAndTheFirstKeyObjectStays) {
  using A = typename TestFixture::A;
  using S = typename TestFixture::S;
  S value1 = text<S>("one"), value2 = text<S>("two");
  {
    S caller_key = text<S>("key");
    A::insert(&this->m, &caller_key, &value1);
  }  // the caller's key is gone; the map has its own
  S const* key = nullptr;
  S* value = nullptr;
  ASSERT_EQ(1, A::index(&this->m, 0, &key, &value));
  auto const* key_units = units(*key).c_str();

  // Another object with the same text updates the value of that entry; the
  // stored key object and its text stay as they were.
  S same_text = text<S>("key");
  A::insert(&this->m, &same_text, &value2);
  EXPECT_EQ(1u, A::size(&this->m));
  S const* key_after = nullptr;
  S* value_after = nullptr;
  ASSERT_EQ(1, A::index(&this->m, 0, &key_after, &value_after));
  EXPECT_EQ(key, key_after);
  EXPECT_EQ(key_units, units(*key_after).c_str());
  EXPECT_EQ(value, value_after);
  EXPECT_TRUE(same(value2, *value_after));
  units(value2).clear();
  EXPECT_EQ(3u, value_after->size());
}

TYPED_TEST(StringKeyedMap, ATrailingUnitZeroMakesAnotherKey) {
  using A = typename TestFixture::A;
  using S = typename TestFixture::S;
  S ab = text<S>("ab"), ab_nul = with_nul<S>("ab"), value = text<S>("v");
  A::insert(&this->m, &ab, &value);
  A::erase(&this->m, &ab_nul);
  EXPECT_EQ(1u, A::size(&this->m));
  EXPECT_EQ(nullptr, A::find(&this->m, &ab_nul));
  A::insert(&this->m, &ab_nul, &value);
  EXPECT_EQ(2u, A::size(&this->m));
}

TEST(UShortKeyedMap, HoldsEverySixteenBitKeyOnce) {
  using A = Api<DDS_UShortDDS_LongMap>;
  DDS_UShortDDS_LongMap m;
  for (int pass = 0; pass < 2; ++pass)
    for (DDS_Long k = 0; k <= 0xffff; ++k) {
      DDS_UShort key = static_cast<DDS_UShort>(k);
      DDS_Long value = k + pass;
      A::insert(&m, &key, &value);
    }
  EXPECT_EQ(65536u, A::size(&m));
  DDS_UShort last = 0xffff;
  EXPECT_EQ(0x10000, *A::find(&m, &last));
}

TEST(SharedInnerMaps, BooleanAndCharMapsOfOneKeyTakeEachOthersInnerMaps) {
  static_assert(std::is_same<std::map<char, char>, std::map<DDS_Boolean, DDS_Char>>::value, "");
  DDS_BooleanDDS_CharMap source;
  source[2] = -1;
  std::map<char, char>& inner = source;
  DDS_CharDDS_BooleanMap made(inner);
  DDS_BooleanDDS_BooleanMap assigned;
  assigned = inner;
  EXPECT_EQ(-1, made[2]);
  EXPECT_EQ(-1, assigned[2]);

  DDS_WCharDDS_CharMap wide_source;
  wide_source[L'x'] = 7;
  DDS_WCharDDS_BooleanMap wide_made(static_cast<std::map<wchar_t, char>&>(wide_source));
  EXPECT_EQ(7, wide_made[L'x']);
}

}  // namespace
}  // namespace maptest

extern "C" {
#include "map_c_api.h"
}

// 0, or the line of map_c_api.c whose check failed.
TEST(MapsFromC, StringKeys) { EXPECT_EQ(0, maptest_c_string_keys()); }
TEST(MapsFromC, LongDoubleValues) { EXPECT_EQ(0, maptest_c_long_double_values()); }
TEST(MapsFromC, BooleanBytes) { EXPECT_EQ(0, maptest_c_boolean_bytes()); }
