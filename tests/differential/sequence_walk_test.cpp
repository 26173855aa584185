// Random walks over every sequence type checked against std::vector.
#include <gtest/gtest.h>

#include <vector>

#include "support/differential.h"
#include "support/elements.h"
#include "support/value_sequences.h"

namespace {

using testing_elements::same;
using testing_elements::sample;

template <class S>
class SequenceWalk : public ::testing::Test {};
TYPED_TEST_SUITE(SequenceWalk, ValueSequences, SequenceNames);

TYPED_TEST(SequenceWalk, MatchesTheStandardVector) {
  using S = TypeParam;
  using T = typename S::T;
  RandomWalk walk(7 + S::kMaxSize % 1000, 4000);

  typename S::Seq* lib = S::create();
  typename S::Seq* other = S::create();
  std::vector<T> model, other_model;

  for (long step = 0; step < walk.steps(); ++step) {
    const size_t len = model.size();
    const size_t pos = walk.below(len + 2);
    const T value = sample<T>(static_cast<int>(walk.below(50)));
    std::string op;
    Outcome got, want;
    switch (walk.below(10)) {
      case 0: op = "push_back"; got = outcome_of([&] { S::push_back(lib, &value); }); model.push_back(value); break;
      case 1: op = "push_back_value"; got = outcome_of([&] { S::push_back_value(lib, value); }); model.push_back(value); break;
      case 2:
        op = "push_back own element " + std::to_string(pos);
        if (pos >= len) continue;
        { T copy = model[pos]; got = outcome_of([&] { S::push_back(lib, S::at(lib, pos)); }); model.push_back(copy); }
        break;
      case 3: op = "pop_back"; if (len == 0) continue; S::pop_back(lib); model.pop_back(); break;
      case 4: op = "resize " + std::to_string(pos * 2); S::resize(lib, pos * 2); model.resize(pos * 2); break;
      case 5: op = "reserve"; S::reserve(lib, pos * 3); model.reserve(pos * 3); break;
      case 6: op = "clear"; if (walk.chance(70)) continue; S::clear(lib); model.clear(); break;
      case 7:
        op = "at " + std::to_string(pos);
        got = outcome_of([&] { S::at_const(lib, pos); });
        want = outcome_of([&] { (void)model.at(pos); });
        break;
      case 8: op = "copy into other"; S::copy(other, lib); other_model = model; break;
      default: op = "copy from other"; S::copy(lib, other); model = other_model; break;
    }
    ASSERT_EQ(got.thrown, want.thrown) << walk.where(step, op);
    ASSERT_EQ(S::size(lib), model.size()) << walk.where(step, op);
    ASSERT_EQ(S::empty(lib) != 0, model.empty()) << walk.where(step, op);
    ASSERT_GE(S::capacity(lib), model.size()) << walk.where(step, op);
    // The ends: null for an empty sequence, else the first and last elements.
    ASSERT_EQ(S::front(lib), model.empty() ? nullptr : S::data(lib)) << walk.where(step, op);
    ASSERT_EQ(S::back_const(lib), model.empty() ? nullptr : S::data(lib) + model.size() - 1) << walk.where(step, op);
    for (size_t i = 0; i < model.size(); ++i)
      ASSERT_TRUE(same(S::data(lib)[i], model[i])) << walk.where(step, op) << ", element " << i;
  }
  S::destroy(other);
  S::destroy(lib);
}

}  // namespace
