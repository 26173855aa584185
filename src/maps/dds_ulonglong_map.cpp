// The maps keyed by DDS_ULongLong, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY ULongLong, DDS_ULongLong
#include "quillmarc/dds_map_row.h"
