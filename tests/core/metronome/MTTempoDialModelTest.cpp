#include "metronome/MTTempoDialModel.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// Drags from `from` to `to` in moves of `step` points, one every `interval` seconds; answers
// the tempo steps taken.
std::int32_t drag(MTTempoDialModel& dial, float from, float to, float step, double interval,
                  double& time) {
    dial.beginTouch(from, time);
    std::int32_t steps = 0;
    const float direction = to > from ? 1.0f : -1.0f;
    for (float x = from + direction * step; direction * (to - x) >= 0.0f; x += direction * step) {
        time += interval;
        steps += dial.moveTouch(x, time);
    }
    return steps;
}

} // namespace

TEST(MTTempoDialModel, EachSixteenPointsOfDragAreOneStepEitherWay) {
    MTTempoDialModel dial;
    double time = 0.0;
    EXPECT_EQ(drag(dial, 100.0f, 140.0f, 10.0f, 0.1, time), 2); // steps at 116 and 132
    EXPECT_FALSE(dial.endTouch(140.0f, time + 1.0));
    EXPECT_EQ(drag(dial, 140.0f, 100.0f, 10.0f, 0.1, time), -2);
    // One long jump is many steps at once, counted towards zero.
    dial.beginTouch(0.0f, 0.0);
    EXPECT_EQ(dial.moveTouch(-50.0f, 0.1), -3);
    EXPECT_EQ(dial.moveTouch(-63.0f, 0.2), 0); // 15 points past the last step
    EXPECT_EQ(dial.moveTouch(-64.0f, 0.3), -1);
}

TEST(MTTempoDialModel, TheNotchesFollowTheFingerWithinOneNotchSpacing) {
    MTTempoDialModel dial;
    dial.beginTouch(0.0f, 0.0);
    dial.moveTouch(25.0f, 0.1);
    EXPECT_EQ(dial.offset(), 25);
    dial.moveTouch(50.0f, 0.2); // 50 is one spacing and 10 more
    EXPECT_EQ(dial.offset(), 10);
    dial.moveTouch(-5.0f, 0.3);   // 10 - 55 = -45
    EXPECT_EQ(dial.offset(), -5); // the sign of the turn is kept
    EXPECT_FALSE(dial.setOffset(-5));
    EXPECT_TRUE(dial.setOffset(-95));
    EXPECT_EQ(dial.offset(), -15);
}

TEST(MTTempoDialModel, ASlowReleaseDoesNotCoastAndAFlickDecaysInThirtySixTicks) {
    MTTempoDialModel dial;
    double time = 0.0;
    drag(dial, 0.0f, 40.0f, 4.0f, 0.1, time); // 40 points a second
    EXPECT_FALSE(dial.endTouch(40.0f, time));
    bool done = false;
    EXPECT_EQ(dial.step(done), 0);
    EXPECT_TRUE(done);

    // A touch with a single sample has no speed at all, rather than a division by zero.
    dial.beginTouch(10.0f, 5.0);
    EXPECT_FALSE(dial.endTouch(10.0f, 5.0));
    EXPECT_EQ(dial.speed(), 0.0);

    // Fast enough to be held at the limit of 30 points per tick.
    time = 10.0;
    drag(dial, 0.0f, 300.0f, 20.0f, 0.005, time);
    ASSERT_TRUE(dial.endTouch(300.0f, time + 0.005));
    EXPECT_EQ(dial.speed(), MTTempoDialModel::kMaximumSpeed);
    int ticks = 0;
    std::int32_t steps = 0;
    for (done = false; !done && ticks < 100; ++ticks) {
        steps += dial.step(done);
    }
    EXPECT_EQ(ticks, 36);
    EXPECT_LT(std::fabs(dial.speed()), 1.0);
    EXPECT_EQ(steps, 19); // 319 points of travel
    // A new touch stops a coasting wheel.
    drag(dial, 0.0f, 300.0f, 20.0f, 0.005, time);
    ASSERT_TRUE(dial.endTouch(300.0f, time + 0.005));
    dial.beginTouch(0.0f, time + 0.01);
    EXPECT_FALSE(dial.isCoasting());
}
