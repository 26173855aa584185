// The sequence pattern, stated once and stamped out for every sequence type
// of the library (the 15 element types here, the entity sequences in the
// binding).
#ifndef QUILLMARC_SRC_VALUE_TYPES_SEQUENCE_IMPL_H
#define QUILLMARC_SRC_VALUE_TYPES_SEQUENCE_IMPL_H

#include <memory>
#include <vector>

#include "quillmarc/dds_sequence.h"

namespace quillmarc {

// A new heap vector holding a copy of `from`; nothing leaks if copying throws.
template <class T>
std::vector<T>* new_vector_copy(std::vector<T> const& from) {
  std::unique_ptr<std::vector<T>> fresh(new std::vector<T>());
  *fresh = from;
  return fresh.release();
}

// Appends a copy of x. The growing path stays out of line, so that the
// common append with room to spare saves and restores no registers. When
// the vector grows, x may be one of its own elements: push_back copies it
// before the old storage is released.
template <class T>
[[gnu::noinline, gnu::cold]] void append_growing(std::vector<T>& v, T const& x) {
  v.push_back(x);
}

template <class T>
inline void append(std::vector<T>& v, T const& x) {
  if (v.size() != v.capacity())
    v.emplace_back(x);
  else
    append_growing(v, x);
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
    *inner_ = elements;                                                               \
    return *this;                                                                     \
  }                                                                                   \
  Seq::operator std::vector<T>&() const { return *inner_; }                           \
  T& Seq::operator[](unsigned long i) { return (*inner_)[i]; }                        \
  T const& Seq::operator[](unsigned long i) const { return (*inner_)[i]; }            \
  T* Seq::data() { return inner_->data(); }                                           \
  T const* Seq::data() const { return inner_->data(); }                               \
  void Seq::resize(unsigned long n) { inner_->resize(n); }                            \
  unsigned long Seq::size() const { return inner_->size(); }

// The C functions and the inner-vector accessor. They construct and destroy
// through the class and otherwise work directly on the inner vector.
#define QUILLMARC_DEFINE_SEQUENCE_FUNCTIONS(Seq, T)                                   \
  namespace {                                                                         \
  std::vector<T>& Seq##_in(Seq const* q) { return static_cast<std::vector<T>&>(*q); } \
  }                                                                                   \
  extern "C" {                                                                        \
  Seq* Seq##_create(void) { return new Seq(); }                                       \
  Seq* Seq##_create_with_size(size_t n) {                                             \
    std::unique_ptr<Seq> q(new Seq());                                                \
    Seq##_in(q.get()).resize(n);                                                      \
    return q.release();                                                               \
  }                                                                                   \
  Seq* Seq##_copy(Seq* dst, Seq const* src) {                                         \
    if (dst != nullptr && src != nullptr) Seq##_in(dst) = Seq##_in(src);              \
    return dst;                                                                       \
  }                                                                                   \
  void Seq##_destroy(Seq* q) { delete q; }                                            \
  T* Seq##_at(Seq* q, size_t i) { return &Seq##_in(q).at(i); }                        \
  T const* Seq##_at_const(Seq const* q, size_t i) { return &Seq##_in(q).at(i); }      \
  /* an empty sequence has no first or last element: NULL */                        \
  T* Seq##_front(Seq* q) { return Seq##_in(q).empty() ? nullptr : &Seq##_in(q).front(); } \
  T const* Seq##_front_const(Seq const* q) { return Seq##_front(const_cast<Seq*>(q)); } \
  T* Seq##_back(Seq* q) { return Seq##_in(q).empty() ? nullptr : &Seq##_in(q).back(); } \
  T const* Seq##_back_const(Seq const* q) { return Seq##_back(const_cast<Seq*>(q)); } \
  T* Seq##_data(Seq* q) { return Seq##_in(q).data(); }                                \
  T const* Seq##_data_const(Seq const* q) { return Seq##_in(q).data(); }              \
  DDS_Boolean Seq##_empty(Seq const* q) { return Seq##_in(q).empty() ? 1 : 0; }       \
  size_t Seq##_size(Seq const* q) { return Seq##_in(q).size(); }                      \
  size_t Seq##_max_size(Seq const*) { return std::vector<T>().max_size(); }           \
  size_t Seq##_capacity(Seq const* q) { return Seq##_in(q).capacity(); }              \
  void Seq##_reserve(Seq* q, size_t n) { Seq##_in(q).reserve(n); }                    \
  void Seq##_push_back(Seq* q, T const* v) { quillmarc::append(Seq##_in(q), *v); }     \
  void Seq##_push_back_value(Seq* q, T v) { quillmarc::append(Seq##_in(q), v); }       \
  /* an empty sequence has nothing to remove */                                       \
  void Seq##_pop_back(Seq* q) {                                                       \
    if (!Seq##_in(q).empty()) Seq##_in(q).pop_back();                                 \
  }                                                                                   \
  void Seq##_clear(Seq* q) { Seq##_in(q).clear(); }                                   \
  void Seq##_resize(Seq* q, size_t n) { Seq##_in(q).resize(n); }                      \
  }                                                                                   \
  std::vector<T>* Seq##_get_inner_vec(Seq* q) { return &Seq##_in(q); }

#define QUILLMARC_DEFINE_SEQUENCE(Seq, T) \
  QUILLMARC_DEFINE_SEQUENCE_CLASS(Seq, T) \
  QUILLMARC_DEFINE_SEQUENCE_FUNCTIONS(Seq, T)

#endif
