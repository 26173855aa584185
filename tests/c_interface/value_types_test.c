/* The value types as a C program sees them: layouts, by-value passing and the
 * main string and sequence operations. */
#include <stddef.h>
#include <string.h>
#include <wchar.h>

#include <quillmarc/dds_c.h>

#include "check.h"

struct long_double_slot {
  char c;
  DDS_LongDouble d;
};

static void layouts(void) {
  CHECK(sizeof(DDS_CString) == sizeof(void*));
  CHECK(sizeof(DDS_CWString) == sizeof(void*));
  CHECK(sizeof(DDS_LongDoubleSequence) == sizeof(void*));
  CHECK(sizeof(DDS_LongDouble) == 16);
  CHECK(offsetof(struct long_double_slot, d) == 16);
  CHECK(sizeof(DDS_Boolean) == 1 && sizeof(DDS_WChar) == 4 && sizeof(DDS_LongLong) == 8);
}

static void strings(void) {
  DDS_CString* s = DDSCString_create();
  DDS_CWString* w = DDSCWString_create();
  CHECK(DDSCString_capacity(s) == 15);
  CHECK(DDSCWString_capacity(w) == 3);
  CHECK(DDSCString_empty(s) == 1 && DDSCString_front(s) == 0);

  DDSCString_assign_cstr(s, "abcdef");
  DDSCString_erase(s, 2, 1000);
  CHECK(strcmp(DDSCString_c_str(s), "ab") == 0);
  DDSCString_append(s, s);
  CHECK(strcmp(DDSCString_c_str(s), "abab") == 0);
  DDSCString_insert_cstr(s, 4, "!");
  CHECK(DDSCString_size(s) == 5 && DDSCString_back(s) == '!');

  DDSCWString_assign_cstr(w, L"wide");
  DDSCWString_push_back(w, L'-');
  CHECK(DDSCWString_length(w) == 5 && DDSCWString_at(w, 4) == L'-');
  CHECK(wcscmp(DDSCWString_c_str(w), L"wide-") == 0);

  DDSCString_destroy(s);
  DDSCWString_destroy(w);
  DDSCString_destroy(NULL);
}

static void sequences(void) {
  DDS_LongDouble v;
  DDS_LongDoubleSequence* ld = DDS_LongDoubleSequence_create();
  DDS_BooleanSequence* flags = DDS_BooleanSequence_create();
  DDS_CStringSequence* names = DDS_CStringSequence_create();
  DDS_CString* name = DDSCString_from_cstr("reader");
  int i;

  /* All 16 bytes travel by value, the six after the number included. */
  memset(&v, 0, sizeof v);
  v.value = 2.5L;
  for (i = 10; i < 16; ++i) v.bytes[i] = (unsigned char)(0xC0 + i);
  DDS_LongDoubleSequence_push_back_value(ld, v);
  CHECK(memcmp(DDS_LongDoubleSequence_at(ld, 0), &v, sizeof v) == 0);

  DDS_BooleanSequence_push_back_value(flags, 2);
  DDS_BooleanSequence_push_back_value(flags, (DDS_Boolean)0xFF);
  CHECK(*DDS_BooleanSequence_at(flags, 0) == 2);
  CHECK(*DDS_BooleanSequence_at_const(flags, 1) == (DDS_Boolean)0xFF);
  CHECK(DDS_BooleanSequence_max_size(NULL) == 0x7fffffffffffffff);

  /* A string element by value is passed by pointer from C and deep-copied. */
  DDS_CStringSequence_push_back_value(names, name);
  DDS_CStringSequence_push_back(names, name);
  DDSCString_assign_cstr(name, "changed");
  CHECK(strcmp(DDSCString_c_str(DDS_CStringSequence_at(names, 0)), "reader") == 0);
  CHECK(strcmp(DDSCString_c_str(DDS_CStringSequence_back(names)), "reader") == 0);
  CHECK(DDS_CStringSequence_copy(NULL, names) == NULL);

  DDSCString_destroy(name);
  DDS_CStringSequence_destroy(names);
  DDS_BooleanSequence_destroy(flags);
  DDS_LongDoubleSequence_destroy(ld);
}

int main(void) {
  layouts();
  strings();
  sequences();
  return check_failures;
}
