#include "kit/ScrollStrip.h"

#include <cmath>
#include <gtest/gtest.h>

using fretkit::ScrollStrip;

namespace {

// Three slots of 50, 60 and 70 points: notches 0, 55 and 120, one period of 180.
ScrollStrip threeSlots(bool wraps) {
    ScrollStrip strip;
    strip.setWraps(wraps);
    strip.setWidths({50, 60, 70});
    return strip;
}

constexpr double kWallClock = 1.8e9; // seconds since 1970, as the screens pass them

} // namespace

TEST(ScrollStrip, SlotsNotchesAndPeriodFollowTheWidths) {
    const ScrollStrip strip = threeSlots(true);
    EXPECT_EQ(strip.notches(), (std::vector<float>{0, 55, 120}));
    EXPECT_EQ(strip.scrollerLength(), 180);
    EXPECT_FLOAT_EQ(ScrollStrip::slotWidth(10, 24), 50); // narrow items take 26 + spacing
    EXPECT_FLOAT_EQ(ScrollStrip::slotWidth(40, 24), 64);
}

TEST(ScrollStrip, WrappingStoresOnePeriodAndTheNextPeriodsFirstItemIsNearest) {
    ScrollStrip strip = threeSlots(true);
    strip.setScroll(-10);
    EXPECT_EQ(strip.scroll(), 170);
    EXPECT_EQ(strip.selectedIndex(), ScrollStrip::kNotFound);
    EXPECT_FLOAT_EQ(strip.nearestNotchPosition(170), 180);
    strip.setScroll(static_cast<int>(strip.nearestNotchPosition(170)));
    EXPECT_EQ(strip.scroll(), 0);
    EXPECT_EQ(strip.selectedIndex(), 0);
    strip.setScroll(365);
    EXPECT_EQ(strip.scroll(), 5);

    ScrollStrip open = threeSlots(false);
    open.setScroll(-10);
    EXPECT_EQ(open.scroll(), -10); // beyond the ends stays as it is
    open.setScroll(400);
    EXPECT_EQ(open.scroll(), 400);
    EXPECT_FLOAT_EQ(open.nearestNotchPosition(170.5f), 120.5f); // no next period
}

TEST(ScrollStrip, NearestNotchKeepsTheFractionAndTiesGoToTheLowerIndex) {
    const ScrollStrip strip = threeSlots(false);
    EXPECT_FLOAT_EQ(strip.nearestNotchPosition(30.25f), 55.25f);
    EXPECT_FLOAT_EQ(strip.nearestNotchPosition(27.5f), 0.5f);  // 27 is 27 from 0 and 28 from 55
    EXPECT_FLOAT_EQ(strip.nearestNotchPosition(87.0f), 55.0f); // 87: 32 from 55, 33 from 120
    ScrollStrip tie;
    tie.setWraps(false);
    tie.setWidths({50, 50}); // notches 0 and 50
    EXPECT_FLOAT_EQ(tie.nearestNotchPosition(25.0f), 0.0f);
}

TEST(ScrollStrip, MovesClickWhenTheyPassANotchCountingTheNewEndOnly) {
    ScrollStrip strip = threeSlots(false);
    EXPECT_FALSE(strip.setScroll(0));   // staying on a notch is no passing
    EXPECT_FALSE(strip.setScroll(30));  // leaving notch 0 does not count the old end
    EXPECT_TRUE(strip.setScroll(55));   // arriving does
    EXPECT_TRUE(strip.setScroll(200));  // one click, however many notches
    EXPECT_TRUE(strip.setScroll(-5));   // backwards too
    EXPECT_FALSE(strip.setScroll(-20)); // nothing between
}

TEST(ScrollStrip, PositionsCentreTheSelectedItemAndWrapSlotsIntoTheView) {
    ScrollStrip strip = threeSlots(false);
    strip.setScroll(55);
    // A view 200 wide: item 1 (60 wide) is centred, item 0 lies left of it.
    EXPECT_EQ(strip.positions(100, 200), (std::vector<int32_t>{20, 70, 130}));
    strip.setScroll(-300);
    EXPECT_EQ(strip.positions(100, 200)[0], 375 > 200 ? ScrollStrip::kNotFound : 375);

    ScrollStrip ring = threeSlots(true);
    ring.setScroll(0);
    const auto p = ring.positions(100, 200);
    EXPECT_EQ(p[0], 75);
    EXPECT_EQ(p[1], 125);
    EXPECT_EQ(p[2], 185); // still inside the view, so not moved a period back
    ScrollStrip empty;
    EXPECT_TRUE(empty.positions(100, 200).empty());
    empty.setScroll(-7);
    EXPECT_EQ(empty.scroll(), -7); // no period, no wrapping, no endless loop
}

