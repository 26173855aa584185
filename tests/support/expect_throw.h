// EXPECT_THROW_MESSAGE: the statement throws exactly this exception type
// with exactly this what() text.
#ifndef QUILLMARC_TESTS_SUPPORT_EXPECT_THROW_H
#define QUILLMARC_TESTS_SUPPORT_EXPECT_THROW_H

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#define EXPECT_THROW_MESSAGE(statement, Exception, message)                        \
  do {                                                                             \
    try {                                                                          \
      statement;                                                                   \
      ADD_FAILURE() << #statement " did not throw";                                \
    } catch (Exception const& e) {                                                 \
      EXPECT_EQ(typeid(e), typeid(Exception)) << "thrown: " << typeid(e).name();   \
      EXPECT_EQ(std::string(e.what()), std::string(message));                      \
    } catch (...) {                                                                \
      ADD_FAILURE() << #statement " threw something else";                         \
    }                                                                              \
  } while (0)

#endif
