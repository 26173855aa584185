/* The maps as a C program uses them: this file is built as strict C99.
 * Each check returns 0 when it holds, else the line of the first failure. */
#include <string.h>

#include <quillmarc/dds_c.h>

#include "map_c_api.h"

#define CHECK(cond)                \
  do {                             \
    if (!(cond)) return __LINE__;  \
  } while (0)

int maptest_c_string_keys(void) {
  DDS_CStringDDS_LongMap* map = DDS_CStringDDS_LongMap_create();
  const char* texts[] = {"b", "", "a"};
  const DDS_CString* key = NULL;
  DDS_Long* value = NULL;
  DDS_CString* probe;
  DDS_Long i;
  for (i = 0; i < 3; ++i) {
    DDS_CString* k = DDSCString_from_cstr(texts[i]);
    DDS_CStringDDS_LongMap_insert(map, k, &i);
    DDSCString_destroy(k); /* the map keeps its own copy */
  }
  CHECK(DDS_CStringDDS_LongMap_size(map) == 3);
  CHECK(DDS_CStringDDS_LongMap_index(map, 0, &key, &value) == 1);
  CHECK(strcmp(DDSCString_c_str((DDS_CString*)key), "") == 0 && *value == 1);
  CHECK(DDS_CStringDDS_LongMap_index(map, 2, &key, &value) == 1);
  CHECK(strcmp(DDSCString_c_str((DDS_CString*)key), "b") == 0 && *value == 0);
  CHECK(DDS_CStringDDS_LongMap_index(map, 3, &key, &value) == 0);

  probe = DDSCString_from_cstr("a");
  CHECK(DDS_CStringDDS_LongMap_find(map, probe) != NULL);
  CHECK(*DDS_CStringDDS_LongMap_find_const(map, probe) == 2);
  DDS_CStringDDS_LongMap_erase(map, probe);
  CHECK(DDS_CStringDDS_LongMap_find(map, probe) == NULL);
  DDSCString_destroy(probe);

  CHECK(DDS_CStringDDS_LongMap_empty(NULL) == 1 && DDS_CStringDDS_LongMap_size(NULL) == 0);
  CHECK(DDS_CStringDDS_LongMap_copy(NULL, map) == NULL);
  DDS_CStringDDS_LongMap_clear(map);
  CHECK(DDS_CStringDDS_LongMap_empty(map) == 1);
  DDS_CStringDDS_LongMap_destroy(map);
  DDS_CStringDDS_LongMap_destroy(NULL);
  return 0;
}

int maptest_c_long_double_values(void) {
  DDS_ShortDDS_LongDoubleMap* map = DDS_ShortDDS_LongDoubleMap_create();
  DDS_ShortDDS_LongDoubleMap* copy = DDS_ShortDDS_LongDoubleMap_create();
  DDS_LongDouble v;
  DDS_Short k = -1;
  memset(&v, 0xa5, sizeof v);
  v.value = -2.5L;
  DDS_ShortDDS_LongDoubleMap_insert(map, &k, &v);
  CHECK(memcmp(DDS_ShortDDS_LongDoubleMap_find(map, &k), &v, sizeof v) == 0);
  CHECK(DDS_ShortDDS_LongDoubleMap_copy(copy, map) == copy);
  CHECK(memcmp(DDS_ShortDDS_LongDoubleMap_find_const(copy, &k), &v, sizeof v) == 0);
  DDS_ShortDDS_LongDoubleMap_destroy(map);
  DDS_ShortDDS_LongDoubleMap_destroy(copy);
  return 0;
}

int maptest_c_boolean_bytes(void) {
  DDS_BooleanDDS_BooleanMap* map = DDS_BooleanDDS_BooleanMap_create();
  DDS_Boolean keys[] = {2, 1, (DDS_Boolean)0xff};
  DDS_Boolean two = 2;
  const DDS_Boolean* key = NULL;
  DDS_Boolean* value = NULL;
  size_t i;
  for (i = 0; i < 3; ++i) DDS_BooleanDDS_BooleanMap_insert(map, &keys[i], &keys[i]);
  CHECK(DDS_BooleanDDS_BooleanMap_size(map) == 3);
  CHECK(DDS_BooleanDDS_BooleanMap_index(map, 0, &key, &value) == 1);
  CHECK(*key == (DDS_Boolean)0xff && *value == (DDS_Boolean)0xff);
  CHECK(*DDS_BooleanDDS_BooleanMap_find(map, &two) == 2);
  DDS_BooleanDDS_BooleanMap_destroy(map);
  return 0;
}
