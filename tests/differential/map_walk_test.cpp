// Random walks over a spread of map types, every key type and every value
// type among them, checked against std::map with the same key order.
#include <gtest/gtest.h>

#include <cmath>
#include <cwchar>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "maps/map_samples.h"
#include "support/differential.h"

MAPTEST_API(DDS_BooleanDDS_LongMap, DDS_Boolean, DDS_Long)
MAPTEST_API(DDS_CharDDS_CStringMap, DDS_Char, DDS_CString)
MAPTEST_API(DDS_WCharDDS_DoubleMap, DDS_WChar, DDS_Double)
MAPTEST_API(DDS_UCharDDS_LongDoubleMap, DDS_UChar, DDS_LongDouble)
MAPTEST_API(DDS_ShortDDS_CWStringMap, DDS_Short, DDS_CWString)
MAPTEST_API(DDS_UShortDDS_BooleanMap, DDS_UShort, DDS_Boolean)
MAPTEST_API(DDS_LongDDS_FloatMap, DDS_Long, DDS_Float)
MAPTEST_API(DDS_ULongDDS_LongLongMap, DDS_ULong, DDS_LongLong)
MAPTEST_API(DDS_LongLongDDS_UCharMap, DDS_LongLong, DDS_UChar)
MAPTEST_API(DDS_ULongLongDDS_WCharMap, DDS_ULongLong, DDS_WChar)
MAPTEST_API(DDS_FloatDDS_CStringMap, DDS_Float, DDS_CString)
MAPTEST_API(DDS_FloatDDS_ShortMap, DDS_Float, DDS_Short)
MAPTEST_API(DDS_DoubleDDS_LongDoubleMap, DDS_Double, DDS_LongDouble)
MAPTEST_API(DDS_DoubleDDS_UShortMap, DDS_Double, DDS_UShort)
MAPTEST_API(DDS_LongDoubleDDS_DoubleMap, DDS_LongDouble, DDS_Double)
MAPTEST_API(DDS_LongDoubleDDS_ULongMap, DDS_LongDouble, DDS_ULong)
MAPTEST_API(DDS_CStringDDS_CStringMap, DDS_CString, DDS_CString)
MAPTEST_API(DDS_CWStringDDS_ULongLongMap, DDS_CWString, DDS_ULongLong)
MAPTEST_API(DDS_CWStringDDS_CharMap, DDS_CWString, DDS_Char)

