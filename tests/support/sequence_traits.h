// SEQUENCE_TRAITS(Name, Type, MaxSize): the C functions of DDS_<Name>Sequence
// gathered in one struct, so one typed test body serves every sequence type.
#ifndef QUILLMARC_TESTS_SUPPORT_SEQUENCE_TRAITS_H
#define QUILLMARC_TESTS_SUPPORT_SEQUENCE_TRAITS_H

#include <cstddef>
#include <string>

#define SEQUENCE_TRAITS(Name, Type, MaxSize)                                 \
  struct Name##Sequence {                                                    \
    using Seq = DDS_##Name##Sequence;                                        \
    using T = Type;                                                          \
    static constexpr const char* kName = #Name;                              \
    static constexpr size_t kMaxSize = MaxSize;                              \
    static constexpr auto create = DDS_##Name##Sequence_create;              \
    static constexpr auto create_with_size = DDS_##Name##Sequence_create_with_size; \
    static constexpr auto copy = DDS_##Name##Sequence_copy;                  \
    static constexpr auto destroy = DDS_##Name##Sequence_destroy;            \
    static constexpr auto at = DDS_##Name##Sequence_at;                      \
    static constexpr auto at_const = DDS_##Name##Sequence_at_const;          \
    static constexpr auto front = DDS_##Name##Sequence_front;                \
    static constexpr auto front_const = DDS_##Name##Sequence_front_const;    \
    static constexpr auto back = DDS_##Name##Sequence_back;                  \
    static constexpr auto back_const = DDS_##Name##Sequence_back_const;      \
    static constexpr auto data = DDS_##Name##Sequence_data;                  \
    static constexpr auto data_const = DDS_##Name##Sequence_data_const;      \
    static constexpr auto empty = DDS_##Name##Sequence_empty;                \
    static constexpr auto size = DDS_##Name##Sequence_size;                  \
    static constexpr auto max_size = DDS_##Name##Sequence_max_size;          \
    static constexpr auto capacity = DDS_##Name##Sequence_capacity;          \
    static constexpr auto reserve = DDS_##Name##Sequence_reserve;            \
    static constexpr auto push_back = DDS_##Name##Sequence_push_back;        \
    static constexpr auto push_back_value = DDS_##Name##Sequence_push_back_value; \
    static constexpr auto pop_back = DDS_##Name##Sequence_pop_back;          \
    static constexpr auto clear = DDS_##Name##Sequence_clear;                \
    static constexpr auto resize = DDS_##Name##Sequence_resize;              \
    static constexpr auto get_inner_vec = DDS_##Name##Sequence_get_inner_vec; \
  };

// Names typed tests after the sequence type.
struct SequenceNames {
  template <class S>
  static std::string GetName(int) {
    return S::kName;
  }
};

#endif
