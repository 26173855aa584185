// The writer set keeps one writer inline and the rest in a vector: removing
// the inline one must bring another in, and none may be counted twice.
#include <gtest/gtest.h>

#include "engine/writer_set.h"

namespace {

using ZORVEX::InstanceHandle_t;
using ZORVEX::engine::WriterSet;

InstanceHandle_t writer(unsigned char n) {
    InstanceHandle_t h;
    h.value[0] = n;
    h.valid = 1;
    return h;
}

TEST(WriterSet, KeepsEachWriterOnceWhicheverGoesFirst) {
    WriterSet set;
    set.reserve(3);
    for (unsigned char n : {1, 2, 3, 2}) set.add(writer(n));
    EXPECT_EQ(set.size(), 3u);
    EXPECT_TRUE(set.remove(writer(1)));  // the inline one
    EXPECT_FALSE(set.remove(writer(1)));
    EXPECT_FALSE(set.contains(writer(1)));
    EXPECT_TRUE(set.contains(writer(2)));
    EXPECT_TRUE(set.contains(writer(3)));
    EXPECT_TRUE(set.remove(writer(3)));
    EXPECT_TRUE(set.remove(writer(2)));
    EXPECT_TRUE(set.empty());
    EXPECT_FALSE(set.contains(writer(2)));
}

}  // namespace
