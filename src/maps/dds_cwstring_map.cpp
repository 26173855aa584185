// The maps keyed by DDS_CWString, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY CWString, DDS_CWString
#include "quillmarc/dds_map_row.h"
