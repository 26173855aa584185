// The sequence pattern, stated once and stamped out for every sequence type
// of the library (the 15 element types here, the entity sequences in the
// binding).
#ifndef QUILLMARC_SRC_VALUE_TYPES_SEQUENCE_IMPL_H
#define QUILLMARC_SRC_VALUE_TYPES_SEQUENCE_IMPL_H

#include <cstddef>
#include <memory>
#include <type_traits>
#include <vector>

#include "quillmarc/dds_sequence.h"
#include "value_types/checks.h"
#include "value_types/lifetime.h"

namespace quillmarc {

// A new heap vector holding a copy of `from`; nothing leaks if copying throws.
template <class T>
std::vector<T>* new_vector_copy(std::vector<T> const& from) {
  std::unique_ptr<std::vector<T>> fresh(new std::vector<T>());
  *fresh = from;
  return fresh.release();
}

// Copies `from` into the existing vector `to`, all or nothing, and keeps
// `to` the same vector object. Where copying an element can throw (string
// elements allocate), the copy is built aside and swapped in, so that a
// failure leaves `to` as it was. Other elements cannot fail to copy once
// vector assignment has its storage, which it allocates before it changes
// anything.
template <class T>
void vector_assign(std::vector<T>& to, std::vector<T> const& from) {
  if (&to == &from) return;
  if constexpr (std::is_nothrow_copy_constructible_v<T> && std::is_nothrow_copy_assignable_v<T>) {
    to = from;
  } else {
    // Assigned rather than copy-constructed: the copy constructor's
    // standard copy routine for string elements has a name that the
    // version script's DDS* pattern would export.
    std::vector<T> copy;
    copy = from;
    to.swap(copy);
  }
}

// The vector operations behind the C functions and members, each after the
// library's own check (checks.h). Limit is the sequence's maximum; a unit
// test passes a small one.

template <class T, std::size_t Limit = max_elements<T>>
void vector_resize(std::vector<T>& v, std::size_t n) {
  check_vector_resize(n, Limit);
  v.resize(n);
}

template <class T, std::size_t Limit = max_elements<T>>
void vector_reserve(std::vector<T>& v, std::size_t n) {
  check_vector_reserve(n, Limit);
  v.reserve(n);
}

template <class T>
T& vector_at(std::vector<T>& v, std::size_t i) {
  check_vector_index(i, v.size());
  return v[i];
}

// Appends a copy of x. The growing path stays out of line, so that the
// common append with room to spare saves and restores no registers. When
// the vector grows, x may be one of its own elements: push_back copies it
// before the old storage is released.
template <class T, std::size_t Limit>
[[gnu::noinline, gnu::cold]] void vector_append_growing(std::vector<T>& v, T const& x) {
  check_vector_growth(v.size(), Limit);
  v.push_back(x);
}

template <class T, std::size_t Limit = max_elements<T>>
inline void vector_append(std::vector<T>& v, T const& x) {
  if (v.size() != v.capacity())
    v.emplace_back(x);
  else
    vector_append_growing<T, Limit>(v, x);
}

}  // namespace quillmarc

// Class members. Copy assignment builds the replacement vector before the
// old one is released, so a failed allocation leaves the target intact.
#define QUILLMARC_DEFINE_SEQUENCE_CLASS(Seq, T)                                       \
  Seq::Seq() : inner_(new std::vector<T>()) {}                                        \
  Seq::Seq(std::vector<T> const& elements) : inner_(quillmarc::new_vector_copy(elements)) {} \
  Seq::Seq(Seq const& other) : inner_(quillmarc::new_vector_copy(*other.inner_)) {}   \
  Seq::~Seq() { delete inner_; }                                                      \
  Seq& Seq::operator=(Seq const& other) {                                             \
    if (this != &other) {                                                             \
      std::vector<T>* fresh = quillmarc::new_vector_copy(*other.inner_);              \
      delete inner_;                                                                  \
      inner_ = fresh;                                                                 \
    }                                                                                 \
    return *this;                                                                     \
  }                                                                                   \
  Seq& Seq::operator=(std::vector<T> const& elements) {                               \
    quillmarc::vector_assign(*inner_, elements);                                      \
    return *this;                                                                     \
  }                                                                                   \
  Seq::operator std::vector<T>&() const { return *inner_; }                           \
  T& Seq::operator[](unsigned long i) { return (*inner_)[i]; }                        \
  T const& Seq::operator[](unsigned long i) const { return (*inner_)[i]; }            \
  T* Seq::data() { return inner_->data(); }                                           \
  T const* Seq::data() const { return inner_->data(); }                               \
  void Seq::resize(unsigned long n) { quillmarc::vector_resize(*inner_, n); }          \
  unsigned long Seq::size() const { return inner_->size(); }

