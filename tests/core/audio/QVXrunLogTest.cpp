#include "audio/QVXrunLog.h"

#include <gtest/gtest.h>

TEST(QVXrunLog, ReportsABurstOnceWhenItEndsWithItsCountsAndLength) {
    QVXrunLog log;
    // Dropouts from before the first look are not this log's to report.
    EXPECT_EQ(log.poll(7, 1, 10.0), std::nullopt);
    EXPECT_EQ(log.poll(7, 1, 11.0), std::nullopt);
    EXPECT_EQ(log.poll(9, 1, 12.0), std::nullopt);
    EXPECT_EQ(log.poll(10, 3, 13.0), std::nullopt);
    EXPECT_EQ(log.poll(10, 3, 14.0),
              "audio: the device dropped out within 2 s: 3 underruns and 2 overruns");
    EXPECT_EQ(log.poll(10, 3, 15.0), std::nullopt);
    EXPECT_EQ(log.flush(), std::nullopt);
    // The next burst counts from where the last one ended, and a stop ends it early.
    EXPECT_EQ(log.poll(11, 3, 16.0), std::nullopt);
    EXPECT_EQ(log.flush(), "audio: the device dropped out within 1 s: 1 underrun and 0 overruns");
    EXPECT_EQ(log.flush(), std::nullopt);
}

TEST(QVXrunLog, ADeviceThatNeverRecoversIsStillReportedAndCountsThatStartOverAreABaseline) {
    QVXrunLog log;
    log.poll(0, 0, 0.0);
    int lines = 0;
    for (int second = 1; second <= 150; ++second) {
        if (log.poll(static_cast<std::uint64_t>(second), 0, second)) {
            ++lines;
        }
    }
    EXPECT_EQ(lines, 2); // at 60 s and at 120 s: a line a minute, not a line a second
    // Another device counts from zero: the old burst ends, and no burst is made up of the drop.
    EXPECT_EQ(log.poll(0, 0, 151.0),
              "audio: the device dropped out within 30 s: 30 underruns and 0 overruns");
    EXPECT_EQ(log.flush(), std::nullopt);
    EXPECT_EQ(log.poll(0, 0, 152.0), std::nullopt);
}
