#include "f0est/AFSampleRing.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

// A writer that never pauses, in blocks of about half the ring, against a reader that copies
// windows of three quarters of it as fast as it can: any block written during a copy overtakes it.
// Every window the reader accepts must be one run of consecutive samples (a seam from a lap of the
// writer would break the run) that ends no earlier than the count published before the copy began.
TEST(AFSampleRingThreads, ReaderGetsWholeNewestWindowsFromAFasterWriter) {
    constexpr std::uint32_t kWindow = 1536;
    AFSampleRing ring(11); // 2048 samples: the writer laps a copy after 512 more
    ASSERT_TRUE(ring.valid());
    std::atomic<bool> done{false};
    std::thread writer([&] {
        std::vector<float> block(1000); // not a divisor of the ring: the seams move
        float next = 1.0f;
        // Values stay exact in float up to 2^24.
        while (!done.load(std::memory_order_relaxed) && next < 16000000.0f) {
            for (float& v : block) {
                v = next++;
            }
            ring.write(block.data(), static_cast<std::uint32_t>(block.size()));
        }
    });

    std::vector<float> window(kWindow);
    int accepted = 0;
    int refused = 0;
    for (int copy = 0; copy < 20000; ++copy) {
        const std::uint64_t before = ring.written();
        if (!ring.copyNewest(window.data(), kWindow)) {
            ++refused;
            continue;
        }
        ++accepted;
        if (before < kWindow) {
            continue; // the window may still begin with the ring's zeros
        }
        for (std::uint32_t i = 1; i < kWindow; ++i) {
            ASSERT_EQ(window[i], window[i - 1] + 1.0f) << "seam at " << i << " of copy " << copy;
        }
        ASSERT_GE(static_cast<std::uint64_t>(window[kWindow - 1]), before);
    }
    done = true;
    writer.join();
    EXPECT_GT(accepted, 0);
    // How often the writer laps a copy depends on the scheduler; the count is for the log.
    RecordProperty("refused", refused);
}
