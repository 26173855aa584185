// The C functions make and release objects through the classes' exported
// constructors and destructors: a program that interposes those symbols
// (interposers.cpp) sees every call.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "interposers.h"
#include "quillmarc/dds_c.h"

namespace {

using namespace interposed;

struct Case {
  const char* calls;
  std::function<void()> run;
  std::vector<std::pair<Member, long>> expected;  // members not named: no call
};

std::vector<Case> cases() {
  return {
      {"DDSCString_create, _destroy", [] { DDSCString_destroy(DDSCString_create()); },
       {{kCStringConstructor, 1}, {kCStringDestructor, 1}}},
      {"DDSCString_from_cstr, _copy, _destroy",
       [] {
         DDS_CString* s = DDSCString_from_cstr("text");
         DDS_CString* copy = DDSCString_copy(s);
         DDSCString_destroy(copy);
         DDSCString_destroy(s);
       },
       {{kCStringConstructor, 1}, {kCStringCopyConstructor, 1}, {kCStringDestructor, 2}}},
      {"DDSCString_from_char, _destroy", [] { DDSCString_destroy(DDSCString_from_char(3, 'x')); },
       {{kCStringConstructor, 1}, {kCStringDestructor, 1}}},
      {"DDSCString_from_cstr(NULL), which releases what it began",
       [] { EXPECT_THROW(DDSCString_from_cstr(nullptr), std::logic_error); },
       {{kCStringConstructor, 1}, {kCStringDestructor, 1}}},
      {"DDS_LongSequence_create, _destroy", [] { DDS_LongSequence_destroy(DDS_LongSequence_create()); },
       {{kLongSequenceConstructor, 1}, {kLongSequenceDestructor, 1}}},
      {"DDS_LongSequence_create_with_size, _destroy",
       [] { DDS_LongSequence_destroy(DDS_LongSequence_create_with_size(3)); },
       {{kLongSequenceConstructor, 1}, {kLongSequenceDestructor, 1}}},
      {"DDS_SampleInfoSequence_create_with_size, _destroy",
       [] { DDS_SampleInfoSequence_destroy(DDS_SampleInfoSequence_create_with_size(2)); },
       {{kSampleInfoSequenceConstructor, 1}, {kSampleInfoSequenceDestructor, 1}}},
      {"DDS_LongDDS_LongMap_create, _destroy", [] { DDS_LongDDS_LongMap_destroy(DDS_LongDDS_LongMap_create()); },
       {{kLongLongMapConstructor, 1}, {kLongLongMapDestructor, 1}}},
      // The interposers themselves, reached from this program's own code.
      {"new and delete of a DDS_LongDDS_LongMap in C++", [] { delete new DDS_LongDDS_LongMap(); },
       {{kLongLongMapConstructor, 1}, {kLongLongMapDestructor, 1}}},
  };
}

TEST(Interposition, EveryObjectIsMadeAndReleasedThroughTheExportedMembers) {
  for (Case const& c : cases()) {
    SCOPED_TRACE(c.calls);
    long before[kMembers];
    for (int m = 0; m < kMembers; ++m) before[m] = calls(Member(m));
    c.run();
    long wanted[kMembers] = {};
    for (auto const& [member, count] : c.expected) wanted[member] = count;
    for (int m = 0; m < kMembers; ++m) EXPECT_EQ(calls(Member(m)) - before[m], wanted[m]) << "member " << m;
  }
}

}  // namespace
