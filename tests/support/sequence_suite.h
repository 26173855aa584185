// The behaviour every sequence type shares, as a parameterised typed suite:
// instantiate it with a list of SEQUENCE_TRAITS structs.
#ifndef QUILLMARC_TESTS_SUPPORT_SEQUENCE_SUITE_H
#define QUILLMARC_TESTS_SUPPORT_SEQUENCE_SUITE_H

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

#include "support/elements.h"
#include "support/expect_throw.h"
#include "support/sequence_traits.h"

using testing_elements::is_new;
using testing_elements::same;
using testing_elements::sample;

template <class S>
class SequenceTest : public ::testing::Test {
 protected:
  using Seq = typename S::Seq;
  using T = typename S::T;

  Seq* own(Seq* q) {
    owned_.push_back(q);
    return q;
  }
  Seq* filled(int n) {
    Seq* q = own(S::create());
    for (int i = 0; i < n; ++i) S::push_back_value(q, sample<T>(i));
    return q;
  }
  ~SequenceTest() override {
    for (Seq* q : owned_) S::destroy(q);
  }

 private:
  std::vector<Seq*> owned_;
};

TYPED_TEST_SUITE_P(SequenceTest);

TYPED_TEST_P(SequenceTest, MaxSizeIsTheTypesConstant) {
  EXPECT_EQ(TypeParam::max_size(nullptr), TypeParam::kMaxSize);
  EXPECT_EQ(TypeParam::max_size(this->own(TypeParam::create())), TypeParam::kMaxSize);
}

TYPED_TEST_P(SequenceTest, CreateGivesNewElements) {
  auto* q = this->own(TypeParam::create());
  EXPECT_EQ(TypeParam::size(q), 0u);
  EXPECT_EQ(TypeParam::capacity(q), 0u);
  EXPECT_EQ(TypeParam::empty(q), 1);
  EXPECT_EQ(TypeParam::empty(this->own(TypeParam::create_with_size(0))), 1);

  auto* three = this->own(TypeParam::create_with_size(3));
  ASSERT_EQ(TypeParam::size(three), 3u);
  EXPECT_EQ(TypeParam::empty(three), 0);
  for (size_t i = 0; i < 3; ++i) EXPECT_TRUE(is_new(*TypeParam::at(three, i)));
}

TYPED_TEST_P(SequenceTest, ElementAccess) {
  auto* q = this->filled(3);
  EXPECT_TRUE(same(*TypeParam::at(q, 0), sample<typename TypeParam::T>(0)));
  EXPECT_EQ(TypeParam::at(q, 2), TypeParam::back(q));
  EXPECT_EQ(TypeParam::at_const(q, 2), TypeParam::back_const(q));
  EXPECT_EQ(TypeParam::front(q), TypeParam::data(q));
  EXPECT_EQ(TypeParam::front_const(q), TypeParam::data_const(q));
  auto& cls = *q;
  EXPECT_EQ(&cls[1], TypeParam::at(q, 1));
  EXPECT_EQ(cls.data(), TypeParam::data(q));
  EXPECT_EQ(cls.size(), 3u);
  EXPECT_EQ(&static_cast<std::vector<typename TypeParam::T>&>(cls), TypeParam::get_inner_vec(q));

  char message[128];
  std::snprintf(message, sizeof message,
                "vector::_M_range_check: __n (which is %d) >= this->size() (which is %d)", 3, 3);
  EXPECT_THROW_MESSAGE(TypeParam::at(q, 3), std::out_of_range, message);
  EXPECT_THROW_MESSAGE(TypeParam::at_const(q, 3), std::out_of_range, message);
}

TYPED_TEST_P(SequenceTest, CopyAssignsIntoTheExistingInnerVector) {
  auto* src = this->filled(4);
  auto* dst = this->filled(1);
  auto* inner = TypeParam::get_inner_vec(dst);
  EXPECT_EQ(TypeParam::copy(dst, src), dst);
  EXPECT_EQ(TypeParam::get_inner_vec(dst), inner);
  ASSERT_EQ(TypeParam::size(dst), 4u);
  EXPECT_TRUE(same(*TypeParam::at(dst, 3), *TypeParam::at(src, 3)));

  EXPECT_EQ(TypeParam::copy(dst, nullptr), dst);
  EXPECT_EQ(TypeParam::size(dst), 4u);
  EXPECT_EQ(TypeParam::copy(nullptr, src), nullptr);
  EXPECT_EQ(TypeParam::copy(dst, dst), dst);
  EXPECT_EQ(TypeParam::size(dst), 4u);
  EXPECT_TRUE(same(*TypeParam::at(dst, 3), sample<typename TypeParam::T>(3)));
}

