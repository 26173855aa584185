/* DDS_<K>DDS_<V>Map: ordered maps from every element type to every element
 * type, but for DDS_Boolean keys with DDS_CWString values.
 *
 * Each map object owns one heap std::map<K, V>, ordered by std::less<K>.
 * The inner map keeps its address for the object's whole life: assignments
 * and _copy refill it, so a reference from the conversion operator stays
 * valid until the object is destroyed. A map made by _create belongs to the
 * caller, who releases it with _destroy.
 *
 * Keys and values are handed in by pointer and copied into the map, strings
 * deeply. The addresses that _find, _find_const and _index hand out point
 * into the map and name the same entry while other keys come and go; they
 * become invalid when that entry is erased, or the map is cleared, assigned
 * to or destroyed. A stored key must not be changed through them.
 *
 * A NULL map is answered without complaint: it is empty, has size 0, finds
 * nothing and ignores changes. With a map given, a NULL key or value
 * pointer is misuse, and so is a NULL output pointer of _index where there
 * is an entry to write. A DDS_LongDouble passed by pointer must lie on
 * its 16-byte boundary.
 *
 * Misuse is reported by standard C++ exceptions thrown through the
 * functions, which a C++ caller catches: a NULL key, value or output pointer
 * throws std::invalid_argument naming the function and the argument (e.g.
 * "DDS_LongDDS_LongMap_find: key is NULL"), and the const subscript throws
 * std::out_of_range("map::at") for an absent key. C cannot catch them: in a
 * C program such misuse ends the program, through std::terminate, which
 * prints the exception's type and message on stderr and aborts (SIGABRT). */
#ifndef QUILLMARC_DDS_MAP_H
#define QUILLMARC_DDS_MAP_H

#include "dds_c_string.h"

#ifdef __cplusplus
#include <map>

/* The iterator type of std::map<K, V>, which begin() and end() return. Named
 * as the member std::map<K, V>::iterator it makes the compiler instantiate
 * std::map<K, V> and its tree for each of the 224 classes, two thirds of what
 * this header costs a C++ translation unit. libstdc++ defines that member as
 * the tree iterator over std::pair<K const, V>, which is spelled here
 * directly: the same type, so the same declaration, with nothing to
 * instantiate. Other standard libraries and libstdc++'s debug mode get the
 * member. */
#if defined(__GLIBCXX__) && !defined(_GLIBCXX_DEBUG)
#define QUILLMARC_MAP_ITERATOR(K, V) std::_Rb_tree_iterator<std::pair<K const, V> >
#else
#define QUILLMARC_MAP_ITERATOR(K, V) std::map<K, V>::iterator
#endif

