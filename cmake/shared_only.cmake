# Both libraries are shared, whatever BUILD_SHARED_LIBS says, so a false
# value is refused rather than ignored.
if(DEFINED BUILD_SHARED_LIBS AND NOT BUILD_SHARED_LIBS)
  message(FATAL_ERROR
    "quillmarc builds shared libraries only, and BUILD_SHARED_LIBS is \"${BUILD_SHARED_LIBS}\".\n"
    "The DDS core library built here, libquillmar.so.1, stands in for the vendor's core: a "
    "deployment replaces it with the vendor's library of the same soname, which only a shared "
    "library allows. libquillmarc.so is shared by its interface: it exports the C functions and "
    "the value-type classes, and it finds the core at load time under that soname.\n"
    "At the top level, configure with BUILD_SHARED_LIBS ON or unset "
    "(-DBUILD_SHARED_LIBS=ON, or -UBUILD_SHARED_LIBS for a cached value). A parent project that "
    "builds its own libraries static adds this one with BUILD_SHARED_LIBS set ON around it:\n"
    "  set(BUILD_SHARED_LIBS ON)\n"
    "  add_subdirectory(quillmarc)\n"
    "  set(BUILD_SHARED_LIBS OFF)")
endif()
