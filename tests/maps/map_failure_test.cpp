// What a map keeps when memory runs out inside it: every allocation of an
// operation is made to fail in turn.
#include <memory>
#include <new>

#include "support/failing_allocations.h"
#include "map_samples.h"

MAPTEST_API(DDS_CStringDDS_LongMap, DDS_CString, DDS_Long)
MAPTEST_API(DDS_CStringDDS_CStringMap, DDS_CString, DDS_CString)

namespace maptest {
namespace {

using failing_allocations::live_blocks;

// Runs `op` with its first allocation failing, then its second, and so on
// until it succeeds; `after_failure` checks what the failure left. Returns
// how many allocations failed.
template <class Op, class Check>
int fail_each_allocation(Op op, Check after_failure) {
  for (int n = 0;; ++n) {
    failing_allocations::fail_after(n);
    try {
      op();
    } catch (std::bad_alloc const&) {
      failing_allocations::fail_after(-1);
      after_failure();
      continue;
    }
    failing_allocations::fail_after(-1);
    return n;
  }
}

// Texts too long for a string's inline buffer, so that every copy allocates.
DDS_CString long_text(char const* t) { return cstring(std::string(t) + " spelled out at length"); }

using Inner = std::map<DDS_CString, DDS_CString>;
Inner& inner(DDS_CStringDDS_CStringMap const& m) { return m; }

TEST(MapOutOfMemory, InsertOfAnAbsentKeyLeavesTheMapAsItWas) {
  using A = Api<DDS_CStringDDS_LongMap>;
  DDS_CStringDDS_LongMap m;
  DDS_CString present = long_text("present"), absent = long_text("absent");
  DDS_Long one = 1, two = 2;
  A::insert(&m, &present, &one);
  long blocks = live_blocks();
  auto unchanged = [&] {
    EXPECT_EQ(1u, A::size(&m));
    EXPECT_EQ(nullptr, A::find(&m, &absent));
    EXPECT_EQ(1, *A::find(&m, &present));
    EXPECT_EQ(blocks, live_blocks());
  };
  // The entry, the key's inner string and its buffer.
  EXPECT_EQ(3, fail_each_allocation([&] { A::insert(&m, &absent, &two); }, unchanged));
  EXPECT_EQ(2, *A::find(&m, &absent));
  A::erase(&m, &absent);
  EXPECT_EQ(3, fail_each_allocation([&] { m[absent] = two; }, unchanged));
}

TEST(MapOutOfMemory, CopyLeavesTheTargetEmptyAndTheSourceWhole) {
  using A = Api<DDS_CStringDDS_CStringMap>;
  DDS_CStringDDS_CStringMap source, target;
  std::vector<DDS_CString> texts = {long_text("a"), long_text("b"), long_text("c")};
  for (auto const& t : texts) A::insert(&source, &t, &t);
  Inner& target_inner = target;
  long blocks_with_empty_target = live_blocks();
  auto refill_target = [&] {
    DDS_CString other = long_text("other");
    A::insert(&target, &other, &other);
    A::insert(&target, &texts[1], &other);
  };
  auto source_whole = [&] {
    ASSERT_EQ(texts.size(), A::size(&source));
    for (auto const& t : texts) EXPECT_TRUE(same(t, *A::find(&source, &t)));
  };
  refill_target();
  int failures = fail_each_allocation([&] { A::copy(&target, &source); }, [&] {
    EXPECT_EQ(1, A::empty(&target));
    EXPECT_EQ(&target_inner, &inner(target));
    EXPECT_EQ(blocks_with_empty_target, live_blocks());
    source_whole();
    refill_target();
  });
  EXPECT_GT(failures, 3);
  for (auto const& t : texts) EXPECT_TRUE(same(t, *A::find(&target, &t)));

  // A copy constructor that fails makes no object and keeps nothing.
  long blocks = live_blocks();
  std::unique_ptr<DDS_CStringDDS_CStringMap> copy;
  fail_each_allocation([&] { copy = std::make_unique<DDS_CStringDDS_CStringMap>(source); },
                       [&] { EXPECT_EQ(blocks, live_blocks()); });
  source_whole();
}

TEST(MapOutOfMemory, CreateReleasesTheObjectWhenItsInnerMapCannotBeMade) {
  using A = Api<DDS_CStringDDS_LongMap>;
  long blocks = live_blocks();
  DDS_CStringDDS_LongMap* m = nullptr;
  EXPECT_EQ(2, fail_each_allocation([&] { m = A::create(); },
                                    [&] { EXPECT_EQ(blocks, live_blocks()); }));
  A::destroy(m);
  EXPECT_EQ(blocks, live_blocks());
}

}  // namespace
}  // namespace maptest