namespace {

using maptest::Api;
using maptest::Samples;
using maptest::same;

// A key drawn at random: integers over their whole range, floating-point
// numbers on a grid around zero (both zeros included), strings of a few
// units taken mostly from the edges of the unit order (NUL, 0x7f, 0x80 to
// 0xff, the signed extremes of wide units).
template <class K>
K random_key(RandomWalk& walk) {
  if constexpr (std::is_floating_point_v<K>) {
    return K(static_cast<int>(walk.below(401)) - 200) / K(8) * (walk.chance(50) ? K(1) : K(-1));
  } else if constexpr (std::is_same_v<K, DDS_LongDouble>) {
    const long double x = static_cast<long double>(static_cast<int>(walk.below(401)) - 200) / 8;
    return maptest::long_double(walk.chance(50) ? x : -x, static_cast<unsigned char>(walk.bits()));
  } else if constexpr (std::is_same_v<K, DDS_CString>) {
    static const char edges[] = {'\0', 'a', 'b', '\x7f', '\x80', '\x9f', '\xc3', '\xfe', '\xff'};
    std::string text;
    for (size_t n = walk.below(5); n > 0; --n)
      text.push_back(walk.chance(80) ? edges[walk.below(sizeof edges)] : static_cast<char>(walk.bits()));
    return maptest::cstring(text);
  } else if constexpr (std::is_same_v<K, DDS_CWString>) {
    static const wchar_t edges[] = {L'\0', L'a', L'b', wchar_t(0x80), wchar_t(0xff), wchar_t(0x10000),
                                    wchar_t(-1), WCHAR_MIN, WCHAR_MAX};
    std::wstring text;
    for (size_t n = walk.below(5); n > 0; --n)
      text.push_back(walk.chance(80) ? edges[walk.below(sizeof edges / sizeof *edges)]
                                     : static_cast<wchar_t>(walk.bits()));
    return maptest::cwstring(text);
  } else {
    return static_cast<K>(walk.bits());
  }
}

// The sample keys, with the keys that stress a floating-point order added
// (the other signed zero and a NaN, each equivalent to stored keys), and
// random keys so that maps grow past a handful of entries.
template <class K>
std::vector<K> key_pool(RandomWalk& walk) {
  std::vector<K> keys = Samples<K>::keys();
  if constexpr (std::is_floating_point_v<K>) {
    keys.push_back(K(-0.0));
    keys.push_back(std::numeric_limits<K>::quiet_NaN());
  } else if constexpr (std::is_same_v<K, DDS_LongDouble>) {
    keys.push_back(maptest::long_double(-0.0L, 0x77));
    keys.push_back(maptest::long_double(std::numeric_limits<long double>::quiet_NaN(), 0x33));
  }
  for (int i = 0; i < 32; ++i) keys.push_back(random_key<K>(walk));
  return keys;
}

template <class Map>
class MapWalk : public ::testing::Test {};
using WalkedMaps =
    ::testing::Types<DDS_BooleanDDS_LongMap, DDS_CharDDS_CStringMap, DDS_WCharDDS_DoubleMap,
                     DDS_UCharDDS_LongDoubleMap, DDS_ShortDDS_CWStringMap, DDS_UShortDDS_BooleanMap,
                     DDS_LongDDS_FloatMap, DDS_ULongDDS_LongLongMap, DDS_LongLongDDS_UCharMap,
                     DDS_ULongLongDDS_WCharMap, DDS_FloatDDS_CStringMap, DDS_FloatDDS_ShortMap,
                     DDS_DoubleDDS_LongDoubleMap, DDS_DoubleDDS_UShortMap,
                     DDS_LongDoubleDDS_DoubleMap, DDS_LongDoubleDDS_ULongMap,
                     DDS_CStringDDS_CStringMap, DDS_CWStringDDS_ULongLongMap,
                     DDS_CWStringDDS_CharMap>;
TYPED_TEST_SUITE(MapWalk, WalkedMaps);

TYPED_TEST(MapWalk, MatchesTheStandardMap) {
  using Map = TypeParam;
  using A = Api<Map>;
  using K = typename A::Key;
  using V = typename A::Value;
  using Model = std::map<K, V>;

  RandomWalk walk(0x5eed + sizeof(K) * 31 + sizeof(V), 3000);
  const std::vector<K> keys = key_pool<K>(walk);
  const std::vector<V> values = Samples<V>::values();

  Map* lib = A::create();
  Map* other = A::create();
  Model model, other_model;

  for (long step = 0; step < walk.steps(); ++step) {
    K const& key = keys[walk.below(keys.size())];
    V const& value = values[walk.below(values.size())];
    std::string op;
    switch (walk.below(9)) {
      case 0:
      case 1: {
        op = "insert";
        A::insert(lib, &key, &value);
        auto it = model.find(key);
        if (it == model.end()) model.emplace(key, value); else it->second = value;
        break;
      }
      case 2: {
        op = "insert a value of the map itself";
        V* stored = A::find(lib, &key);
        if (stored == nullptr) continue;
        V copy = *stored;
        A::insert(lib, &key, stored);
        model.find(key)->second = copy;
        break;
      }
      case 3: {
        op = "erase";
        // Sometimes erase by the stored key's own address.
        K const* stored_key = nullptr;
        V* stored_value = nullptr;
        if (walk.chance(30) && A::index(lib, static_cast<DDS_ULong>(walk.below(model.size() + 1)),
                                        &stored_key, &stored_value) == 1) {
          op += " by stored key";
          K copy = *stored_key;
          A::erase(lib, stored_key);
          model.erase(copy);
        } else {
          A::erase(lib, &key);
          model.erase(key);
        }
        break;
      }
      case 4: {
        op = "find";
        V* found = A::find(lib, &key);
        auto it = model.find(key);
        ASSERT_EQ(found == nullptr, it == model.end()) << walk.where(step, op);
        ASSERT_EQ(found, A::find_const(lib, &key)) << walk.where(step, op);
        if (found != nullptr) {
          ASSERT_TRUE(same(*found, it->second)) << walk.where(step, op);
        }
        break;
      }
      case 5: {
        op = "subscripts";
        Map& cls = *lib;
        Map const& const_cls = *lib;
        if (model.count(key) != 0) {
          ASSERT_TRUE(same(const_cls[key], model.at(key))) << walk.where(step, op);
        } else if (walk.chance(50)) {
          maptest::expect_map_at([&] { (void)const_cls[key]; });
        } else {
          // A new value's number is zero; the bytes a DDS_LongDouble carries
          // beyond it are unspecified, so the model takes them as they are.
          V& made = cls[key];
          ASSERT_TRUE(maptest::is_new_value(made)) << walk.where(step, op);
          model.emplace(key, made);
        }
        break;
      }
      case 6: op = "copy into other"; A::copy(other, lib); other_model = model; break;
      case 7: op = "copy from other"; A::copy(lib, other); model = other_model; break;
      default:
        op = "clear";
        if (walk.chance(80)) continue;
        A::clear(lib);
        model.clear();
        break;
    }
    ASSERT_EQ(A::size(lib), model.size()) << walk.where(step, op);
    ASSERT_EQ(A::empty(lib), model.empty() ? 1 : 0) << walk.where(step, op);
    DDS_ULong pos = 0;
    for (auto const& [model_key, model_value] : model) {
      K const* k = nullptr;
      V* v = nullptr;
      ASSERT_EQ(A::index(lib, pos, &k, &v), 1) << walk.where(step, op);
      ASSERT_TRUE(same(*k, model_key)) << walk.where(step, op) << ", key at " << pos;
      ASSERT_TRUE(same(*v, model_value)) << walk.where(step, op) << ", value at " << pos;
      ++pos;
    }
    K const* k = nullptr;
    V* v = nullptr;
    ASSERT_EQ(A::index(lib, pos, &k, &v), 0) << walk.where(step, op);
  }
  A::destroy(other);
  A::destroy(lib);
}

}  // namespace
