/* Umbrella header of libquillmarc: everything a C program needs. */
#ifndef QUILLMARC_DDS_C_H
#define QUILLMARC_DDS_C_H

#include "dds_primitives.h"
#include "dds_c_string.h"
#include "dds_sequence.h"
#include "dds_map.h"

#endif
