// DDS_CString and DDS_CWString through their exported classes and C
// functions. The twins run the same typed tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "quillmarc/dds_c.h"
#include "support/expect_throw.h"
#include "support/string_traits.h"

namespace {

template <class S>
class StringTest : public ::testing::Test {
 protected:
  using String = typename S::String;
  using Unit = typename S::Unit;
  using Std = typename S::Std;

  // ASCII text in the twin's unit type.
  static Std text(const char* ascii) { return Std(ascii, ascii + std::char_traits<char>::length(ascii)); }
  String* make(const char* ascii) { return own(S::from_cstr(text(ascii).c_str())); }
  String* own(String* s) {
    owned_.push_back(s);
    return s;
  }
  static Std content(String* s) { return Std(S::c_str(s), S::size(s)); }
  ~StringTest() override {
    for (String* s : owned_) S::destroy(s);
  }

 private:
  std::vector<String*> owned_;
};

TYPED_TEST_SUITE(StringTest, Twins);

TYPED_TEST(StringTest, NewStringIsEmptyWithBuiltInCapacity) {
  auto* s = this->own(TypeParam::create());
  EXPECT_EQ(TypeParam::size(s), 0u);
  EXPECT_EQ(TypeParam::length(s), 0u);
  EXPECT_EQ(TypeParam::empty(s), 1);
  EXPECT_EQ(TypeParam::capacity(s), TypeParam::kNewCapacity);
  EXPECT_EQ(TypeParam::c_str(s)[0], 0);
  EXPECT_EQ(TypeParam::front(s), 0);

  typename TypeParam::String on_stack;
  EXPECT_EQ(on_stack.size(), 0u);
  EXPECT_EQ(TypeParam::capacity(&on_stack), TypeParam::kNewCapacity);
}

TYPED_TEST(StringTest, AtChecksBoundsIncludingTheTerminator) {
  auto* s = this->own(TypeParam::create());
  EXPECT_THROW_MESSAGE(TypeParam::at(s, 0), std::out_of_range, "Index out of range");
  TypeParam::assign_cstr(s, this->text("abc").c_str());
  EXPECT_EQ(TypeParam::at(s, 2), 'c');
  EXPECT_THROW_MESSAGE(TypeParam::at(s, 3), std::out_of_range, "Index out of range");
  EXPECT_EQ(TypeParam::front(s), 'a');
  EXPECT_EQ(TypeParam::back(s), 'c');
}

TYPED_TEST(StringTest, EraseRule) {
  auto* s = this->make("abcdef");
  EXPECT_EQ(TypeParam::erase(s, 6, static_cast<size_t>(-1)), s);
  EXPECT_EQ(this->content(s), this->text("abcdef"));
  EXPECT_EQ(TypeParam::erase(s, 2, 0), s);
  EXPECT_EQ(this->content(s), this->text("abcdef"));
  EXPECT_THROW_MESSAGE(TypeParam::erase(s, 7, 1), std::out_of_range,
                       "basic_string::erase: __pos (which is 7) > this->size() (which is 6)");
  EXPECT_EQ(this->content(s), this->text("abcdef"));
  TypeParam::erase(s, 2, 1000);
  EXPECT_EQ(this->content(s), this->text("ab"));
  auto* cut = this->make("abcdef");
  TypeParam::erase(cut, 1, static_cast<size_t>(-1));
  EXPECT_EQ(this->content(cut), this->text("a"));
  auto* t = this->make("abcdef");
  TypeParam::erase(t, 1, 2);
  EXPECT_EQ(this->content(t), this->text("adef"));
}

TYPED_TEST(StringTest, InsertChecksPositionAndAcceptsItself) {
  auto* s = this->make("abc");
  auto* other = this->make("XY");
  EXPECT_EQ(TypeParam::insert(s, 3, other), s);
  EXPECT_EQ(this->content(s), this->text("abcXY"));
  EXPECT_THROW_MESSAGE(TypeParam::insert(s, 6, other), std::out_of_range,
                       "basic_string::replace: __pos (which is 6) > this->size() (which is 5)");
  EXPECT_THROW_MESSAGE(TypeParam::insert_cstr(s, 9, this->text("z").c_str()), std::out_of_range,
                       "basic_string::replace: __pos (which is 9) > this->size() (which is 5)");
  EXPECT_EQ(this->content(s), this->text("abcXY"));
  TypeParam::insert_cstr(s, 0, this->text(">").c_str());
  TypeParam::insert(s, 1, s);
  EXPECT_EQ(this->content(s), this->text(">>abcXYabcXY"));
}

TYPED_TEST(StringTest, AppendingAndAssigning) {
  auto* s = this->make("ab");
  TypeParam::append(s, s);
  EXPECT_EQ(this->content(s), this->text("abab"));
  TypeParam::append_cstr(s, this->text("c").c_str());
  TypeParam::append_char(s, 2, 'd');
  TypeParam::push_back(s, 'e');
  EXPECT_EQ(this->content(s), this->text("ababcdde"));
  TypeParam::pop_back(s);
  EXPECT_EQ(this->content(s), this->text("ababcdd"));
  EXPECT_EQ(TypeParam::assign_char(s, 'q'), s);
  EXPECT_EQ(this->content(s), this->text("q"));
  TypeParam::assign(s, s);
  EXPECT_EQ(this->content(s), this->text("q"));
  auto* x = this->own(TypeParam::from_char(3, 'x'));
  EXPECT_EQ(this->content(x), this->text("xxx"));
  EXPECT_EQ(TypeParam::size(this->own(TypeParam::from_char(0, 'x'))), 0u);
  TypeParam::clear(x);
  EXPECT_EQ(TypeParam::size(x), 0u);
}

TYPED_TEST(StringTest, ResizeExtendsWithNulOrTheGivenUnit) {
  auto* s = this->make("ab");
  TypeParam::resize(s, 5);
  EXPECT_EQ(TypeParam::size(s), 5u);
  EXPECT_EQ(std::char_traits<typename TypeParam::Unit>::length(TypeParam::c_str(s)), 2u);
  EXPECT_EQ(this->content(s), this->text("ab") + typename TypeParam::Std(3, 0));
  TypeParam::resize_char(s, 7, 'z');
  EXPECT_EQ(this->content(s).substr(5), this->text("zz"));
  TypeParam::resize(s, 1);
  EXPECT_EQ(this->content(s), this->text("a"));
}

TYPED_TEST(StringTest, ClearAndReserveKeepOrGrowTheCapacity) {
  auto* s = this->own(TypeParam::create());
  TypeParam::reserve(s, 100);
  size_t grown = TypeParam::capacity(s);
  EXPECT_GE(grown, 100u);
  TypeParam::append_char(s, 50, 'a');
  TypeParam::clear(s);
  EXPECT_EQ(TypeParam::capacity(s), grown);
  TypeParam::reserve(s, 1);
  EXPECT_EQ(TypeParam::capacity(s), grown);
}

TYPED_TEST(StringTest, OrderComparesUnitsThenLength) {
  using String = typename TypeParam::String;
  auto less = [&](const char* a, const char* b) {
    return *this->make(a) < *this->make(b);
  };
  EXPECT_TRUE(less("", "a"));
  EXPECT_TRUE(less("ab", "abc"));
  EXPECT_TRUE(less("abc", "abd"));
  EXPECT_FALSE(less("abd", "abc"));
  EXPECT_FALSE(less("abc", "abc"));
  String* a = this->make("a");
  String* a_nul = this->make("a");
  TypeParam::push_back(a_nul, 0);
  EXPECT_TRUE(*a < *a_nul);
  EXPECT_FALSE(*a_nul < *a);
}

TEST(StringOrder, NarrowUnitsAreUnsignedWideUnitsSigned) {
  DDS_CString* low = DDSCString_from_char(1, '\x7f');
  DDS_CString* high = DDSCString_from_char(1, '\x80');
  EXPECT_TRUE(*low < *high);
  EXPECT_FALSE(*high < *low);
  DDSCString_destroy(low);
  DDSCString_destroy(high);

  DDS_CWString* minus_one = DDSCWString_from_char(1, L'\xffffffff');
  DDS_CWString* one = DDSCWString_from_char(1, 1);
  EXPECT_TRUE(*minus_one < *one);
  EXPECT_FALSE(*one < *minus_one);
  DDSCWString_destroy(minus_one);
  DDSCWString_destroy(one);
}

TEST(StringAt, ReturnsTheUnitByValue) {
  DDS_CString* s = DDSCString_from_char(1, static_cast<char>(0xE9));
  EXPECT_EQ(DDSCString_at(s, 0), static_cast<char>(0xE9));
  DDSCString_destroy(s);
}

TYPED_TEST(StringTest, CopyAssignmentReplacesTheInnerStringOthersKeepIt) {
  using String = typename TypeParam::String;
  String* s = this->make("keep");
  void* inner = TypeParam::inner(s);
  *s = *s;
  EXPECT_EQ(TypeParam::inner(s), inner);
  EXPECT_EQ(this->content(s), this->text("keep"));

  TypeParam::assign(s, this->make("other"));
  EXPECT_EQ(TypeParam::inner(s), inner);
  EXPECT_EQ(this->content(s), this->text("other"));

  *s = *this->make("third");
  EXPECT_NE(TypeParam::inner(s), inner);
  EXPECT_EQ(this->content(s), this->text("third"));
  EXPECT_EQ(&static_cast<typename TypeParam::Std&>(*s), TypeParam::inner(s));
}

TEST(StringAssignment, FromStdStringKeepsTheInnerString) {
  DDS_CString s(std::string("a"));
  void* inner = DDSCString_inner(&s);
  s = std::string("bcd");
  EXPECT_EQ(DDSCString_inner(&s), inner);
  EXPECT_EQ(s.size(), 3u);
  EXPECT_STREQ(DDSCString_c_str(&s), "bcd");
}

TYPED_TEST(StringTest, CopiesAreDeepAndIndependent) {
  using String = typename TypeParam::String;
  String* src = this->make("source");
  String* dup = this->own(TypeParam::copy(src));
  EXPECT_NE(dup, src);
  EXPECT_NE(TypeParam::inner(dup), TypeParam::inner(src));
  TypeParam::append_cstr(dup, this->text("!").c_str());
  EXPECT_EQ(this->content(src), this->text("source"));

  String constructed(*src);
  TypeParam::clear(src);
  EXPECT_EQ(constructed.size(), 6u);
}

TYPED_TEST(StringTest, DestroyOfNullDoesNothing) { TypeParam::destroy(nullptr); }

TYPED_TEST(StringTest, MakingFunctionsRefuseBadInputAndLeaveNothing) {
  EXPECT_THROW_MESSAGE(TypeParam::from_cstr(nullptr), std::logic_error,
                       "basic_string::_M_construct null not valid");
  EXPECT_THROW(TypeParam::from_char(TypeParam::kMaxLength + 1, 'x'), std::length_error);
  auto* s = this->make("ab");
  EXPECT_THROW(TypeParam::reserve(s, TypeParam::kMaxLength + 1), std::length_error);
  EXPECT_THROW(TypeParam::append_char(s, TypeParam::kMaxLength, 'x'), std::length_error);
  EXPECT_EQ(this->content(s), this->text("ab"));
}

TYPED_TEST(StringTest, EmbeddedNulsAreOrdinaryUnits) {
  auto* s = this->own(TypeParam::from_char(2, 0));
  TypeParam::append_cstr(s, this->text("x").c_str());
  EXPECT_EQ(TypeParam::size(s), 3u);
  EXPECT_EQ(TypeParam::at(s, 2), 'x');
  auto* dup = this->own(TypeParam::copy(s));
  EXPECT_EQ(this->content(dup), this->content(s));
}

}  // namespace
