// _create and _destroy of every map type, apart from the classes
// (value_types/lifetime.h says why). map_lifetime_rows.h, which the build
// writes from dds_element_types.def (src/CMakeLists.txt), includes the row
// of every key type in the element order, as dds_map.h declares them.
#include "quillmarc/dds_map.h"
#include "value_types/lifetime.h"

#define QUILLMARC_MAP_EMIT(Map, K, V) QUILLMARC_DEFINE_LIFETIME(Map, Map)
#include "map_lifetime_rows.h"
#undef QUILLMARC_MAP_EMIT
