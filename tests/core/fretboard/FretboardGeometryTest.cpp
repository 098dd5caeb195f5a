#include "fretboard/FretboardGeometry.h"

#include <cmath>
#include <gtest/gtest.h>

using fretkit::FretboardGeometry;

namespace {

FretboardGeometry neck(bool horizontal, bool leftHanded, float fretWidth = 55.0f,
                       float nutOffset = 0.0f) {
    FretboardGeometry geometry;
    geometry.setHorizontal(horizontal);
    geometry.setLeftHanded(leftHanded);
    geometry.setFretWidth(fretWidth);
    geometry.setNutOffset(nutOffset);
    return geometry;
}

} // namespace

TEST(FretboardGeometry, ALyingNeckSpacesItsFretsLikeARealOneWithTheTwelfthAtHalfTheScale) {
    const FretboardGeometry geometry = neck(true, false);
    auto fret = [&](unsigned n) -> double { return geometry.positionOfFret(n); };
    auto finger = [&](unsigned n) -> double { return geometry.positionOfFinger(n); };
    const double start = fret(0);
    EXPECT_DOUBLE_EQ(start, 20.0);
    // Each space is 2^(-1/12) of the one before; the scale length is W / (1 - r).
    const double r = std::pow(2.0, -1.0 / 12.0);
    for (unsigned n = 2; n <= 24; ++n) {
        EXPECT_NEAR((fret(n) - fret(n - 1)) / (fret(n - 1) - fret(n - 2)), r, 1e-5) << n;
    }
    const double scale = 55.0 / (1.0 - r);
    EXPECT_NEAR(fret(12) - start, scale / 2.0, 1e-3);
    // A finger sits in the middle of its space; the open string in front of the nut.
    EXPECT_DOUBLE_EQ(finger(0), 0.0);
    EXPECT_DOUBLE_EQ(finger(1), 20.0 + 27.5);
    EXPECT_NEAR(finger(12), (fret(11) + fret(12)) / 2.0, 1e-3);
    // About 772 long with the default fret width.
    EXPECT_NEAR(geometry.length(), 20.0 + scale * (1.0 - std::pow(r, 24)) + 17.0, 1e-3);
    EXPECT_NEAR(geometry.length(), 772.0, 1.0);
}

TEST(FretboardGeometry, AnUprightNeckSpacesItsFretsEvenlyAndIsCappedAt1340) {
    const FretboardGeometry geometry = neck(false, false, 55.0f, 16.0f);
    EXPECT_FLOAT_EQ(geometry.positionOfFret(3), 20.0f + 16.0f + 3 * 55.0f);
    EXPECT_FLOAT_EQ(geometry.positionOfFinger(3), 20.0f + 16.0f + 27.5f + 2 * 55.0f);
    EXPECT_FLOAT_EQ(geometry.positionOfFinger(0), 16.0f);
    EXPECT_FLOAT_EQ(geometry.length(), 1340.0f); // 20 + 16 + 24 * 55 + 17 = 1373
    // The landscape necks of the screens stay below the cap; wider spaces reach it.
    EXPECT_NEAR(neck(true, false, 95.0f).length(), 1306.5f, 1.0f);
    EXPECT_FLOAT_EQ(neck(true, false, 120.0f).length(), 1340.0f);
}

TEST(FretboardGeometry, FretForPositionAnswersZeroAtTheNutTwentyThreeAtTheEndAndTheLowerOnATie) {
    for (const bool horizontal : {false, true}) {
        for (const bool leftHanded : {false, true}) {
            SCOPED_TRACE(testing::Message() << horizontal << leftHanded);
            const FretboardGeometry geometry = neck(horizontal, leftHanded);
            EXPECT_EQ(geometry.fretForPosition(geometry.positionOfFinger(0)), 0u);
            EXPECT_EQ(geometry.fretForPosition(geometry.positionOfFret(0)), 0u);
            // The far end, beyond the last space, is still fret 23: 24 is never answered.
            EXPECT_EQ(geometry.fretForPosition(geometry.positionOfFinger(24)), 23u);
            const float farEnd = horizontal && leftHanded ? -100.0f : 5000.0f;
            EXPECT_EQ(geometry.fretForPosition(farEnd), 23u);
            const float beforeNut = horizontal && leftHanded ? 5000.0f : -100.0f;
            EXPECT_EQ(geometry.fretForPosition(beforeNut), 0u);
            EXPECT_EQ(geometry.fretForPosition(geometry.positionOfFinger(9)), 9u);
        }
    }
    // Exactly midway between two finger positions (evenly spaced, so exact in floats).
    const FretboardGeometry upright = neck(false, false);
    const float midway = (upright.positionOfFinger(5) + upright.positionOfFinger(6)) / 2.0f;
    EXPECT_EQ(upright.fretForPosition(midway), 5u);
    EXPECT_EQ(upright.fretForPosition(midway + 0.01f), 6u);
}