TYPED_TEST_P(SequenceTest, ClassCopiesAreIndependentAndAssignmentReplacesTheVector) {
  using Seq = typename TypeParam::Seq;
  auto* src = this->filled(2);
  Seq a(*src), b(*src);
  a.resize(5);
  TypeParam::pop_back(&b);
  EXPECT_EQ(TypeParam::size(src), 2u);
  EXPECT_EQ(a.size(), 5u);
  EXPECT_EQ(b.size(), 1u);
  EXPECT_TRUE(same(b[0], sample<typename TypeParam::T>(0)));

  auto* inner = TypeParam::get_inner_vec(&a);
  Seq& same_object = a;  // self-assignment through a reference, as callers write it
  a = same_object;
  EXPECT_EQ(TypeParam::get_inner_vec(&a), inner);
  a = *src;
  EXPECT_NE(TypeParam::get_inner_vec(&a), inner);
  EXPECT_EQ(a.size(), 2u);

  std::vector<typename TypeParam::T> elements(3);
  inner = TypeParam::get_inner_vec(&a);
  a = elements;
  EXPECT_EQ(TypeParam::get_inner_vec(&a), inner);
  EXPECT_EQ(a.size(), 3u);
  Seq from_vector(elements);
  EXPECT_EQ(from_vector.size(), 3u);
}

TYPED_TEST_P(SequenceTest, ShrinkingKeepsTheCapacity) {
  auto* q = this->filled(6);
  size_t capacity = TypeParam::capacity(q);
  TypeParam::resize(q, 2);
  EXPECT_EQ(TypeParam::size(q), 2u);
  EXPECT_EQ(TypeParam::capacity(q), capacity);
  TypeParam::clear(q);
  EXPECT_EQ(TypeParam::size(q), 0u);
  EXPECT_EQ(TypeParam::capacity(q), capacity);
  TypeParam::reserve(q, capacity);
  EXPECT_EQ(TypeParam::capacity(q), capacity);
  TypeParam::reserve(q, capacity + 10);
  EXPECT_EQ(TypeParam::capacity(q), capacity + 10);
}

TYPED_TEST_P(SequenceTest, GrowthPastTheMaximumIsRefusedAndChangesNothing) {
  EXPECT_THROW_MESSAGE(TypeParam::create_with_size(TypeParam::kMaxSize + 1), std::length_error,
                       "vector::_M_default_append");
  auto* q = this->filled(2);
  EXPECT_THROW_MESSAGE(TypeParam::reserve(q, TypeParam::kMaxSize + 1), std::length_error,
                       "vector::reserve");
  EXPECT_THROW_MESSAGE(TypeParam::reserve(this->own(TypeParam::create()), TypeParam::kMaxSize + 1),
                       std::length_error, "vector::reserve");
  EXPECT_THROW_MESSAGE(TypeParam::resize(q, TypeParam::kMaxSize + 1), std::length_error,
                       "vector::_M_default_append");
  EXPECT_THROW_MESSAGE(q->resize(static_cast<unsigned long>(-1)), std::length_error,
                       "vector::_M_default_append");
  EXPECT_EQ(TypeParam::size(q), 2u);
  EXPECT_TRUE(same(*TypeParam::at(q, 1), sample<typename TypeParam::T>(1)));
}

TYPED_TEST_P(SequenceTest, PushBackOfOwnElementWhileTheStorageMoves) {
  auto* q = this->filled(1);
  while (TypeParam::size(q) < TypeParam::capacity(q)) TypeParam::push_back_value(q, sample<typename TypeParam::T>(9));
  auto* storage = TypeParam::data(q);
  TypeParam::push_back(q, TypeParam::at(q, 0));
  EXPECT_NE(TypeParam::data(q), storage);
  EXPECT_TRUE(same(*TypeParam::back(q), sample<typename TypeParam::T>(0)));
}

TYPED_TEST_P(SequenceTest, ResizeAddsNewElementsAndKeepsTheOthers) {
  auto* q = this->filled(1);
  TypeParam::resize(q, 4);
  ASSERT_EQ(TypeParam::size(q), 4u);
  EXPECT_TRUE(same(*TypeParam::at(q, 0), sample<typename TypeParam::T>(0)));
  for (size_t i = 1; i < 4; ++i) EXPECT_TRUE(is_new(*TypeParam::at(q, i)));
}

TYPED_TEST_P(SequenceTest, NullAndEmptyAreHarmless) {
  TypeParam::destroy(nullptr);
  auto* q = this->own(TypeParam::create());
  TypeParam::pop_back(q);
  EXPECT_EQ(TypeParam::front(q), nullptr);
  EXPECT_EQ(TypeParam::back_const(q), nullptr);
  EXPECT_EQ(TypeParam::size(q), 0u);
}

REGISTER_TYPED_TEST_SUITE_P(SequenceTest, MaxSizeIsTheTypesConstant,
                            CreateGivesNewElements,
                            ElementAccess,
                            CopyAssignsIntoTheExistingInnerVector,
                            ClassCopiesAreIndependentAndAssignmentReplacesTheVector,
                            ShrinkingKeepsTheCapacity,
                            GrowthPastTheMaximumIsRefusedAndChangesNothing,
                            PushBackOfOwnElementWhileTheStorageMoves,
                            ResizeAddsNewElementsAndKeepsTheOthers,
                            NullAndEmptyAreHarmless);

#endif