#define QUILLMARC_DECLARE_MAP_CLASS(Map, K, V)                    \
  class QUILLMARC_API Map {                                       \
   public:                                                        \
    Map();                                                        \
    Map(std::map<K, V> const& entries);                           \
    Map(Map const& other);                                        \
    ~Map();                                                       \
    /* Both assignments refill the existing inner map. */         \
    Map& operator=(Map const& other);                             \
    Map& operator=(std::map<K, V> const& entries);                \
    operator std::map<K, V>&() const;                             \
    unsigned long size() const;                                   \
    bool empty() const;                                           \
    void clear();                                                 \
    /* Inserts an absent key with a value-initialised value. */   \
    V& operator[](K const& key);                                  \
    /* Throws std::out_of_range("map::at") for an absent key. */  \
    V const& operator[](K const& key) const;                      \
    QUILLMARC_MAP_ITERATOR(K, V) begin();                         \
    QUILLMARC_MAP_ITERATOR(K, V) end();                           \
                                                                  \
   private:                                                       \
    std::map<K, V>* inner_;                                       \
  };                                                              \
  static_assert(sizeof(Map) == sizeof(void*), #Map " is one pointer wide");
#else
#define QUILLMARC_DECLARE_MAP_CLASS(Map, K, V) typedef struct Map { void* opaque_; } Map;
#endif

/* The 11 C functions of a map type. A NULL map answers NULL, 0 or 1 (empty)
 * and changes nothing; with a map given, a NULL key, value, key_out or
 * value_out throws std::invalid_argument (ending a C program, see above). */
#define QUILLMARC_DECLARE_MAP_FUNCTIONS(Map, K, V)                                     \
  /* A new map, the caller's until _destroy (NULL: nothing happens). */                \
  QUILLMARC_API Map* Map##_create(void);                                               \
  QUILLMARC_API void Map##_destroy(Map* map);                                          \
  /* Copies src's entries into the existing dst, whose earlier entries go,             \
   * and answers dst; it makes no new map. With either NULL nothing is                 \
   * copied and the answer is still dst, so NULL for a NULL dst. */                    \
  QUILLMARC_API Map* Map##_copy(Map* dst, Map const* src);                             \
  /* Insert or overwrite: a key already present keeps its entry and takes the          \
   * new value; an absent key gets a new entry. Both are copied in. */                 \
  QUILLMARC_API void Map##_insert(Map* map, K const* key, V const* value);             \
  /* An absent key changes nothing. */                                                 \
  QUILLMARC_API void Map##_erase(Map* map, K const* key);                              \
  /* The stored value of the key, NULL when it is absent. */                           \
  QUILLMARC_API V* Map##_find(Map* map, K const* key);                                 \
  QUILLMARC_API V const* Map##_find_const(Map const* map, K const* key);               \
  QUILLMARC_API DDS_Boolean Map##_empty(Map const* map);                               \
  QUILLMARC_API size_t Map##_size(Map const* map);                                     \
  QUILLMARC_API void Map##_clear(Map* map);                                            \
  /* Stores the addresses of the key and value at position index in key                \
   * order and returns 1, or returns 0 and writes nothing when there is no             \
   * such entry. The key comes out const: it must not be changed. A string             \
   * key is read by casting it for DDSCString_c_str, which takes a non-const           \
   * pointer but changes nothing: DDSCString_c_str((DDS_CString*)key). */              \
  QUILLMARC_API int Map##_index(Map* map, DDS_ULong index, K const** key_out, V** value_out);

/* One map type: its class (an opaque struct in C) and its C functions. */
#define QUILLMARC_DECLARE_MAP(Map, K, V)     \
  QUILLMARC_DECLARE_MAP_CLASS(Map, K, V)     \
  QUILLMARC_EXTERN_C_BEGIN                   \
  QUILLMARC_DECLARE_MAP_FUNCTIONS(Map, K, V) \
  QUILLMARC_EXTERN_C_END

/* QUILLMARC_MAP_PAIR(Emit, KName, KType, VName, VType) applies Emit(Map, K, V)
 * to the map type DDS_<KName>DDS_<VName>Map, unless the pair is the family's
 * one gap, DDS_Boolean keys with DDS_CWString values. */
#define QUILLMARC_MAP_GAP_Boolean_CWString ~, 0
#define QUILLMARC_MAP_SECOND_(first, second, ...) second
#define QUILLMARC_MAP_EXISTS_(...) QUILLMARC_MAP_SECOND_(__VA_ARGS__)
#define QUILLMARC_MAP_EXISTS(KName, VName) \
  QUILLMARC_MAP_EXISTS_(QUILLMARC_MAP_GAP_##KName##_##VName, 1, ~)
#define QUILLMARC_MAP_WHEN_1(Emit, Map, K, V) Emit(Map, K, V)
#define QUILLMARC_MAP_WHEN_0(Emit, Map, K, V)
#define QUILLMARC_MAP_WHEN_(exists, Emit, Map, K, V) QUILLMARC_MAP_WHEN_##exists(Emit, Map, K, V)
#define QUILLMARC_MAP_WHEN(exists, Emit, Map, K, V) QUILLMARC_MAP_WHEN_(exists, Emit, Map, K, V)
#define QUILLMARC_MAP_PAIR(Emit, KName, KType, VName, VType)                              \
  QUILLMARC_MAP_WHEN(QUILLMARC_MAP_EXISTS(KName, VName), Emit, DDS_##KName##DDS_##VName##Map, \
                     KType, VType)

/* One row per key type, in the element order; dds_map_row.h takes the value
 * types from dds_element_types.def. */
#define QUILLMARC_MAP_EMIT QUILLMARC_DECLARE_MAP
#define QUILLMARC_MAP_KEY Boolean, DDS_Boolean
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY Char, DDS_Char
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY WChar, DDS_WChar
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY UChar, DDS_UChar
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY Short, DDS_Short
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY UShort, DDS_UShort
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY Long, DDS_Long
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY ULong, DDS_ULong
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY LongLong, DDS_LongLong
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY ULongLong, DDS_ULongLong
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY Float, DDS_Float
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY Double, DDS_Double
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY LongDouble, DDS_LongDouble
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY CString, DDS_CString
#include "dds_map_row.h"
#define QUILLMARC_MAP_KEY CWString, DDS_CWString
#include "dds_map_row.h"
#undef QUILLMARC_MAP_EMIT

#ifdef __cplusplus
/* Every element type heads a row above: a key type added to the element list
 * and missing here stops the build. */
#define DDS_ELEMENT_TYPE(Name, Type)                                       \
  static_assert(sizeof(DDS_##Name##DDS_LongMap) == sizeof(void*),          \
                "DDS_" #Name " needs its row of maps in dds_map.h");
#include "dds_element_types.def"
#endif

#endif
