// The maps keyed by DDS_Char, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY Char, DDS_Char
#include "quillmarc/dds_map_row.h"
