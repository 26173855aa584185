/* Builds a few strings and sequences through the C interface and prints them. */
#include <stdio.h>

#include <quillmarc/dds_c.h>

int main(void) {
  DDS_CString* greeting = DDSCString_from_cstr("hello");
  DDSCString_append_cstr(greeting, ", world");
  printf("string: \"%s\" (%zu bytes)\n", DDSCString_c_str(greeting), DDSCString_size(greeting));

  DDS_LongSequence* numbers = DDS_LongSequence_create();
  for (DDS_Long i = 1; i <= 5; ++i) DDS_LongSequence_push_back_value(numbers, i * i);
  printf("squares:");
  for (size_t i = 0; i < DDS_LongSequence_size(numbers); ++i)
    printf(" %d", *DDS_LongSequence_at(numbers, i));
  printf("\n");

  DDS_CStringSequence* words = DDS_CStringSequence_create();
  DDS_CStringSequence_push_back(words, greeting);
  DDS_CStringSequence_resize(words, 3);
  DDSCString_assign_cstr(DDS_CStringSequence_at(words, 2), "last");
  printf("words: %zu, first \"%s\", last \"%s\"\n", DDS_CStringSequence_size(words),
         DDSCString_c_str(DDS_CStringSequence_front(words)),
         DDSCString_c_str(DDS_CStringSequence_back(words)));

  DDS_CStringSequence_destroy(words);
  DDS_LongSequence_destroy(numbers);
  DDSCString_destroy(greeting);
  return 0;
}
