/* The layout of a data type, as register_type takes it. Plain C99 so that a C
 * program can fill one and pass it through the C interface, whose function
 * for it is spelled DDS_DomainParticipant_registe_type (no second r).
 *
 * The engine copies every sample as sample_size raw bytes and tells instances
 * apart by the key_size bytes found at key_offset (compared byte for byte, so
 * padding inside the key must be zeroed). key_size 0: the type has no key and
 * all its samples belong to one instance. */
#ifndef ZORVEX_TYPE_DESCRIPTOR_H
#define ZORVEX_TYPE_DESCRIPTOR_H

#include <stddef.h>

typedef struct ZORVEX_TypeDescriptor {
    size_t sample_size; /* bytes in one sample, at least 1 */
    size_t key_offset;  /* first key byte inside a sample */
    size_t key_size;    /* key bytes; 0 for a type without key */
} ZORVEX_TypeDescriptor;

/* Descriptor of a struct type whose key is one member, and of one without key:
 *   ZORVEX_TypeDescriptor d = ZORVEX_KEYED_TYPE(struct Reading, sensor_id); */
#define ZORVEX_KEYED_TYPE(type, key_member) \
    { sizeof(type), offsetof(type, key_member), sizeof(((type*)0)->key_member) }
#define ZORVEX_UNKEYED_TYPE(type) { sizeof(type), 0, 0 }

#ifdef __cplusplus
namespace ZORVEX {
typedef ::ZORVEX_TypeDescriptor TypeDescriptor;
}
#endif

#endif
