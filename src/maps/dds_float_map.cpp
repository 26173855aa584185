// The maps keyed by DDS_Float, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY Float, DDS_Float
#include "quillmarc/dds_map_row.h"
