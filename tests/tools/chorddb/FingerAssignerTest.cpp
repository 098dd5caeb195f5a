#include "FingerAssigner.h"

#include <gtest/gtest.h>

using fretkit::FingerAssigner;

namespace {
constexpr int x = FingerAssigner::kMuted;
using Fingers = std::array<unsigned, FingerAssigner::kStrings>;
} // namespace

TEST(FingerAssigner, OpenShapesTakeOneFingerPerNoteRisingWithTheFret) {
    const auto c = FingerAssigner::assign({x, 3, 2, 0, 1, 0});
    ASSERT_TRUE(c);
    EXPECT_EQ(c->finger, (Fingers{0, 3, 2, 0, 1, 0}));
    EXPECT_EQ(c->barres, 0u);
    const auto d = FingerAssigner::assign({x, x, 0, 2, 3, 2});
    ASSERT_TRUE(d);
    EXPECT_EQ(d->finger, (Fingers{0, 0, 0, 1, 3, 2}));
}

TEST(FingerAssigner, BarresCoverOnlyStringsFrettedAtOrAboveTheirFret) {
    const auto eShape = FingerAssigner::assign({5, 7, 7, 6, 5, 5});
    ASSERT_TRUE(eShape);
    EXPECT_EQ(eShape->finger, (Fingers{1, 3, 4, 2, 1, 1}));
    EXPECT_EQ(eShape->barres, 1u);
    EXPECT_EQ(eShape->fingers, 4u);
    // Five notes; a barre at 7 would press the string fretted at 6, one at 5 leaves five.
    EXPECT_FALSE(FingerAssigner::assign({x, 5, 7, 6, 7, 8}));
    EXPECT_FALSE(FingerAssigner::assign({5, 7, 6, 7, 5, 8}));
}

TEST(FingerAssigner, TheThumbTakesOnlyALowBassNoteNearTheIndex) {
    // The open string stops both barres: five notes, the bass one for the thumb.
    const auto withThumb = FingerAssigner::assign({2, 4, 3, 0, 3, 2});
    ASSERT_TRUE(withThumb);
    EXPECT_TRUE(withThumb->thumb);
    EXPECT_EQ(withThumb->finger[0], FingerAssigner::kThumb);
    EXPECT_FALSE(FingerAssigner::assign({6, 4, 3, 0, 3, 2})); // the bass lies beyond its reach
}

TEST(FingerAssigner, TheIndexBarresOutToTheEdgeButNotUnderAnOpenString) {
    // Open A: three notes at one fret under a ringing E string take a finger each.
    const auto a = FingerAssigner::assign({x, 0, 2, 2, 2, 0});
    ASSERT_TRUE(a);
    EXPECT_EQ(a->finger, (Fingers{0, 0, 1, 2, 3, 0}));
    // The small F lays the index over the two top strings.
    const auto f = FingerAssigner::assign({x, x, 3, 2, 1, 1});
    ASSERT_TRUE(f);
    EXPECT_EQ(f->finger, (Fingers{0, 0, 3, 2, 1, 1}));
    // The A form's three notes under a barre end short of the top string: one finger each.
    const auto bFlat = FingerAssigner::assign({x, 1, 3, 3, 3, 1});
    ASSERT_TRUE(bFlat);
    EXPECT_EQ(bFlat->finger, (Fingers{0, 1, 2, 3, 4, 1}));
}

TEST(FingerAssigner, ABarreMayCoverPartOfTheStringsAtItsFret) {
    // C9: the ring finger lays across the top three strings, the A string's C at the same fret
    // takes the middle finger.
    const auto c9 = FingerAssigner::assign({x, 3, 2, 3, 3, 3});
    ASSERT_TRUE(c9);
    EXPECT_EQ(c9->finger, (Fingers{0, 2, 1, 3, 3, 3}));
    EXPECT_EQ(c9->barres, 1u);
}