TEST(ScrollStrip, EasingIsTheEaseOutCubicAndClampsItsInput) {
    EXPECT_FLOAT_EQ(ScrollStrip::cubicEaseOut(0.0f), 0.0f);
    EXPECT_NEAR(ScrollStrip::cubicEaseOut(0.25f), 0.4666f, 1e-4);
    EXPECT_NEAR(ScrollStrip::cubicEaseOut(0.5f), 0.7882f, 1e-4);
    EXPECT_NEAR(ScrollStrip::cubicEaseOut(0.75f), 0.9532f, 1e-4);
    EXPECT_NEAR(ScrollStrip::cubicEaseOut(1.0f), 1.0f, 1e-6);
    EXPECT_FLOAT_EQ(ScrollStrip::cubicEaseOut(-3.0f), 0.0f);
    EXPECT_NEAR(ScrollStrip::cubicEaseOut(7.0f), 1.0f, 1e-6);
}

TEST(ScrollStrip, AReleaseWithFewerThanTenSamplesSnapsToTheNearestNotch) {
    ScrollStrip strip = threeSlots(false);
    strip.setScroll(40);
    strip.beginTouch(300, kWallClock);
    for (int i = 1; i < 5; ++i) {
        strip.pushTouch(300.0f - 60.0f * static_cast<float>(i),
                        kWallClock + 0.01 * i); // a fast flick, but short
    }
    EXPECT_NEAR(strip.releaseSpeed(), 0.0, 1e-6);
    const ScrollStrip::Glide glide = strip.releaseGlide(kWallClock + 1);
    EXPECT_DOUBLE_EQ(glide.duration, 0.25);
    EXPECT_FLOAT_EQ(glide.start, 40);
    EXPECT_FLOAT_EQ(glide.end, 55);
}

TEST(ScrollStrip, AFlickCoastsForASecondAndLandsOnANotch) {
    ScrollStrip strip = threeSlots(false);
    strip.setScroll(0);
    strip.beginTouch(300, kWallClock);
    for (int i = 1; i < 10; ++i) {
        strip.pushTouch(300.0f - 20.0f * static_cast<float>(i),
                        kWallClock + i / 60.0); // 20 points per 1/60 s left
    }
    // Newest minus oldest: -180 points over 0.15 s, i.e. -40 points per tick.
    EXPECT_NEAR(strip.releaseSpeed(), -40.0, 1e-3);
    const ScrollStrip::Glide glide = strip.releaseGlide(0);
    EXPECT_DOUBLE_EQ(glide.duration, 1.0);
    double target = 0;
    for (int k = 1; k <= 29; ++k) {
        target = std::trunc(target + 40 * std::pow(0.93, k));
    }
    EXPECT_NEAR(target, 11.7 * 40, 29); // about 11.7 x speed, less a point per truncated step
    EXPECT_FLOAT_EQ(glide.end, 120);    // the notch nearest the coasting target
    bool done = false;
    EXPECT_EQ(ScrollStrip::glideValue(glide, 0.0, done), 0);
    EXPECT_FALSE(done);
    EXPECT_EQ(ScrollStrip::glideValue(glide, 0.5, done), static_cast<int>(120 * 0.78817f));
    EXPECT_EQ(ScrollStrip::glideValue(glide, 1.0, done), 120);
    EXPECT_TRUE(done);
}

TEST(ScrollStrip, SamplesWithoutATimeSpanGiveNoSpeedRatherThanADivisionByZero) {
    ScrollStrip strip = threeSlots(true);
    strip.beginTouch(10, kWallClock);
    for (int i = 0; i < 12; ++i) {
        strip.pushTouch(10.0f + 50.0f * static_cast<float>(i),
                        kWallClock); // all in the same instant
    }
    EXPECT_EQ(strip.releaseSpeed(), 0.0);
    EXPECT_DOUBLE_EQ(strip.releaseGlide(kWallClock).duration, 0.25);
}
