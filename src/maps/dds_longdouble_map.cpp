// The maps keyed by DDS_LongDouble, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY LongDouble, DDS_LongDouble
#include "quillmarc/dds_map_row.h"
