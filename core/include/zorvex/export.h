// Export marker of libquillmar: the core is built with hidden visibility and
// only what carries QUILLMAR_API (classes with their vtables and typeinfo,
// constants, plain functions) leaves the shared library.
#ifndef ZORVEX_EXPORT_H
#define ZORVEX_EXPORT_H

#define QUILLMAR_API __attribute__((visibility("default")))

#endif
