// The exported constructors and destructors that interposers.cpp replaces in
// a test program: each replacement counts its calls and forwards to the
// library's own.
#ifndef QUILLMARC_TESTS_VALUE_TYPES_INTERPOSERS_H
#define QUILLMARC_TESTS_VALUE_TYPES_INTERPOSERS_H

namespace interposed {

enum Member {
  kCStringConstructor,
  kCStringCopyConstructor,
  kCStringDestructor,
  kLongSequenceConstructor,
  kLongSequenceDestructor,
  kSampleInfoSequenceConstructor,
  kSampleInfoSequenceDestructor,
  kLongLongMapConstructor,
  kLongLongMapDestructor,
  kMembers
};

// The calls that reached the member so far.
long calls(Member member);

}  // namespace interposed

#endif
