/* CHECK(cond): report a failed condition and count it; main returns the count. */
#ifndef QUILLMARC_TESTS_C_CHECK_H
#define QUILLMARC_TESTS_C_CHECK_H

#include <stdio.h>

static int check_failures = 0;

#define CHECK(cond)                                                     \
  do {                                                                  \
    if (!(cond)) {                                                      \
      fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      ++check_failures;                                                 \
    }                                                                   \
  } while (0)

#endif
