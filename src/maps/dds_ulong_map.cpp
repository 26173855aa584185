// The maps keyed by DDS_ULong, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY ULong, DDS_ULong
#include "quillmarc/dds_map_row.h"
