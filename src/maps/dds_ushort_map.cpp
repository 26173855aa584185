// The maps keyed by DDS_UShort, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY UShort, DDS_UShort
#include "quillmarc/dds_map_row.h"
