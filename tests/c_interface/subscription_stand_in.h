/* The side of a C test that the subscription functions do not cover, made on
 * the stand-in core through its C++ interface: a participant with the type
 * "Reading" (struct Reading, keyed by sensor), the topic "Readings", a
 * subscriber and a reliable writer that keeps every sample. */
#ifndef QUILLMARC_TESTS_C_SUBSCRIPTION_STAND_IN_H
#define QUILLMARC_TESTS_C_SUBSCRIPTION_STAND_IN_H

#include <quillmarc/dds_c.h>

#ifdef __cplusplus
extern "C" {
#endif

struct Reading {
  DDS_Long sensor;
  DDS_Long value;
};

/* Zero on success. */
int subscription_stand_in_open(DDS_Subscriber** subscriber, DDS_TopicDescription** topic);
/* Writes one sample, or disposes the instance of a sensor; zero on success.
 * Either may be called from any thread. */
int subscription_stand_in_write(DDS_Long sensor, DDS_Long value);
int subscription_stand_in_dispose(DDS_Long sensor);
/* Deletes everything; zero on success. */
int subscription_stand_in_close(void);

#ifdef __cplusplus
}
#endif

#endif
