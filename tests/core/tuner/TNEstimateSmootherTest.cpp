#include "tuner/TNEstimateSmoother.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

using Outcome = TNEstimateSmoother::Outcome;

double frequencyOf(double semitone, double reference = 440.0) {
    return reference * std::exp2((semitone - 69.0) / 12.0);
}

} // namespace

TEST(TNEstimateSmoother, ConvertsFrequenciesAgainstTheReference) {
    EXPECT_EQ(TNEstimateSmoother::semitoneOf(440.0, 440.0), 69.0);
    EXPECT_NEAR(TNEstimateSmoother::semitoneOf(440.0, 442.0), 68.9215, 1e-4);
    EXPECT_NEAR(TNEstimateSmoother::semitoneOf(82.4069, 440.0), 40.0, 1e-4);
}

TEST(TNEstimateSmoother, AveragesWithinANoteAndFollowsANewNoteAtOnce) {
    TNEstimateSmoother smoother;
    EXPECT_EQ(smoother.add(frequencyOf(69.2), 0.9, 440.0), Outcome::Accepted);
    EXPECT_NEAR(smoother.smoothedSemitone(), 69.2, 1e-5);
    EXPECT_EQ(smoother.add(frequencyOf(69.4), 0.9, 440.0), Outcome::Accepted);
    EXPECT_NEAR(smoother.smoothedSemitone(), 69.3, 1e-5);
    EXPECT_EQ(smoother.add(frequencyOf(70.1), 0.9, 440.0), Outcome::Accepted);
    EXPECT_NEAR(smoother.smoothedSemitone(), 70.1, 1e-5);
    // Within a note the fractional parts are averaged, also across the half-way mark's sign.
    smoother.add(frequencyOf(69.9), 0.9, 440.0);
    EXPECT_NEAR(smoother.smoothedSemitone(), 70.0, 1e-5);
}

TEST(TNEstimateSmoother, PoorEstimatesAdvanceTheStateButAreNotShown) {
    TNEstimateSmoother smoother;
    smoother.add(frequencyOf(69.2), 0.9, 440.0);
    // A poor estimate of the same note still enters the average.
    EXPECT_EQ(smoother.add(frequencyOf(69.4), 0.5, 440.0), Outcome::Rejected);
    EXPECT_NEAR(smoother.smoothedSemitone(), 69.3, 1e-5);
    EXPECT_FLOAT_EQ(smoother.previousQuality(), 0.5f);
    // The first good one after it is an onset: shown as it is.
    EXPECT_EQ(smoother.add(frequencyOf(69.0), 0.7, 440.0), Outcome::Accepted);
    EXPECT_NEAR(smoother.smoothedSemitone(), 69.0, 1e-5);
    // The threshold itself counts as good.
    EXPECT_EQ(smoother.add(frequencyOf(69.0), 0.66, 440.0), Outcome::Accepted);
}

TEST(TNEstimateSmoother, NotANumberIsIgnoredAndBadPitchesDoNotStick) {
    TNEstimateSmoother smoother;
    smoother.add(frequencyOf(69.2), 0.9, 440.0);
    EXPECT_EQ(smoother.add(frequencyOf(60.0), std::nan(""), 440.0), Outcome::Ignored);
    EXPECT_NEAR(smoother.smoothedSemitone(), 69.2, 1e-5);
    EXPECT_FLOAT_EQ(smoother.previousQuality(), 0.9f);
    // A reference of 0 gives no pitch; the next sound estimate starts afresh.
    smoother.add(440.0, 0.9, 0.0);
    smoother.add(frequencyOf(64.3), 0.9, 440.0);
    EXPECT_NEAR(smoother.smoothedSemitone(), 64.3, 1e-5);
}
