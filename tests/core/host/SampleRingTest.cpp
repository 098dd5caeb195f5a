#include "host/SampleRing.h"

#include <gtest/gtest.h>
#include <thread>
#include <vector>

using fretkit::host::SampleRing;

TEST(SampleRing, KeepsFramesInOrderAcrossTheWrapAndTakesOnlyWhatFits) {
    SampleRing ring(2, 4);
    const float first[] = {1, -1, 2, -2, 3, -3};
    EXPECT_EQ(ring.write(first, 3), 3u);
    float out[8] = {};
    EXPECT_EQ(ring.read(out, 2), 2u);
    EXPECT_EQ(out[3], -2.0f);
    const float second[] = {4, -4, 5, -5, 6, -6, 7, -7};
    EXPECT_EQ(ring.write(second, 4), 3u); // room for three: the fourth frame is not taken
    EXPECT_EQ(ring.space(), 0u);
    EXPECT_EQ(ring.read(out, 8), 4u);
    EXPECT_EQ(std::vector<float>(out, out + 8), (std::vector<float>{3, -3, 4, -4, 5, -5, 6, -6}));
    EXPECT_EQ(ring.read(out, 1), 0u);

    // Closing ends the waits at once and leaves what the ring holds to be read.
    EXPECT_EQ(ring.write(second, 1), 1u);
    ring.close();
    ring.waitForFrames(4);
    ring.waitForSpace(4);
    EXPECT_TRUE(ring.isClosed());
    EXPECT_EQ(ring.read(out, 4), 1u);
    EXPECT_EQ(out[0], 4.0f);
}

// A writer and a reader that each sleep only when the ring gives them nothing to do move a
// long ramp through a small ring without losing, repeating or reordering a frame.
TEST(SampleRing, TwoThreadsThatWaitForEachOtherMoveEveryFrame) {
    constexpr std::uint32_t kFrames = 200000;
    SampleRing ring(1, 64);
    std::thread writer([&] {
        std::vector<float> block(37);
        for (std::uint32_t next = 0; next < kFrames;) {
            const auto count = std::min<std::uint32_t>(37, kFrames - next);
            for (std::uint32_t i = 0; i < count; ++i) {
                block[i] = static_cast<float>(next + i);
            }
            std::uint32_t done = 0;
            while (done < count) {
                done += ring.write(block.data() + done, count - done);
                if (done < count) {
                    ring.waitForSpace(count - done);
                }
            }
            next += count;
        }
        ring.close();
    });
    std::vector<float> block(29);
    std::uint32_t expected = 0;
    bool inOrder = true;
    while (!(ring.isClosed() && ring.available() == 0)) {
        const std::uint32_t got = ring.read(block.data(), 29);
        for (std::uint32_t i = 0; i < got; ++i) {
            inOrder = inOrder && block[i] == static_cast<float>(expected++);
        }
        if (got == 0) {
            ring.waitForFrames(29);
        }
    }
    writer.join();
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(expected, kFrames);
}
