// How the C functions make and release value-type and map objects.
//
// They construct only through the class's exported constructor and destroy
// only through its exported destructor, so that a program or tool that
// interposes those symbols sees every object the C functions make and
// release. The library is compiled with -fno-semantic-interposition, under
// which a call to a function defined in the same translation unit binds to
// it directly or is inlined. _create, _destroy and the strings' _copy are
// therefore defined in translation units of their own
// (value_types/lifetimes.cpp, maps/map_lifetimes.cpp) that only declare the
// classes, so that their calls go through the PLT. The other making
// functions build on _create and _destroy.
#ifndef QUILLMARC_SRC_VALUE_TYPES_LIFETIME_H
#define QUILLMARC_SRC_VALUE_TYPES_LIFETIME_H

#include <memory>

namespace quillmarc {

// An object from the C function _create that the C function _destroy
// releases, unless the making function that holds it hands it out.
template <class T>
using Made = std::unique_ptr<T, void (*)(T*)>;

}  // namespace quillmarc

// Prefix##_create and Prefix##_destroy of the class Type.
#define QUILLMARC_DEFINE_LIFETIME(Type, Prefix)      \
  extern "C" {                                       \
  Type* Prefix##_create(void) { return new Type(); } \
  void Prefix##_destroy(Type* p) { delete p; }       \
  }

#endif
