/* Checks written in C over the C interface of the maps. */
#ifndef QUILLMARC_TESTS_MAPS_MAP_C_API_H
#define QUILLMARC_TESTS_MAPS_MAP_C_API_H

#ifdef __cplusplus
extern "C" {
#endif
int maptest_c_string_keys(void);
int maptest_c_long_double_values(void);
int maptest_c_boolean_bytes(void);
#ifdef __cplusplus
}
#endif

#endif
