#include "f0est/AFSampleRing.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace {

std::vector<float> ramp(float first, std::size_t count) {
    std::vector<float> values(count);
    std::iota(values.begin(), values.end(), first);
    return values;
}

} // namespace

TEST(AFSampleRing, CopiesTheNewestWindowAcrossTheWrapAndPadsAFreshRingWithZeros) {
    AFSampleRing ring(4); // 16 samples
    ASSERT_TRUE(ring.valid());
    std::vector<float> window(6, -1.0f);
    const auto first = ramp(1.0f, 4);
    ring.write(first.data(), 4);
    ASSERT_TRUE(ring.copyNewest(window.data(), 6));
    EXPECT_EQ(window, (std::vector<float>{0, 0, 1, 2, 3, 4}));

    // 4 + 10 + 5 samples: the window straddles the end of the ring.
    const auto more = ramp(5.0f, 15);
    ring.write(more.data(), 10);
    ring.write(more.data() + 10, 5);
    ASSERT_TRUE(ring.copyNewest(window.data(), 6));
    EXPECT_EQ(window, ramp(14.0f, 6));
    EXPECT_EQ(ring.written(), 19u);

    // A block longer than the ring keeps its newest samples and counts them all.
    const auto flood = ramp(100.0f, 40);
    ring.write(flood.data(), 40);
    std::vector<float> whole(16);
    ASSERT_TRUE(ring.copyNewest(whole.data(), 16));
    EXPECT_EQ(whole, ramp(124.0f, 16));
    EXPECT_EQ(ring.written(), 59u);
}
