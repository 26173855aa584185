// The maps keyed by DDS_LongLong, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY LongLong, DDS_LongLong
#include "quillmarc/dds_map_row.h"
