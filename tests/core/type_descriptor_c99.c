/* Compiled as strict C99: a C program can describe its types. */
#include <stddef.h>

#include "zorvex/type_descriptor.h"

struct reading {
    int sensor_id;
    double value;
};

size_t c99_keyed_descriptor_fields(size_t out[3]) {
    ZORVEX_TypeDescriptor d = ZORVEX_KEYED_TYPE(struct reading, sensor_id);
    out[0] = d.sample_size;
    out[1] = d.key_offset;
    out[2] = d.key_size;
    return sizeof(ZORVEX_TypeDescriptor);
}
