// The maps keyed by DDS_WChar, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY WChar, DDS_WChar
#include "quillmarc/dds_map_row.h"
