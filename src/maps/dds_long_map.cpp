// The maps keyed by DDS_Long, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY Long, DDS_Long
#include "quillmarc/dds_map_row.h"
