// Definitions of exported members of libquillmarc.so under their symbol
// names, which interpose the library's own: the program exports them, so
// that every call the library makes through its PLT reaches them. This file
// includes none of the library's headers, where the same symbols are
// declared as members.
#include "interposers.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

long counts[interposed::kMembers];

void* library_definition(const char* symbol) {
  void* found = dlsym(RTLD_NEXT, symbol);
  if (found == nullptr) {
    std::fprintf(stderr, "no definition after this program for %s\n", symbol);
    std::abort();
  }
  return found;
}

}  // namespace

long interposed::calls(Member member) { return counts[member]; }

// Member, symbol, parameters, arguments of the forwarded call.
#define INTERPOSED_MEMBERS(X)                                                                  \
  X(kCStringConstructor, "_ZN11DDS_CStringC1Ev", (void* self), (self))                          \
  X(kCStringCopyConstructor, "_ZN11DDS_CStringC1ERKS_", (void* self, const void* other), (self, other)) \
  X(kCStringDestructor, "_ZN11DDS_CStringD1Ev", (void* self), (self))                           \
  X(kLongSequenceConstructor, "_ZN16DDS_LongSequenceC1Ev", (void* self), (self))                \
  X(kLongSequenceDestructor, "_ZN16DDS_LongSequenceD1Ev", (void* self), (self))                 \
  X(kSampleInfoSequenceConstructor, "_ZN22DDS_SampleInfoSequenceC1Ev", (void* self), (self))    \
  X(kSampleInfoSequenceDestructor, "_ZN22DDS_SampleInfoSequenceD1Ev", (void* self), (self))     \
  X(kLongLongMapConstructor, "_ZN19DDS_LongDDS_LongMapC1Ev", (void* self), (self))              \
  X(kLongLongMapDestructor, "_ZN19DDS_LongDDS_LongMapD1Ev", (void* self), (self))

// Default visibility, which the build's hidden preset would otherwise take.
#define DEFINE_INTERPOSER(Member, Symbol, Params, Args)                                       \
  extern "C" __attribute__((visibility("default"))) void interposer_##Member Params __asm__(Symbol); \
  extern "C" void interposer_##Member Params {                                                \
    ++counts[interposed::Member];                                                             \
    static const auto forward = reinterpret_cast<void(*) Params>(library_definition(Symbol)); \
    forward Args;                                                                             \
  }
INTERPOSED_MEMBERS(DEFINE_INTERPOSER)
