/* One row of the map family, included once per key type: define
 * QUILLMARC_MAP_KEY as "Name, Type" of the key and QUILLMARC_MAP_EMIT as a
 * macro Emit(Map, K, V); every value type of dds_element_types.def then
 * passes through QUILLMARC_MAP_PAIR (dds_map.h). QUILLMARC_MAP_KEY is
 * undefined at the end, ready for the next row. No include guard, on
 * purpose. */
#define QUILLMARC_MAP_ROW_ENTRY(...) QUILLMARC_MAP_PAIR(QUILLMARC_MAP_EMIT, __VA_ARGS__)
#define DDS_ELEMENT_TYPE(Name, Type) QUILLMARC_MAP_ROW_ENTRY(QUILLMARC_MAP_KEY, Name, Type)
#include "dds_element_types.def"
#undef QUILLMARC_MAP_ROW_ENTRY
#undef QUILLMARC_MAP_KEY