TEST(FretboardGeometry, ALeftHandedLyingNeckIsMirroredAlongItsLength) {
    const FretboardGeometry right = neck(true, false, 95.0f, 16.0f);
    const FretboardGeometry left = neck(true, true, 95.0f, 16.0f);
    EXPECT_FLOAT_EQ(left.positionOfFinger(0), left.length() - left.nutOffset());
    for (unsigned n = 0; n <= 24; ++n) {
        EXPECT_FLOAT_EQ(left.positionOfFret(n), right.length() - right.positionOfFret(n));
        EXPECT_FLOAT_EQ(left.positionOfFinger(n), right.length() - right.positionOfFinger(n));
    }
    // An upright left-handed neck is mirrored across instead.
    const FretboardGeometry upright = neck(false, true);
    EXPECT_FLOAT_EQ(upright.positionOfFret(5), neck(false, false).positionOfFret(5));
}

TEST(FretboardGeometry, StringsLieThirtyThreeApartInEachLayout) {
    const FretboardGeometry lying = neck(true, false);
    const FretboardGeometry right = neck(false, false);
    const FretboardGeometry left = neck(false, true);
    EXPECT_FLOAT_EQ(lying.stringPosition(0), 195.0f);
    EXPECT_FLOAT_EQ(lying.stringPosition(5), 30.0f);
    EXPECT_FLOAT_EQ(right.stringPosition(0), 50.0f);
    EXPECT_FLOAT_EQ(right.stringPosition(5), 215.0f);
    EXPECT_FLOAT_EQ(left.stringPosition(0), 215.0f);
    EXPECT_FLOAT_EQ(left.stringPosition(5), 50.0f);
    EXPECT_FLOAT_EQ(neck(true, true).stringPosition(2), lying.stringPosition(2));
}

TEST(FretboardGeometry, ScrollingToAFretCoversTheFourCases) {
    using Offset = FretboardGeometry::Offset;
    const FretboardGeometry upright = neck(false, false);
    EXPECT_EQ(upright.scrollOffsetForFret(0, 240, 1340, 240, 343), (Offset{0, 0}));
    EXPECT_EQ(upright.scrollOffsetForFret(7, 240, 1340, 240, 343),
              (Offset{0, upright.positionOfFret(6) - 17}));
    // Near the end the view stops at the content's end.
    EXPECT_EQ(upright.scrollOffsetForFret(24, 240, 1340, 240, 343), (Offset{0, 1340 - 343}));

    const FretboardGeometry right = neck(true, false, 95.0f);
    const float length = right.length();
    EXPECT_EQ(right.scrollOffsetForFret(0, length, 240, 480, 240), (Offset{0, 0}));
    EXPECT_EQ(right.scrollOffsetForFret(5, length, 240, 480, 240),
              (Offset{right.positionOfFret(4) - 17, 0}));
    EXPECT_EQ(right.scrollOffsetForFret(22, length, 240, 480, 240), (Offset{length - 480, 0}));

    // Left-handed the nut is at the far right; a fret's wire ends 17 inside the right edge.
    const FretboardGeometry left = neck(true, true, 95.0f);
    EXPECT_EQ(left.scrollOffsetForFret(0, length, 240, 480, 240), (Offset{length - 480, 0}));
    EXPECT_EQ(left.scrollOffsetForFret(5, length, 240, 480, 240),
              (Offset{left.positionOfFret(4) + 17 - 480, 0}));
    EXPECT_EQ(left.scrollOffsetForFret(22, length, 240, 480, 240), (Offset{0, 0}));
}

TEST(FretboardGeometry, AFretFarOutOfRangeAnswersAtOnce) {
    // The not-found marker passed by mistake must not loop two billion times.
    const FretboardGeometry lying = neck(true, false);
    EXPECT_FLOAT_EQ(lying.positionOfFret(2147483647u), lying.positionOfFret(64));
    EXPECT_FLOAT_EQ(lying.positionOfFinger(2147483647u), lying.positionOfFinger(64));
}
