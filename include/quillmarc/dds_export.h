/* Export and linkage macros shared by every public header. */
#ifndef QUILLMARC_DDS_EXPORT_H
#define QUILLMARC_DDS_EXPORT_H

/* The library is built with hidden visibility; only what carries
 * QUILLMARC_API is exported. */
#define QUILLMARC_API __attribute__((visibility("default")))

#ifdef __cplusplus
#define QUILLMARC_EXTERN_C_BEGIN extern "C" {
#define QUILLMARC_EXTERN_C_END }
#else
#define QUILLMARC_EXTERN_C_BEGIN
#define QUILLMARC_EXTERN_C_END
#endif

#endif