// The C functions but _create and _destroy (QUILLMARC_DEFINE_SEQUENCE_LIFETIME),
// and the inner-vector accessor. They make and release objects through
// _create and _destroy and otherwise work directly on the inner vector.
#define QUILLMARC_DEFINE_SEQUENCE_FUNCTIONS(Seq, T)                                   \
  namespace {                                                                         \
  std::vector<T>& Seq##_in(Seq const* q) { return static_cast<std::vector<T>&>(*q); } \
  }                                                                                   \
  extern "C" {                                                                        \
  Seq* Seq##_create_with_size(size_t n) {                                             \
    quillmarc::Made<Seq> q(Seq##_create(), Seq##_destroy);                            \
    quillmarc::vector_resize(Seq##_in(q.get()), n);                                   \
    return q.release();                                                               \
  }                                                                                   \
  Seq* Seq##_copy(Seq* dst, Seq const* src) {                                         \
    if (dst != nullptr && src != nullptr) quillmarc::vector_assign(Seq##_in(dst), Seq##_in(src)); \
    return dst;                                                                       \
  }                                                                                   \
  T* Seq##_at(Seq* q, size_t i) { return &quillmarc::vector_at(Seq##_in(q), i); }     \
  T const* Seq##_at_const(Seq const* q, size_t i) { return &quillmarc::vector_at(Seq##_in(q), i); } \
  /* an empty sequence has no first or last element: NULL */                        \
  T* Seq##_front(Seq* q) { return Seq##_in(q).empty() ? nullptr : &Seq##_in(q).front(); } \
  T const* Seq##_front_const(Seq const* q) { return Seq##_front(const_cast<Seq*>(q)); } \
  T* Seq##_back(Seq* q) { return Seq##_in(q).empty() ? nullptr : &Seq##_in(q).back(); } \
  T const* Seq##_back_const(Seq const* q) { return Seq##_back(const_cast<Seq*>(q)); } \
  T* Seq##_data(Seq* q) { return Seq##_in(q).data(); }                                \
  T const* Seq##_data_const(Seq const* q) { return Seq##_in(q).data(); }              \
  DDS_Boolean Seq##_empty(Seq const* q) { return Seq##_in(q).empty() ? 1 : 0; }       \
  size_t Seq##_size(Seq const* q) { return Seq##_in(q).size(); }                      \
  size_t Seq##_max_size(Seq const*) { return quillmarc::max_elements<T>; }            \
  size_t Seq##_capacity(Seq const* q) { return Seq##_in(q).capacity(); }              \
  void Seq##_reserve(Seq* q, size_t n) { quillmarc::vector_reserve(Seq##_in(q), n); } \
  void Seq##_push_back(Seq* q, T const* v) { quillmarc::vector_append(Seq##_in(q), *v); } \
  void Seq##_push_back_value(Seq* q, T v) { quillmarc::vector_append(Seq##_in(q), v); } \
  /* an empty sequence has nothing to remove */                                       \
  void Seq##_pop_back(Seq* q) {                                                       \
    if (!Seq##_in(q).empty()) Seq##_in(q).pop_back();                                 \
  }                                                                                   \
  void Seq##_clear(Seq* q) { Seq##_in(q).clear(); }                                   \
  void Seq##_resize(Seq* q, size_t n) { quillmarc::vector_resize(Seq##_in(q), n); }   \
  }                                                                                   \
  std::vector<T>* Seq##_get_inner_vec(Seq* q) { return &Seq##_in(q); }

// _create and _destroy, for a translation unit that does not define the
// class (value_types/lifetime.h).
#define QUILLMARC_DEFINE_SEQUENCE_LIFETIME(Seq) QUILLMARC_DEFINE_LIFETIME(Seq, Seq)

#endif
