// The maps keyed by DDS_UChar, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY UChar, DDS_UChar
#include "quillmarc/dds_map_row.h"
