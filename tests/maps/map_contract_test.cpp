// What every map type promises, run over the maps of one key type: the build
// compiles this file once per key type of dds_element_types.def, naming the
// key in MAPTEST_KEY_NAME and MAPTEST_KEY_TYPE.
#include <algorithm>
#include <map>
#include <memory>
#include <type_traits>
#include <utility>

#include "map_samples.h"
#include "support/expect_throw.h"

namespace maptest {

template <class Map>
class MapContract : public ::testing::Test {
 protected:
  using A = Api<Map>;
  using K = typename A::Key;
  using V = typename A::Value;
  using Inner = std::map<K, V>;
  static_assert(std::is_same<decltype(std::declval<Map&>().begin()), typename Inner::iterator>::value &&
                    std::is_same<decltype(std::declval<Map&>().end()), typename Inner::iterator>::value,
                "begin() and end() return the inner map's iterator");

  ~MapContract() override {
    for (Map* m : made_) A::destroy(m);
  }

  // A new map from _create, destroyed with the fixture.
  Map* make() {
    made_.push_back(A::create());
    return made_.back();
  }

  V const& value_for(size_t i) const { return values_[i % values_.size()]; }

  // Every sample key with value_for(its position), inserted out of order.
  Map* make_filled() {
    Map* m = make();
    for (size_t step = 0; step < keys_.size(); ++step) {
      size_t i = step % 2 == 0 ? keys_.size() - 1 - step / 2 : step / 2;
      A::insert(m, &keys_[i], &value_for(i));
    }
    return m;
  }

  // Walks `m` by _index and expects exactly keys_[i] for each i of `which`,
  // in that order, each holding value_for(i).
  void expect_entries(Map* m, std::vector<size_t> const& which) {
    ASSERT_EQ(which.size(), A::size(m));
    for (size_t pos = 0; pos < which.size(); ++pos) {
      K const* key = nullptr;
      V* value = nullptr;
      ASSERT_EQ(1, A::index(m, static_cast<DDS_ULong>(pos), &key, &value)) << "position " << pos;
      EXPECT_TRUE(same(keys_[which[pos]], *key)) << "key at position " << pos;
      EXPECT_TRUE(same(value_for(which[pos]), *value)) << "value at position " << pos;
    }
  }

  // _index finds nothing at `index` and leaves both outputs as they were.
  void expect_no_entry_at(Map* m, DDS_ULong index) {
    K const* const key_was = reinterpret_cast<K const*>(this);
    V* const value_was = reinterpret_cast<V*>(this);
    K const* key = key_was;
    V* value = value_was;
    EXPECT_EQ(0, A::index(m, index, &key, &value)) << "index " << index;
    EXPECT_EQ(key_was, key);
    EXPECT_EQ(value_was, value);
  }

  std::vector<size_t> all() const {
    std::vector<size_t> v(keys_.size());
    for (size_t i = 0; i < v.size(); ++i) v[i] = i;
    return v;
  }

  static Inner& inner(Map const& m) { return m; }

  std::vector<K> keys_ = Samples<K>::keys();
  std::vector<V> values_ = Samples<V>::values();

