// Every exception that the value types and maps raise of their own carries
// the library's text, exactly, whichever standard library it was built
// with. Checks that only a size beyond what can be allocated reaches run
// here with a small limit in place of the real one.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <typeinfo>
#include <vector>

#include "quillmarc/dds_c.h"
#include "value_types/sequence_impl.h"
#include "value_types/string_impl.h"

namespace {

// The objects the calls below act on.
struct Objects {
  DDS_CString* narrow = DDSCString_from_cstr("abc");
  DDS_CWString* wide = DDSCWString_from_cstr(L"abc");
  DDS_LongSequence* longs = DDS_LongSequence_create_with_size(2);
  DDS_CStringSequence* strings = DDS_CStringSequence_create_with_size(3);
  DDS_LongDDS_LongMap map;
  std::vector<int> full_vector = std::vector<int>(2);
  std::string text = "abc";
  std::wstring wide_text = L"abc";
  ~Objects() {
    DDSCString_destroy(narrow);
    DDSCWString_destroy(wide);
    DDS_LongSequence_destroy(longs);
    DDS_CStringSequence_destroy(strings);
  }
};

struct TextCase {
  const char* call;
  std::function<void(Objects&)> run;
  const std::type_info& type;
  std::string text;
};

constexpr size_t kLongMax = 0x1fffffffffffffff;

std::vector<TextCase> text_cases() {
  using std::length_error;
  using std::logic_error;
  using std::out_of_range;
  return {
      {"DDSCString_at past the end", [](Objects& o) { DDSCString_at(o.narrow, 3); },
       typeid(out_of_range), "Index out of range"},
      {"DDSCWString_at past the end", [](Objects& o) { DDSCWString_at(o.wide, 7); },
       typeid(out_of_range), "Index out of range"},
      {"DDSCString_insert past the end", [](Objects& o) { DDSCString_insert(o.narrow, 4, o.narrow); },
       typeid(out_of_range), "basic_string::replace: __pos (which is 4) > this->size() (which is 3)"},
      {"DDSCString_insert_cstr past the end", [](Objects& o) { DDSCString_insert_cstr(o.narrow, 9, "x"); },
       typeid(out_of_range), "basic_string::replace: __pos (which is 9) > this->size() (which is 3)"},
      {"DDSCWString_insert past the end", [](Objects& o) { DDSCWString_insert(o.wide, 5, o.wide); },
       typeid(out_of_range), "basic_string::replace: __pos (which is 5) > this->size() (which is 3)"},
      {"DDSCWString_insert_cstr past the end", [](Objects& o) { DDSCWString_insert_cstr(o.wide, 4, L"x"); },
       typeid(out_of_range), "basic_string::replace: __pos (which is 4) > this->size() (which is 3)"},
      {"DDSCString_erase past the end", [](Objects& o) { DDSCString_erase(o.narrow, 4, 1); },
       typeid(out_of_range), "basic_string::erase: __pos (which is 4) > this->size() (which is 3)"},
      {"DDSCWString_erase past the end", [](Objects& o) { DDSCWString_erase(o.wide, 10, 0); },
       typeid(out_of_range), "basic_string::erase: __pos (which is 10) > this->size() (which is 3)"},
      {"DDSCString_from_cstr(NULL)", [](Objects&) { DDSCString_from_cstr(nullptr); },
       typeid(logic_error), "basic_string::_M_construct null not valid"},
      {"DDSCWString_from_cstr(NULL)", [](Objects&) { DDSCWString_from_cstr(nullptr); },
       typeid(logic_error), "basic_string::_M_construct null not valid"},
      {"appending C text beyond a limit of 5 units",
       [](Objects& o) { quillmarc::string_append_text<char, 5>(o.text, "def"); },
       typeid(length_error), "basic_string::append"},
      {"appending wide C text beyond a limit of 5 units",
       [](Objects& o) { quillmarc::string_append_text<wchar_t, 5>(o.wide_text, L"def"); },
       typeid(length_error), "basic_string::append"},
      {"DDS_LongSequence_at past the end", [](Objects& o) { DDS_LongSequence_at(o.longs, 2); },
       typeid(out_of_range), "vector::_M_range_check: __n (which is 2) >= this->size() (which is 2)"},
      {"DDS_CStringSequence_at_const past the end",
       [](Objects& o) { DDS_CStringSequence_at_const(o.strings, 12345678901); },
       typeid(out_of_range), "vector::_M_range_check: __n (which is 12345678901) >= this->size() (which is 3)"},
      {"DDS_LongSequence_reserve beyond the maximum",
       [](Objects& o) { DDS_LongSequence_reserve(o.longs, kLongMax + 1); },
       typeid(length_error), "vector::reserve"},
      {"DDS_LongSequence_create_with_size beyond the maximum",
       [](Objects&) { DDS_LongSequence_create_with_size(kLongMax + 1); },
       typeid(length_error), "vector::_M_default_append"},
      {"DDS_LongSequence_resize beyond the maximum",
       [](Objects& o) { DDS_LongSequence_resize(o.longs, kLongMax + 1); },
       typeid(length_error), "vector::_M_default_append"},
      {"DDS_CStringSequence::resize beyond the maximum",
       [](Objects& o) { o.strings->resize(static_cast<unsigned long>(-1)); },
       typeid(length_error), "vector::_M_default_append"},
      {"appending to a full sequence at a limit of 2 elements",
       [](Objects& o) { quillmarc::vector_append<int, 2>(o.full_vector, 7); },
       typeid(length_error), "vector::_M_realloc_insert"},
      {"const subscript of an absent key",
       [](Objects& o) { static_cast<DDS_LongDDS_LongMap const&>(o.map)[5]; },
       typeid(out_of_range), "map::at"},
  };
}

TEST(ExceptionTexts, EachIsExactlyTheLibrarysOwn) {
  for (TextCase const& c : text_cases()) {
    SCOPED_TRACE(c.call);
    Objects objects;
    try {
      c.run(objects);
      ADD_FAILURE() << "nothing thrown";
    } catch (std::exception const& e) {
      EXPECT_EQ(typeid(e), c.type) << "thrown: " << typeid(e).name();
      EXPECT_EQ(std::string(e.what()), c.text);
    }
  }
}

// The growth checks against a small limit: up to it the operation works,
// beyond it the operation is refused before anything changes.
TEST(LimitChecks, AppendGrowsUpToTheLimitAndNoFurther) {
  std::vector<int> v(1);
  ASSERT_EQ(v.capacity(), 1u);
  quillmarc::vector_append<int, 2>(v, 7);
  ASSERT_EQ(v, (std::vector<int>{0, 7}));
  v.shrink_to_fit();
  ASSERT_EQ(v.capacity(), 2u);
  EXPECT_THROW((quillmarc::vector_append<int, 2>(v, 8)), std::length_error);
  EXPECT_EQ(v, (std::vector<int>{0, 7}));
}

TEST(LimitChecks, ReserveAndResizeStopAtTheLimit) {
  std::vector<int> v{1, 2};
  quillmarc::vector_reserve<int, 4>(v, 4);
  EXPECT_GE(v.capacity(), 4u);
  size_t capacity = v.capacity();
  EXPECT_THROW((quillmarc::vector_reserve<int, 4>(v, 5)), std::length_error);
  EXPECT_EQ(v.capacity(), capacity);

  quillmarc::vector_resize<int, 4>(v, 4);
  EXPECT_EQ(v, (std::vector<int>{1, 2, 0, 0}));
  EXPECT_THROW((quillmarc::vector_resize<int, 4>(v, 5)), std::length_error);
  EXPECT_EQ(v.size(), 4u);
}

TEST(LimitChecks, AppendingTextStopsAtTheLimit) {
  std::string s = "abc";
  quillmarc::string_append_text<char, 5>(s, "de");
  EXPECT_EQ(s, "abcde");
  EXPECT_THROW((quillmarc::string_append_text<char, 5>(s, "f")), std::length_error);
  EXPECT_EQ(s, "abcde");
  quillmarc::string_append_text<char, 5>(s, "");
  EXPECT_EQ(s, "abcde");
}

TEST(LimitChecks, TheRealLimitsAreTheLibrarysConstants) {
  EXPECT_EQ(quillmarc::max_length<char>, 0x3fffffffffffffffu);
  EXPECT_EQ(quillmarc::max_length<wchar_t>, 0x0fffffffffffffffu);
  EXPECT_EQ(quillmarc::max_elements<int>, kLongMax);
  EXPECT_EQ(quillmarc::max_elements<DDS_LongDouble>, 0x07ffffffffffffffu);
}

}  // namespace
