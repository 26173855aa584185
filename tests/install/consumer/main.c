/* A program built outside the tree against the installed library. */
#include <stdio.h>
#include <string.h>

#include <quillmarc/dds_c.h>

int main(void) {
  DDS_CString* s = DDSCString_from_cstr("installed");
  DDS_LongSequence* q = DDS_LongSequence_create_with_size(2);
  int ok = strcmp(DDSCString_c_str(s), "installed") == 0 && DDS_LongSequence_size(q) == 2;
  printf("%s\n", ok ? "consumer ok" : "consumer FAILED");
  DDS_LongSequence_destroy(q);
  DDSCString_destroy(s);
  return ok ? 0 : 1;
}
