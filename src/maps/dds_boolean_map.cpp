// The maps keyed by DDS_Boolean, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY Boolean, DDS_Boolean
#include "quillmarc/dds_map_row.h"
