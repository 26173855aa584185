/* Misuse of the value types and of a name, as a C program meets it: the C++
 * exception that a C++ caller would catch has no handler here, so the
 * program ends through std::terminate, which prints the exception's type and
 * message and aborts. argv[1] names the misuse; the program says "survived"
 * and returns 0 if it did not end. */
#include <stdio.h>
#include <string.h>

#include <quillmarc/dds_c.h>

typedef struct Reading {
  DDS_Long sensor_id;
  DDS_Double celsius;
} Reading;

static void string_at(void) {
  DDS_CString* s = DDSCString_from_cstr("ab");
  DDSCString_at(s, 2);
}

static void string_erase(void) {
  DDS_CString* s = DDSCString_from_cstr("ab");
  DDSCString_erase(s, 3, 1);
}

static void string_from_null(void) { DDSCString_from_cstr(NULL); }

static void sequence_at(void) {
  DDS_LongSequence* q = DDS_LongSequence_create();
  DDS_LongSequence_at(q, 0);
}

static void map_null_key(void) {
  DDS_LongDDS_LongMap* m = DDS_LongDDS_LongMap_create();
  DDS_LongDDS_LongMap_find(m, NULL);
}

static void type_without_name(void) {
  const ZORVEX_TypeDescriptor type = ZORVEX_KEYED_TYPE(Reading, sensor_id);
  DDS_DomainParticipant* participant = DDS_DomainParticipantFactory_create_participant(
      DDS_DomainParticipantFactory_get_instance(), 0, DDS_DOMAINPARTICIPANT_QOS_DEFAULT, NULL,
      DDS_STATUS_MASK_NONE);
  DDS_DomainParticipant_registe_type(participant, NULL, &type);
}

int main(int argc, char** argv) {
  static const struct {
    const char* name;
    void (*misuse)(void);
  } cases[] = {{"string_at", string_at},       {"string_erase", string_erase},
               {"string_from_null", string_from_null}, {"sequence_at", sequence_at},
               {"map_null_key", map_null_key}, {"type_without_name", type_without_name}};
  size_t i;
  if (argc != 2) return 2;
  for (i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    if (strcmp(argv[1], cases[i].name) == 0) {
      cases[i].misuse();
      puts("survived");
      return 0;
    }
  }
  return 2;
}