 private:
  std::vector<Map*> made_;
};

TYPED_TEST_SUITE_P(MapContract);

TYPED_TEST_P(MapContract, NullMapIsEmptyAndIgnoresEveryChange) {
  using A = typename TestFixture::A;
  TypeParam* null = nullptr;
  A::destroy(null);
  EXPECT_EQ(1, A::empty(null));
  EXPECT_EQ(0u, A::size(null));
  EXPECT_EQ(nullptr, A::find(null, &this->keys_[0]));
  EXPECT_EQ(nullptr, A::find_const(null, &this->keys_[0]));
  // Neither key nor value is read for a null map.
  A::insert(null, nullptr, nullptr);
  A::erase(null, nullptr);
  A::clear(null);
  this->expect_no_entry_at(null, 0);

  TypeParam* m = this->make_filled();
  EXPECT_EQ(nullptr, A::copy(nullptr, m));
  EXPECT_EQ(m, A::copy(m, nullptr));
  this->expect_entries(m, this->all());
}

TYPED_TEST_P(MapContract, NewMapIsEmpty) {
  using A = typename TestFixture::A;
  TypeParam* m = this->make();
  EXPECT_EQ(1, A::empty(m));
  EXPECT_EQ(0u, A::size(m));
  EXPECT_EQ(nullptr, A::find(m, &this->keys_[0]));
  this->expect_no_entry_at(m, 0);

  TypeParam local;
  TypeParam const& view = local;
  EXPECT_TRUE(local.empty());
  EXPECT_EQ(0u, local.size());
  EXPECT_TRUE(local.begin() == local.end());
  expect_map_at([&] { (void)view[this->keys_[0]]; });
  EXPECT_EQ(0u, local.size());
}

TYPED_TEST_P(MapContract, EntriesStandInKeyOrder) {
  using A = typename TestFixture::A;
  TypeParam* m = this->make_filled();
  EXPECT_EQ(0, A::empty(m));
  this->expect_entries(m, this->all());

  // An index at or past the count, the largest one included, finds nothing.
  this->expect_no_entry_at(m, static_cast<DDS_ULong>(this->keys_.size()));
  this->expect_no_entry_at(m, 0xffffffffu);

  // Iteration through the class sees the same order.
  size_t i = 0;
  for (auto it = m->begin(); it != m->end(); ++it, ++i)
    EXPECT_TRUE(same(this->keys_[i], it->first)) << "iterated key " << i;
  EXPECT_EQ(this->keys_.size(), i);
}

TYPED_TEST_P(MapContract, InsertOnPresentKeyAssignsTheValueOnly) {
  using A = typename TestFixture::A;
  using K = typename TestFixture::K;
  using V = typename TestFixture::V;
  TypeParam* m = this->make_filled();
  K const* key_before = nullptr;
  V* value_before = nullptr;
  ASSERT_EQ(1, A::index(m, 1, &key_before, &value_before));

  // A value that the caller changes right after the call.
  V passed = this->value_for(2);
  A::insert(m, &this->keys_[1], &passed);
  passed = this->value_for(3);
  EXPECT_EQ(this->keys_.size(), A::size(m));
  EXPECT_EQ(value_before, A::find(m, &this->keys_[1]));
  EXPECT_TRUE(same(this->value_for(2), *value_before));
  K const* key_after = nullptr;
  V* value_after = nullptr;
  ASSERT_EQ(1, A::index(m, 1, &key_after, &value_after));
  EXPECT_EQ(key_before, key_after);

  // A value of the same map, even of the entry assigned, is valid input.
  A::insert(m, &this->keys_[1], value_before);
  EXPECT_TRUE(same(this->value_for(2), *value_before));
  V* other = A::find(m, &this->keys_[0]);
  A::insert(m, &this->keys_[1], other);
  EXPECT_TRUE(same(*other, *value_before));
}

TYPED_TEST_P(MapContract, FoundAddressesStayWhileOtherKeysComeAndGo) {
  using A = typename TestFixture::A;
  TypeParam* m = this->make();
  size_t last = this->keys_.size() - 1;
  A::insert(m, &this->keys_[1], &this->value_for(0));
  typename TestFixture::V* found = A::find(m, &this->keys_[1]);
  ASSERT_NE(nullptr, found);
  EXPECT_EQ(found, A::find_const(m, &this->keys_[1]));
  for (size_t i = 0; i <= last; ++i)
    if (i != 1) A::insert(m, &this->keys_[i], &this->value_for(i));
  A::erase(m, &this->keys_[0]);
  A::erase(m, &this->keys_[last]);
  EXPECT_EQ(found, A::find(m, &this->keys_[1]));

  // Writing through the address is writing the entry.
  *found = this->value_for(3);
  TypeParam const& view = *m;
  EXPECT_EQ(found, &view[this->keys_[1]]);
  EXPECT_TRUE(same(this->value_for(3), view[this->keys_[1]]));
  EXPECT_EQ(nullptr, A::find(m, &this->keys_[0]));
  EXPECT_EQ(nullptr, A::find_const(m, &this->keys_[last]));
}

TYPED_TEST_P(MapContract, EraseRemovesExactlyOneKey) {
  using A = typename TestFixture::A;
  using K = typename TestFixture::K;
  using V = typename TestFixture::V;
  TypeParam* m = this->make_filled();
  std::vector<size_t> left = this->all();
  left.erase(left.begin() + 2);

  A::erase(m, &this->keys_[2]);
  this->expect_entries(m, left);
  A::erase(m, &this->keys_[2]);  // absent now: nothing changes
  this->expect_entries(m, left);

  // The stored key itself, as _index hands it out, names its entry.
  K const* key = nullptr;
  V* value = nullptr;
  ASSERT_EQ(1, A::index(m, 0, &key, &value));
  A::erase(m, key);
  left.erase(left.begin());
  this->expect_entries(m, left);

  A::clear(m);
  EXPECT_EQ(1, A::empty(m));
  EXPECT_EQ(0u, A::size(m));
  A::insert(m, &this->keys_[3], &this->value_for(3));
  this->expect_entries(m, {3});
  A::erase(m, &this->keys_[3]);
  EXPECT_EQ(1, A::empty(m));
  A::insert(m, &this->keys_[4], &this->value_for(4));
  this->expect_entries(m, {4});
}

// With a map given, a NULL key, value or output pointer is refused by name
// before anything is read or changed.
TYPED_TEST_P(MapContract, NullPointersBesideAMapAreRefusedByName) {
  using A = typename TestFixture::A;
  using K = typename TestFixture::K;
  using V = typename TestFixture::V;
  const std::string name = A::name;
  TypeParam* m = this->make_filled();
  A::erase(m, &this->keys_[0]);
  std::vector<size_t> left = this->all();
  left.erase(left.begin());

  EXPECT_THROW_MESSAGE(A::insert(m, nullptr, &this->value_for(0)), std::invalid_argument,
                       name + "_insert: key is NULL");
  EXPECT_THROW_MESSAGE(A::insert(m, &this->keys_[0], nullptr), std::invalid_argument,
                       name + "_insert: value is NULL");
  EXPECT_THROW_MESSAGE(A::erase(m, nullptr), std::invalid_argument, name + "_erase: key is NULL");
  EXPECT_THROW_MESSAGE(A::find(m, nullptr), std::invalid_argument, name + "_find: key is NULL");
  EXPECT_THROW_MESSAGE(A::find_const(m, nullptr), std::invalid_argument, name + "_find_const: key is NULL");
  K const* key = nullptr;
  V* value = nullptr;
  EXPECT_THROW_MESSAGE(A::index(m, 0, nullptr, &value), std::invalid_argument,
                       name + "_index: key_out is NULL");
  EXPECT_THROW_MESSAGE(A::index(m, 0, &key, nullptr), std::invalid_argument,
                       name + "_index: value_out is NULL");
  EXPECT_EQ(nullptr, key);
  EXPECT_EQ(nullptr, value);
  EXPECT_EQ(0, A::index(m, static_cast<DDS_ULong>(left.size()), nullptr, nullptr));  // past the end
  this->expect_entries(m, left);
}

TYPED_TEST_P(MapContract, InsertingSubscriptAddsANewValueAndConstSubscriptThrows) {
  using A = typename TestFixture::A;
  TypeParam local;
  auto& first = local[this->keys_[2]];
  EXPECT_TRUE(is_new_value(first));
  EXPECT_EQ(1u, local.size());
  EXPECT_EQ(&first, &local[this->keys_[2]]);
  EXPECT_EQ(1u, local.size());

  first = this->value_for(1);
  TypeParam const& view = local;
  EXPECT_EQ(&first, &view[this->keys_[2]]);
  EXPECT_EQ(&first, A::find(&local, &this->keys_[2]));
  EXPECT_TRUE(same(this->value_for(1), view[this->keys_[2]]));

  expect_map_at([&] { (void)view[this->keys_[0]]; });
  EXPECT_EQ(1u, local.size());

  // _insert of an absent key never shows the new value to the caller.
  A::insert(&local, &this->keys_[0], &this->value_for(2));
  EXPECT_TRUE(same(this->value_for(2), view[this->keys_[0]]));
  EXPECT_EQ(2u, local.size());
}

TYPED_TEST_P(MapContract, CopiesAreDeepAndIndependent) {
  using A = typename TestFixture::A;
  using Inner = typename TestFixture::Inner;
  auto source = std::make_unique<TypeParam>();
  for (size_t i = 0; i < this->keys_.size(); ++i)
    A::insert(source.get(), &this->keys_[i], &this->value_for(i));

  TypeParam by_copy(*source);
  TypeParam by_inner(this->inner(*source));
  TypeParam* by_flat = this->make();
  A::insert(by_flat, &this->keys_[0], &this->value_for(3));  // replaced by the copy
  EXPECT_EQ(by_flat, A::copy(by_flat, source.get()));

  // Change and then release the source: no copy notices.
  A::insert(source.get(), &this->keys_[1], &this->value_for(3));
  A::erase(source.get(), &this->keys_[2]);
  *A::find(source.get(), &this->keys_[3]) = this->value_for(1);
  source.reset();
  for (TypeParam* copy : {&by_copy, &by_inner, by_flat}) this->expect_entries(copy, this->all());

  // Copies do not share with each other either.
  A::clear(&by_copy);
  this->expect_entries(&by_inner, this->all());
  EXPECT_EQ(1, A::empty(&by_copy));
  static_assert(std::is_same<Inner&, decltype(this->inner(by_copy))>::value, "inner map type");
}

TYPED_TEST_P(MapContract, AssignmentsRefillTheExistingInnerMap) {
  using A = typename TestFixture::A;
  using Inner = typename TestFixture::Inner;
  TypeParam* source = this->make_filled();
  TypeParam target;
  Inner& target_inner = target;
  A::insert(&target, &this->keys_[0], &this->value_for(5));
  A::insert(&target, &this->keys_[1], &this->value_for(5));

  EXPECT_EQ(&target, &(target = *source));
  EXPECT_EQ(&target_inner, &this->inner(target));
  this->expect_entries(&target, this->all());

  A::erase(source, &this->keys_[0]);
  EXPECT_EQ(&target, &(target = this->inner(*source)));
  EXPECT_EQ(&target_inner, &this->inner(target));
  std::vector<size_t> without_first = this->all();
  without_first.erase(without_first.begin());
  this->expect_entries(&target, without_first);

  A::clear(source);
  EXPECT_EQ(&target, A::copy(&target, source));
  EXPECT_EQ(&target_inner, &this->inner(target));
  EXPECT_EQ(1, A::empty(&target));

  // Assigning a map to itself, in any of the three ways, changes nothing.
  A::copy(&target, this->make_filled());
  TypeParam& alias = target;
  target = alias;
  target = target_inner;
  EXPECT_EQ(&target, A::copy(&target, &target));
  EXPECT_EQ(&target_inner, &this->inner(target));
  this->expect_entries(&target, this->all());

  // The inner map is writable through a const object: it is the map.
  TypeParam const& view = target;
  this->inner(view).erase(this->keys_[0]);
  EXPECT_EQ(this->keys_.size() - 1, A::size(&target));
  EXPECT_EQ(nullptr, A::find(&target, &this->keys_[0]));
}

REGISTER_TYPED_TEST_SUITE_P(MapContract, NullMapIsEmptyAndIgnoresEveryChange, NewMapIsEmpty,
                            EntriesStandInKeyOrder, InsertOnPresentKeyAssignsTheValueOnly,
                            FoundAddressesStayWhileOtherKeysComeAndGo, EraseRemovesExactlyOneKey,
                            NullPointersBesideAMapAreRefusedByName,
                            InsertingSubscriptAddsANewValueAndConstSubscriptThrows,
                            CopiesAreDeepAndIndependent, AssignmentsRefillTheExistingInnerMap);

}  // namespace maptest

// Every map of the key under test, from the element list.
#define MAPTEST_CONTRACT(Map, K, V) \
  MAPTEST_API(Map, K, V)            \
  namespace maptest {               \
  INSTANTIATE_TYPED_TEST_SUITE_P(Map, MapContract, ::Map);  \
  }
#define QUILLMARC_MAP_EMIT MAPTEST_CONTRACT
#define QUILLMARC_MAP_KEY MAPTEST_KEY_NAME, MAPTEST_KEY_TYPE
#include <quillmarc/dds_map_row.h>
