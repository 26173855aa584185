// The maps keyed by DDS_Double, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY Double, DDS_Double
#include "quillmarc/dds_map_row.h"
