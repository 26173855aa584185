// The map pattern, stated once and stamped out for every map type. Each
// dds_<key>_map.cpp of this folder defines the row of one key type:
//
//   #include "maps/map_impl.h"
//   #define QUILLMARC_MAP_KEY Short, DDS_Short
//   #include "quillmarc/dds_map_row.h"
//
// which defines every DDS_ShortDDS_<V>Map over the value types of
// dds_element_types.def.
#ifndef QUILLMARC_SRC_MAPS_MAP_IMPL_H
#define QUILLMARC_SRC_MAPS_MAP_IMPL_H

#include <cstdint>
#include <iterator>
#include <map>
#include <tuple>
#include <utility>

#include "quillmarc/dds_map.h"
#include "value_types/checks.h"

namespace quillmarc {

// The entry whose key is equivalent to `key` (neither orders before the
// other), or end(): one descent to the lower bound and one final test.
template <class M, class It>
It map_lookup(M& m, It lower_bound, typename M::key_type const& key) {
  if (lower_bound == m.end() || m.key_comp()(key, lower_bound->first)) return m.end();
  return lower_bound;
}

template <class M>
typename M::mapped_type* map_find(M& m, typename M::key_type const& key) {
  auto it = map_lookup(m, m.lower_bound(key), key);
  return it == m.end() ? nullptr : &it->second;
}

template <class M>
typename M::mapped_type const& map_at(M const& m, typename M::key_type const& key) {
  auto it = map_lookup(m, m.lower_bound(key), key);
  if (it == m.end()) fail::absent_key();
  return it->second;
}

// Insert-or-assign. A present key keeps its entry and its stored key; an
// absent one gets a new entry (key copied, value value-initialised) at the
// lower bound. The value is read only once its entry exists, so it may be a
// value of this very map.
template <class M>
void map_insert(M& m, typename M::key_type const& key, typename M::mapped_type const& value) {
  auto it = m.lower_bound(key);
  if (map_lookup(m, it, key) == m.end())
    it = m.emplace_hint(it, std::piecewise_construct, std::forward_as_tuple(key), std::tuple<>());
  it->second = value;
}

// Position `index` in key order, counted from the smallest key. Past the end
// it answers 0, whatever the outputs; in range they must be given.
template <class M>
int map_index(M& m, DDS_ULong index, typename M::key_type const** key_out,
              typename M::mapped_type** value_out, const char* function) {
  if (static_cast<std::uint64_t>(index) >= m.size()) return 0;
  check_argument(key_out, function, "key_out");
  check_argument(value_out, function, "value_out");
  auto it = std::next(m.begin(), static_cast<typename M::difference_type>(index));
  *key_out = &it->first;
  *value_out = &it->second;
  return 1;
}

// A map copy into the existing inner map `dst`; nothing for itself.
template <class M>
void map_assign(M& dst, M const& src) {
  if (&dst != &src) dst = src;
}

}  // namespace quillmarc

// Class members. Every constructor allocates the inner map; no member but
// the destructor meets a null pointer.
#define QUILLMARC_DEFINE_MAP_CLASS(Map, K, V)                                            \
  Map::Map() : inner_(new std::map<K, V>()) {}                                           \
  Map::Map(std::map<K, V> const& entries) : inner_(new std::map<K, V>(entries)) {}       \
  Map::Map(Map const& other) : inner_(new std::map<K, V>(*other.inner_)) {}              \
  Map::~Map() { delete inner_; }                                                         \
  Map& Map::operator=(Map const& other) {                                                \
    quillmarc::map_assign(*inner_, *other.inner_);                                       \
    return *this;                                                                        \
  }                                                                                      \
  Map& Map::operator=(std::map<K, V> const& entries) {                                   \
    quillmarc::map_assign(*inner_, entries);                                             \
    return *this;                                                                        \
  }                                                                                      \
  Map::operator std::map<K, V>&() const { return *inner_; }                              \
  unsigned long Map::size() const { return inner_->size(); }                             \
  bool Map::empty() const { return inner_->empty(); }                                    \
  void Map::clear() { inner_->clear(); }                                                 \
  V& Map::operator[](K const& key) { return (*inner_)[key]; }                            \
  V const& Map::operator[](K const& key) const { return quillmarc::map_at(*inner_, key); } \
  std::map<K, V>::iterator Map::begin() { return inner_->begin(); }                      \
  std::map<K, V>::iterator Map::end() { return inner_->end(); }

