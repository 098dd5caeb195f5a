#include "AnimationClock.h"

#include "ScreenTestSupport.h"
#include "ui/View.h"
#include "ui/ViewAnimation.h"

#include <gtest/gtest.h>

// The clock the screen tests use: an animation stands still until the test advances it, then
// lands exactly where its curve says and reports its end once.
TEST(AnimationClock, MovesAnimationsOnlyWhenAdvanced) {
    screenApplication();
    AnimationClock clock;
    View view;
    view.setGeometry(0, 0, 40, 40);
    bool finished = false;
    int stops = 0;
    ViewAnimation(QStringLiteral("fade"))
        .duration(0.5)
        .curve(ViewAnimation::Curve::Linear)
        .alpha(&view, 0.0)
        .didStop([&](const QString&, bool done) {
            finished = done;
            ++stops;
        })
        .commit();
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(View::alpha(&view), 1.0);

    clock.advance(0.25);
    EXPECT_NEAR(View::alpha(&view), 0.5, 0.05);
    EXPECT_EQ(stops, 0);

    clock.advance(0.3);
    EXPECT_DOUBLE_EQ(View::alpha(&view), 0.0);
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(finished);
}
