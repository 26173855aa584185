/* The side of a C test that the publication functions do not cover, made on
 * the stand-in core through its C++ interface: a participant with the type
 * "Reading" (struct Reading, keyed by sensor), the topic "Readings", a
 * publisher and reliable readers that keep every sample. */
#ifndef QUILLMARC_TESTS_C_PUBLICATION_STAND_IN_H
#define QUILLMARC_TESTS_C_PUBLICATION_STAND_IN_H

#include <quillmarc/dds_c.h>

#ifdef __cplusplus
extern "C" {
#endif

struct Reading {
  DDS_Long sensor;
  DDS_Long value;
};

/* Zero on success. */
int stand_in_open(DDS_Publisher** publisher, DDS_Topic** topic);
/* Adds a reader; the last one added is the one stand_in_take reads. */
void stand_in_add_reader(void);
/* Takes what the last reader holds, oldest first: the number of samples,
 * with up to `max` of their values (0 for a sample without data) and the
 * instance state of the last one. */
int stand_in_take(DDS_Long* values, int max, DDS_ULong* last_instance_state);
void stand_in_close(void);

#ifdef __cplusplus
}
#endif

#endif
