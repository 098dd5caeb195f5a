#include "AnimationClock.h"
#include "FretboardTestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Neck {
    QApplication& application = screenApplication();
    AnimationClock clock;
    BZFretboard fretboard;

    explicit Neck(const QRect& frame, float fretWidth = 55.0f, float nutOffset = 0.0f)
        : fretboard(frame) {
        fretboard.setNutOffset(nutOffset);
        fretboard.setFretWidth(fretWidth);
    }
    // Scrolls and lets the animation run to its end; answers where it was half way.
    QPointF scrollTo(unsigned fret) {
        fretboard.scrollToFret(fret);
        clock.advance(BZFretboard::kScrollDuration / 2.0);
        const QPointF halfway = fretboard.contentOffset();
        clock.advance(BZFretboard::kScrollDuration);
        EXPECT_FALSE(fretboard.isScrollAnimating());
        return halfway;
    }
};

} // namespace

TEST(FretboardScroll, AnUprightNeckScrollsAnimatedToKeepTheFretSeventeenPointsInside) {
    Neck neck(QRect(0, 0, 240, 343));
    EXPECT_EQ(neck.fretboard.contentSize(), QSizeF(240, 1340));
    const QPointF halfway = neck.scrollTo(7);
    const double wire = neck.fretboard.positionOfFret(6);
    EXPECT_EQ(neck.fretboard.contentOffset(), QPointF(0, wire - 17));
    EXPECT_GT(halfway.y(), 0.0);
    EXPECT_LT(halfway.y(), wire - 17);
    EXPECT_EQ(neck.fretboard.contentView()->pos(), QPoint(0, -qRound(wire - 17)));
    neck.scrollTo(24);
    EXPECT_EQ(neck.fretboard.contentOffset(), QPointF(0, 1340 - 343));
    neck.scrollTo(0);
    EXPECT_EQ(neck.fretboard.contentOffset(), QPointF(0, 0));
}

TEST(FretboardScroll, ALeftHandedLyingNeckHasItsNutAtTheRightEnd) {
    Neck neck(QRect(0, 0, 480, 240), 95.0f, 16.0f);
    const double length = neck.fretboard.contentView()->length();
    EXPECT_EQ(neck.fretboard.contentSize(), QSizeF(length, 240));
    neck.fretboard.setLeftHanded(true); // scrolls to the nut
    neck.clock.advance(1.0);
    EXPECT_DOUBLE_EQ(neck.fretboard.positionOfFinger(0), length - 16.0);
    EXPECT_EQ(neck.fretboard.contentOffset(), QPointF(length - 480, 0));
    neck.scrollTo(5);
    EXPECT_EQ(neck.fretboard.contentOffset(),
              QPointF(double(neck.fretboard.positionOfFret(4)) + 17 - 480, 0));
    neck.scrollTo(0);
    EXPECT_EQ(neck.fretboard.contentOffset(), QPointF(length - 480, 0));
}

TEST(FretboardScroll, ChangingTheHandOfALandscapeNeckScrollsBackToTheNutButNotAnUprightOne) {
    Neck lying(QRect(0, 0, 480, 240), 95.0f);
    lying.scrollTo(12);
    ASSERT_GT(lying.fretboard.contentOffset().x(), 0.0);
    lying.fretboard.setLeftHanded(true);
    lying.clock.advance(1.0);
    EXPECT_EQ(lying.fretboard.contentOffset(),
              QPointF(lying.fretboard.contentSize().width() - 480, 0));
    lying.fretboard.setLeftHanded(false);
    lying.clock.advance(1.0);
    EXPECT_EQ(lying.fretboard.contentOffset(), QPointF(0, 0));

    Neck upright(QRect(0, 0, 240, 343));
    upright.scrollTo(9);
    const QPointF at9 = upright.fretboard.contentOffset();
    upright.fretboard.setLeftHanded(true);
    upright.clock.advance(1.0);
    EXPECT_EQ(upright.fretboard.contentOffset(), at9);
    EXPECT_FLOAT_EQ(upright.fretboard.positionOfString(0), 215.0f);
}

TEST(FretboardScroll, WidenedFretsLengthenTheNeckAndStringsOutOfRangeAreLeftAlone) {
    Neck lying(QRect(0, 0, 480, 240));
    const double narrow = lying.fretboard.contentSize().width();
    lying.fretboard.setFretWidth(91.0f);
    EXPECT_GT(lying.fretboard.contentSize().width(), narrow);
    EXPECT_EQ(lying.fretboard.positionOfString(6), 0.0f);
    lying.fretboard.setMuted(true, 6); // ignored, no crash
    lying.fretboard.setMuted(true, 5);
    EXPECT_TRUE(lying.fretboard.contentView()->strings()[5]->muted());
}
