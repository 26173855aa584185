/* The parent's program over quillmarc's C interface. */
#include <stdio.h>

#include <quillmarc/dds_c.h>

const char* parent_greeting(void);

int main(void) {
  DDS_LongDDS_CStringMap* map = DDS_LongDDS_CStringMap_create();
  DDS_CString* text = DDSCString_from_cstr(parent_greeting());
  DDS_Long key = 1;
  DDS_LongDDS_CStringMap_insert(map, &key, text);
  printf("%s: %zu entry\n", DDSCString_c_str(DDS_LongDDS_CStringMap_find(map, &key)),
         DDS_LongDDS_CStringMap_size(map));
  DDSCString_destroy(text);
  DDS_LongDDS_CStringMap_destroy(map);
  return 0;
}
