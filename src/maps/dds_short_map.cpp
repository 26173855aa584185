// The maps keyed by DDS_Short, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY Short, DDS_Short
#include "quillmarc/dds_map_row.h"