// The C functions but _create and _destroy, which stand in map_lifetimes.cpp
// (value_types/lifetime.h says why). They work on the inner map. A NULL map
// is answered without an exception, before anything else is looked at; a
// NULL key, value or output pointer (for _index, one it would write
// through) is then refused with std::invalid_argument rather than followed.
#define QUILLMARC_MAP_CHECK(Map, operation, pointer) \
  quillmarc::check_argument(pointer, #Map "_" #operation, #pointer)
#define QUILLMARC_DEFINE_MAP_FUNCTIONS(Map, K, V)                                        \
  namespace {                                                                            \
  std::map<K, V>& Map##_in(Map const* m) { return static_cast<std::map<K, V>&>(*m); }    \
  }                                                                                      \
  extern "C" {                                                                           \
  Map* Map##_copy(Map* dst, Map const* src) {                                            \
    if (dst != nullptr && src != nullptr) quillmarc::map_assign(Map##_in(dst), Map##_in(src)); \
    return dst;                                                                          \
  }                                                                                      \
  void Map##_insert(Map* map, K const* key, V const* value) {                            \
    if (map == nullptr) return;                                                          \
    QUILLMARC_MAP_CHECK(Map, insert, key);                                               \
    QUILLMARC_MAP_CHECK(Map, insert, value);                                             \
    quillmarc::map_insert(Map##_in(map), *key, *value);                                  \
  }                                                                                      \
  void Map##_erase(Map* map, K const* key) {                                             \
    if (map == nullptr) return;                                                          \
    QUILLMARC_MAP_CHECK(Map, erase, key);                                                \
    Map##_in(map).erase(*key);                                                           \
  }                                                                                      \
  V* Map##_find(Map* map, K const* key) {                                                \
    if (map == nullptr) return nullptr;                                                  \
    QUILLMARC_MAP_CHECK(Map, find, key);                                                 \
    return quillmarc::map_find(Map##_in(map), *key);                                     \
  }                                                                                      \
  V const* Map##_find_const(Map const* map, K const* key) {                              \
    if (map == nullptr) return nullptr;                                                  \
    QUILLMARC_MAP_CHECK(Map, find_const, key);                                           \
    return quillmarc::map_find(Map##_in(map), *key);                                     \
  }                                                                                      \
  DDS_Boolean Map##_empty(Map const* map) {                                              \
    return map == nullptr || Map##_in(map).empty() ? 1 : 0;                              \
  }                                                                                      \
  size_t Map##_size(Map const* map) { return map == nullptr ? 0 : Map##_in(map).size(); } \
  void Map##_clear(Map* map) {                                                           \
    if (map != nullptr) Map##_in(map).clear();                                           \
  }                                                                                      \
  int Map##_index(Map* map, DDS_ULong index, K const** key_out, V** value_out) {         \
    if (map == nullptr) return 0;                                                        \
    return quillmarc::map_index(Map##_in(map), index, key_out, value_out, #Map "_index"); \
  }                                                                                      \
  }

#define QUILLMARC_DEFINE_MAP(Map, K, V) \
  QUILLMARC_DEFINE_MAP_CLASS(Map, K, V) \
  QUILLMARC_DEFINE_MAP_FUNCTIONS(Map, K, V)

// What a row of maps included after this header makes of each map type.
#define QUILLMARC_MAP_EMIT QUILLMARC_DEFINE_MAP

#endif
