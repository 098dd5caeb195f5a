#include "support/TunerAccuracy.h"

#include "support/LogCapture.h"

#include <gtest/gtest.h>

// A sample of the plucked-string set across the neck, from the low E to the high E at the 24th
// fret, including plucks heard through microphones that roll off the lowest partials. The whole
// set is measured by the tuner_accuracy program under bench/.
TEST(TunerAccuracy, PluckedStringsAcrossTheNeckReadTheirFirstPartialWithinACent) {
    LogCapture log;
    const double offsets[] = {-30.0, -12.0, 0.0, 7.0, 25.0};
    accuracy::Summary summary;
    for (int note = 40; note <= 88; note += 3) {
        const accuracy::Case c{note, offsets[note % 5], static_cast<unsigned>(note % 3)};
        accuracy::measure(c, 1.0, summary);
    }
    EXPECT_EQ(summary.wrongNote, 0u);
    // Nearly every pass after the first frame fills yields a reading.
    EXPECT_GT(summary.accepted, summary.passes * 3 / 4);
    EXPECT_LT(summary.percentile(0.5), 0.2);
    EXPECT_LT(summary.percentile(0.95), 1.5);
}
