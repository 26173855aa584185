/* DDS_<T>Sequence: owning growable arrays over the 15 element types.
 *
 * Each sequence object owns one heap std::vector. Sequences returned by
 * _create and _create_with_size belong to the caller, who releases them with
 * _destroy. Element pointers from _at, _front, _back and _data point into the
 * storage and are invalidated when it is reallocated or the element removed.
 *
 * Misuse is reported by standard C++ exceptions thrown through the
 * functions, which a C++ caller catches. C cannot catch them: in a C program
 * such misuse ends the program, through std::terminate, which prints the
 * exception's type and message on stderr and aborts (SIGABRT). Only
 * _destroy and _copy test their sequence pointers for NULL. */
#ifndef QUILLMARC_DDS_SEQUENCE_H
#define QUILLMARC_DDS_SEQUENCE_H

#include "dds_c_string.h"

#ifdef __cplusplus
#include <vector>

#define QUILLMARC_DECLARE_SEQUENCE_CLASS(Seq, T) \
  class QUILLMARC_API Seq {                      \
   public:                                       \
    Seq();                                       \
    Seq(std::vector<T> const& elements);         \
    Seq(Seq const& other);                       \
    ~Seq();                                      \
    Seq& operator=(Seq const& other);            \
    Seq& operator=(std::vector<T> const& elements); \
    operator std::vector<T>&() const;            \
    T& operator[](unsigned long i);              \
    T const& operator[](unsigned long i) const;  \
    T* data();                                   \
    T const* data() const;                       \
    void resize(unsigned long n);                \
    unsigned long size() const;                  \
                                                 \
   private:                                      \
    std::vector<T>* inner_;                      \
  };                                             \
  static_assert(sizeof(Seq) == sizeof(void*), #Seq " is one pointer wide");

/* C++ callers may reach the inner vector directly. */
#define QUILLMARC_DECLARE_SEQUENCE_INNER_VEC(Seq, T) \
  QUILLMARC_API std::vector<T>* Seq##_get_inner_vec(Seq* q);

/* A string element passed by value travels as a pointer to a temporary that
 * the caller owns; C spells that as a pointer to the string. */
#define QUILLMARC_STRING_BY_VALUE(String) String
#else
#define QUILLMARC_DECLARE_SEQUENCE_CLASS(Seq, T) typedef struct Seq { void* opaque_; } Seq;
#define QUILLMARC_DECLARE_SEQUENCE_INNER_VEC(Seq, T)
#define QUILLMARC_STRING_BY_VALUE(String) String const*
#endif

/* The 22 C functions of a sequence type; ValueParam is how _push_back_value
 * receives its element. Misuse throws, and so ends a C program as said
 * above:
 *   _at, _at_const with i >= size     std::out_of_range "vector::_M_range_check:
 *                                     __n (which is i) >= this->size() (which is n)"
 *   growth past _max_size             std::length_error
 *   memory exhausted                  std::bad_alloc
 * _front and _back of an empty sequence answer NULL; _pop_back of one does
 * nothing. */
#define QUILLMARC_DECLARE_SEQUENCE_FUNCTIONS(Seq, T, ValueParam)              \
  /* New sequences, the caller's until _destroy (NULL: nothing happens). */   \
  QUILLMARC_API Seq* Seq##_create(void);                                      \
  QUILLMARC_API Seq* Seq##_create_with_size(size_t n);                        \
  /* Copies src's elements into the existing dst and answers dst; it makes    \
   * no new sequence. With either NULL nothing is copied and the answer is    \
   * still dst, so NULL for a NULL dst. */                                    \
  QUILLMARC_API Seq* Seq##_copy(Seq* dst, Seq const* src);                    \
  QUILLMARC_API void Seq##_destroy(Seq* q);                                   \
  /* Elements. */                                                             \
  QUILLMARC_API T* Seq##_at(Seq* q, size_t i);                                \
  QUILLMARC_API T const* Seq##_at_const(Seq const* q, size_t i);              \
  QUILLMARC_API T* Seq##_front(Seq* q);                                       \
  QUILLMARC_API T const* Seq##_front_const(Seq const* q);                     \
  QUILLMARC_API T* Seq##_back(Seq* q);                                        \
  QUILLMARC_API T const* Seq##_back_const(Seq const* q);                      \
  QUILLMARC_API T* Seq##_data(Seq* q);                                        \
  QUILLMARC_API T const* Seq##_data_const(Seq const* q);                      \
  QUILLMARC_API DDS_Boolean Seq##_empty(Seq const* q);                        \
  QUILLMARC_API size_t Seq##_size(Seq const* q);                              \
  QUILLMARC_API size_t Seq##_max_size(Seq const* q);                          \
  QUILLMARC_API size_t Seq##_capacity(Seq const* q);                          \
  QUILLMARC_API void Seq##_reserve(Seq* q, size_t n);                         \
  QUILLMARC_API void Seq##_push_back(Seq* q, T const* v);                     \
  QUILLMARC_API void Seq##_push_back_value(Seq* q, ValueParam v);             \
  QUILLMARC_API void Seq##_pop_back(Seq* q);                                  \
  QUILLMARC_API void Seq##_clear(Seq* q);                                     \
  QUILLMARC_API void Seq##_resize(Seq* q, size_t n);

/* One sequence type: its class (an opaque struct in C), its C functions and,
 * for C++, the inner-vector accessor. */
#define QUILLMARC_DECLARE_SEQUENCE(Seq, T, ValueParam)        \
  QUILLMARC_DECLARE_SEQUENCE_CLASS(Seq, T)                    \
  QUILLMARC_EXTERN_C_BEGIN                                    \
  QUILLMARC_DECLARE_SEQUENCE_FUNCTIONS(Seq, T, ValueParam)    \
  QUILLMARC_EXTERN_C_END                                      \
  QUILLMARC_DECLARE_SEQUENCE_INNER_VEC(Seq, T)

#define DDS_ELEMENT_TYPE(Name, Type) QUILLMARC_DECLARE_SEQUENCE(DDS_##Name##Sequence, Type, Type)
#define DDS_STRING_ELEMENT_TYPE(Name, Type) \
  QUILLMARC_DECLARE_SEQUENCE(DDS_##Name##Sequence, Type, QUILLMARC_STRING_BY_VALUE(Type))
#include "dds_element_types.def"

#endif
