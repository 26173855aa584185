// The maps keyed by DDS_CString, one for each value type.
#include "maps/map_impl.h"
#define QUILLMARC_MAP_KEY CString, DDS_CString
#include "quillmarc/dds_map_row.h"
