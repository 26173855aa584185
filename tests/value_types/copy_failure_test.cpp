// What a copy into an existing sequence or string leaves when memory runs
// out part-way: every allocation of the copy is made to fail in turn, and
// the target must then be exactly as it was.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>
#include <type_traits>
#include <vector>

#include "../support/failing_allocations.h"
#include "support/elements.h"
#include "support/sequence_traits.h"
#include "support/string_traits.h"
#include "support/value_sequences.h"

namespace {

using failing_allocations::live_blocks;
using testing_elements::same;

// Fails the first allocation of `op`, then the second, and so on until op
// succeeds, running `check` after each failure; returns the failures.
template <class Op, class Check>
int sweep_failures(Op op, Check check) {
  int failures = 0;
  for (;; ++failures) {
    failing_allocations::fail_after(failures);
    bool failed = false;
    try {
      op();
    } catch (std::bad_alloc const&) {
      failed = true;
    }
    failing_allocations::fail_after(-1);
    if (!failed) return failures;
    check();
  }
}

template <class T>
constexpr bool is_string = std::is_same_v<T, DDS_CString> || std::is_same_v<T, DDS_CWString>;

// Element i, string elements too long for the string's built-in buffer, so
// that copying each one allocates.
template <class T>
T element(const char* tag, int i) {
  if constexpr (std::is_same_v<T, DDS_CString>) {
    return DDS_CString(std::string(tag) + " element spelled out at length " + std::to_string(i));
  } else if constexpr (std::is_same_v<T, DDS_CWString>) {
    DDS_CWString w;
    static_cast<std::wstring&>(w) = std::wstring(tag, tag + 3) + L" element " + std::to_wstring(i);
    return w;
  } else {
    return testing_elements::sample<T>(std::string(tag) == "old" ? i : 100 + i);
  }
}

// The address of a string element's own inner string; nothing for others.
template <class T>
void const* inner_string(T const& e) {
  if constexpr (std::is_same_v<T, DDS_CString>)
    return &static_cast<std::string&>(e);
  else if constexpr (std::is_same_v<T, DDS_CWString>)
    return &static_cast<std::wstring&>(e);
  else
    return nullptr;
}

// Everything a failed copy must leave as it was: the inner vector, its
// storage, and each element with its value and, for strings, its own inner
// string.
template <class S>
struct Picture {
  using T = typename S::T;
  explicit Picture(typename S::Seq* q)
      : vector(S::get_inner_vec(q)), storage(S::data(q)), values(*vector) {
    for (T const& e : *vector) inner_strings.push_back(inner_string(e));
  }
  void expect_is(typename S::Seq* q) const {
    EXPECT_EQ(S::get_inner_vec(q), vector);
    EXPECT_EQ(S::data(q), storage);
    ASSERT_EQ(S::size(q), values.size());
    for (size_t i = 0; i < values.size(); ++i) {
      EXPECT_TRUE(same(*S::at(q, i), values[i])) << "element " << i;
      EXPECT_EQ(inner_string(*S::at(q, i)), inner_strings[i]) << "element " << i;
    }
  }
  std::vector<T> const* vector;
  T const* storage;
  std::vector<T> values;
  std::vector<void const*> inner_strings;
};

template <class S>
class SequenceCopyFailure : public ::testing::Test {};
TYPED_TEST_SUITE(SequenceCopyFailure, ValueSequences, SequenceNames);

TYPED_TEST(SequenceCopyFailure, LeavesTheTargetAsItWasAndSucceedsWhole) {
  using S = TypeParam;
  using Seq = typename S::Seq;
  using T = typename S::T;
  struct Copy {
    const char* name;
    void (*run)(Seq* dst, Seq* src);
    bool keeps_inner_vector;
  };
  const Copy copies[] = {
      {"_copy", [](Seq* dst, Seq* src) { S::copy(dst, src); }, true},
      {"assignment from a vector", [](Seq* dst, Seq* src) { *dst = *S::get_inner_vec(src); }, true},
      {"copy assignment", [](Seq* dst, Seq* src) { *dst = *src; }, false},
  };
  // Target and source sizes; the target has room for 8, so that only the
  // last copy needs new storage.
  const struct {
    size_t dst, src;
  } shapes[] = {{4, 4}, {6, 4}, {4, 6}, {4, 10}};
  for (Copy const& copy : copies) {
    for (auto shape : shapes) {
      SCOPED_TRACE(::testing::Message() << copy.name << " of " << shape.src << " into " << shape.dst);
      Seq* dst = S::create();
      Seq* src = S::create();
      S::reserve(dst, 8);
      for (size_t i = 0; i < shape.dst; ++i) S::push_back_value(dst, element<T>("old", int(i)));
      for (size_t i = 0; i < shape.src; ++i) S::push_back_value(src, element<T>("new", int(i)));
      const Picture<S> before(dst), source(src);
      const long blocks = live_blocks();

      int failures = sweep_failures([&] { copy.run(dst, src); }, [&] {
        before.expect_is(dst);
        EXPECT_EQ(live_blocks(), blocks);
      });
      // Each string element's inner string and its text.
      if (is_string<T>) {
        EXPECT_GE(failures, int(2 * shape.src));
      }
      source.expect_is(src);
      ASSERT_EQ(S::size(dst), shape.src);
      for (size_t i = 0; i < shape.src; ++i) EXPECT_TRUE(same(*S::at(dst, i), *S::at(src, i)));
      if (copy.keeps_inner_vector) {
        EXPECT_EQ(S::get_inner_vec(dst), before.vector);
      }
      S::destroy(dst);
      S::destroy(src);
    }
  }
}

// The string functions that copy units into an existing string, and copy
// assignment, each made to fail at every allocation in turn.
template <class S>
class StringCopyFailure : public ::testing::Test {};
TYPED_TEST_SUITE(StringCopyFailure, Twins);

TYPED_TEST(StringCopyFailure, LeavesTheStringAsItWas) {
  using S = TypeParam;
  using String = typename S::String;
  using Unit = typename S::Unit;
  using Std = typename S::Std;
  auto units = [](const char* ascii) { return Std(ascii, ascii + std::char_traits<char>::length(ascii)); };
  const Std old_text = units("the old text, past the built-in buffer");
  const Std new_text = units("the new text, longer than the old one and its room");
  struct Change {
    const char* name;
    void (*run)(String* s, String* other, const Unit* text);
  };
  const Change changes[] = {
      {"_assign", [](String* s, String* other, const Unit*) { S::assign(s, other); }},
      {"_assign_cstr", [](String* s, String*, const Unit* text) { S::assign_cstr(s, text); }},
      {"_append", [](String* s, String* other, const Unit*) { S::append(s, other); }},
      {"_append_cstr", [](String* s, String*, const Unit* text) { S::append_cstr(s, text); }},
      {"_insert", [](String* s, String* other, const Unit*) { S::insert(s, 1, other); }},
      {"_insert_cstr", [](String* s, String*, const Unit* text) { S::insert_cstr(s, 1, text); }},
      {"copy assignment", [](String* s, String* other, const Unit*) { *s = *other; }},
  };
  for (Change const& change : changes) {
    SCOPED_TRACE(change.name);
    String* s = S::from_cstr(old_text.c_str());
    String* other = S::from_cstr(new_text.c_str());
    void* inner = S::inner(s);
    const Unit* stored = S::c_str(s);
    const long blocks = live_blocks();
    int failures = sweep_failures([&] { change.run(s, other, new_text.c_str()); }, [&] {
      EXPECT_EQ(Std(S::c_str(s), S::size(s)), old_text);
      EXPECT_EQ(S::inner(s), inner);
      EXPECT_EQ(S::c_str(s), stored);
      EXPECT_EQ(live_blocks(), blocks);
    });
    EXPECT_GE(failures, 1);
    EXPECT_EQ(Std(S::c_str(other), S::size(other)), new_text);
    S::destroy(s);
    S::destroy(other);
  }
}

// The making functions release what they began when an allocation fails.
TYPED_TEST(StringCopyFailure, MakingFunctionsLeaveNothingBehind) {
  using S = TypeParam;
  using String = typename S::String;
  using Unit = typename S::Unit;
  String* source = S::from_char(40, 's');
  const std::basic_string<Unit> text(40, 't');
  const std::function<String*()> makings[] = {
      [&] { return S::copy(source); },
      [&] { return S::from_cstr(text.c_str()); },
      [&] { return S::from_char(40, 'c'); },
  };
  for (auto const& make : makings) {
    const long blocks = live_blocks();
    String* made = nullptr;
    EXPECT_EQ(sweep_failures([&] { made = make(); }, [&] { EXPECT_EQ(live_blocks(), blocks); }), 3);
    EXPECT_EQ(S::size(made), 40u);
    S::destroy(made);
  }
  S::destroy(source);
}

TYPED_TEST(SequenceCopyFailure, CreateWithSizeLeavesNothingBehind) {
  using S = TypeParam;
  const long blocks = live_blocks();
  typename S::Seq* made = nullptr;
  EXPECT_GE(sweep_failures([&] { made = S::create_with_size(3); }, [&] { EXPECT_EQ(live_blocks(), blocks); }), 3);
  EXPECT_EQ(S::size(made), 3u);
  S::destroy(made);
}

}  // namespace
