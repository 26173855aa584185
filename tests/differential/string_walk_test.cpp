// Random walks over DDS_CString and DDS_CWString checked against the
// standard strings they wrap.
#include <gtest/gtest.h>

#include <string>

#include "quillmarc/dds_c.h"
#include "support/differential.h"

namespace {

#define STRING_API(Prefix)                                              \
  static constexpr auto create = Prefix##_create;                      \
  static constexpr auto destroy = Prefix##_destroy;                    \
  static constexpr auto copy = Prefix##_copy;                          \
  static constexpr auto assign = Prefix##_assign;                      \
  static constexpr auto assign_cstr = Prefix##_assign_cstr;            \
  static constexpr auto assign_char = Prefix##_assign_char;            \
  static constexpr auto append = Prefix##_append;                      \
  static constexpr auto append_cstr = Prefix##_append_cstr;            \
  static constexpr auto append_char = Prefix##_append_char;            \
  static constexpr auto push_back = Prefix##_push_back;                \
  static constexpr auto pop_back = Prefix##_pop_back;                  \
  static constexpr auto insert = Prefix##_insert;                      \
  static constexpr auto insert_cstr = Prefix##_insert_cstr;            \
  static constexpr auto erase = Prefix##_erase;                        \
  static constexpr auto resize = Prefix##_resize;                      \
  static constexpr auto resize_char = Prefix##_resize_char;            \
  static constexpr auto reserve = Prefix##_reserve;                    \
  static constexpr auto clear = Prefix##_clear;                        \
  static constexpr auto at = Prefix##_at;                              \
  static constexpr auto front = Prefix##_front;                        \
  static constexpr auto size = Prefix##_size;                          \
  static constexpr auto c_str = Prefix##_c_str;

struct Narrow {
  using String = DDS_CString;
  using Std = std::string;
  using Unit = char;
  STRING_API(DDSCString)
};
struct Wide {
  using String = DDS_CWString;
  using Std = std::wstring;
  using Unit = wchar_t;
  STRING_API(DDSCWString)
};

template <class S>
class StringWalk : public ::testing::Test {};
using Twins = ::testing::Types<Narrow, Wide>;
TYPED_TEST_SUITE(StringWalk, Twins);

TYPED_TEST(StringWalk, MatchesTheStandardString) {
  using S = TypeParam;
  using Std = typename S::Std;
  using Unit = typename S::Unit;
  RandomWalk walk(20261210, 20000);

  // Units across the whole range, NUL and the high half included; text
  // arguments stop at their first NUL, so they are drawn without one.
  auto unit = [&](bool nul_allowed) {
    Unit u;
    do {
      u = walk.chance(70) ? static_cast<Unit>('a' + walk.below(4)) : static_cast<Unit>(walk.bits());
    } while (!nul_allowed && u == 0);
    return u;
  };
  auto text = [&] {
    Std t;
    for (size_t n = walk.below(6); n > 0; --n) t.push_back(unit(false));
    return t;
  };

  typename S::String* lib = S::create();
  typename S::String* other = S::create();
  Std model, other_model;

  for (long step = 0; step < walk.steps(); ++step) {
    const size_t len = model.size();
    const size_t pos = walk.below(len + 3);  // sometimes past the end
    const size_t count = walk.chance(10) ? static_cast<size_t>(-1) : walk.below(5);
    const Unit c = unit(true);
    const Std t = text();
    std::string op;
    Outcome got, want;
    switch (walk.below(16)) {
      case 0: op = "assign_cstr"; got = outcome_of([&] { S::assign_cstr(lib, t.c_str()); }); want = outcome_of([&] { model = t; }); break;
      case 1: op = "assign_char"; got = outcome_of([&] { S::assign_char(lib, c); }); want = outcome_of([&] { model.assign(1, c); }); break;
      case 2: op = "append_cstr"; got = outcome_of([&] { S::append_cstr(lib, t.c_str()); }); want = outcome_of([&] { model += t; }); break;
      case 3: op = "append_char"; got = outcome_of([&] { S::append_char(lib, count % 7, c); }); want = outcome_of([&] { model.append(count % 7, c); }); break;
      case 4: op = "push_back"; got = outcome_of([&] { S::push_back(lib, c); }); want = outcome_of([&] { model.push_back(c); }); break;
      case 5: op = "pop_back"; if (len == 0) continue; got = outcome_of([&] { S::pop_back(lib); }); want = outcome_of([&] { model.pop_back(); }); break;
      case 6: op = "insert_cstr at " + std::to_string(pos); got = outcome_of([&] { S::insert_cstr(lib, pos, t.c_str()); }); want = outcome_of([&] { model.insert(pos, t); }); break;
      case 7: op = "insert other at " + std::to_string(pos); got = outcome_of([&] { S::insert(lib, pos, other); }); want = outcome_of([&] { model.insert(pos, other_model); }); break;
      case 8: op = "insert self at " + std::to_string(pos); { Std self = model; got = outcome_of([&] { S::insert(lib, pos, lib); }); want = outcome_of([&] { model.insert(pos, self); }); } break;
      case 9: op = "erase " + std::to_string(pos) + "," + std::to_string(count); got = outcome_of([&] { S::erase(lib, pos, count); }); want = outcome_of([&] { model.erase(pos, count); }); break;
      case 10: op = "resize"; got = outcome_of([&] { S::resize(lib, pos); }); want = outcome_of([&] { model.resize(pos); }); break;
      case 11: op = "resize_char"; got = outcome_of([&] { S::resize_char(lib, pos * 2, c); }); want = outcome_of([&] { model.resize(pos * 2, c); }); break;
      case 12: op = "append self"; { Std self = model; got = outcome_of([&] { S::append(lib, lib); }); want = outcome_of([&] { model += self; }); } break;
      case 13: op = "at " + std::to_string(pos); {
          Unit a = 0;
          got = outcome_of([&] { a = S::at(lib, pos); });
          if (pos < len) { want = {}; EXPECT_EQ(a, model[pos]) << walk.where(step, op); }
          else want = {std::string(typeid(std::out_of_range).name()) + ": Index out of range"};
        } break;
      case 14: op = "keep as other"; S::assign(other, lib); other_model = model; break;
      default: op = "clear or reserve";
        if (walk.chance(30)) { S::clear(lib); model.clear(); } else { S::reserve(lib, pos * 8); model.reserve(pos * 8); }
        break;
    }
    ASSERT_EQ(got.thrown, want.thrown) << walk.where(step, op);
    ASSERT_EQ(Std(S::c_str(lib), S::size(lib)), model) << walk.where(step, op);
    ASSERT_EQ(S::front(lib), model.empty() ? Unit() : model[0]) << walk.where(step, op);
  }
  typename S::String* dup = S::copy(lib);
  EXPECT_EQ(Std(S::c_str(dup), S::size(dup)), model);
  S::destroy(dup);
  S::destroy(other);
  S::destroy(lib);
}

}  // namespace
