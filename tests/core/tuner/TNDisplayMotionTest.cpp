#include "tuner/TNNeedleMotion.h"
#include "tuner/TNNoteGlyph.h"
#include "tuner/TNStrobeMotion.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;

namespace {

const PlistValue kChromatic = PlistValue::dictionary({{"name", "Chromatic"}});

// A4 with the given offset in cents.
std::optional<TNNote> a4(double cents) {
    return TNNote::make(69.0 + cents / 100.0, kChromatic, 0);
}

} // namespace

TEST(TNStrobeMotion, TurnsByTheDeviationAndColoursTheRingByIt) {
    TNStrobeMotion strobe;
    strobe.refresh();
    EXPECT_EQ(strobe.ring(), TNStrobeMotion::Ring::Gray);

    // +2 cents: green, and a ring at rest takes its speed at once.
    strobe.input(a4(2.0));
    EXPECT_NEAR(strobe.rotationRate(), 0.56f, 1e-4f);
    strobe.refresh();
    EXPECT_EQ(strobe.ring(), TNStrobeMotion::Ring::Green);
    EXPECT_NEAR(strobe.rotation(), 0.56f, 1e-4f);

    // -4 cents: outside the green band; a turning ring eases toward the new speed.
    strobe.input(a4(-4.0));
    EXPECT_NEAR(strobe.resultRotationRate(), -1.12f, 1e-4f);
    EXPECT_NEAR(strobe.rotationRate(), 0.56f, 1e-4f);
    strobe.refresh();
    EXPECT_EQ(strobe.ring(), TNStrobeMotion::Ring::Blue);
    EXPECT_NEAR(strobe.rotation(), 1.12f, 1e-4f); // the old speed still applied on this tick
    EXPECT_NEAR(strobe.rotationRate(), 0.56f + (-1.12f - 0.56f) * 0.4f, 1e-4f);
    for (int i = 0; i < 40; ++i) {
        strobe.refresh();
    }
    EXPECT_NEAR(strobe.rotationRate(), -1.12f, 1e-3f);
}

TEST(TNStrobeMotion, FullScaleAndSilence) {
    TNStrobeMotion strobe;
    // Half a semitone sharp is named as the next note, 50 cents flat.
    strobe.input(a4(49.99));
    EXPECT_NEAR(strobe.resultRotationRate(), 14.0f, 1e-2f);
    strobe.input(std::nullopt);
    strobe.input(a4(50.0));
    EXPECT_FLOAT_EQ(strobe.rotationRate(), -14.0f);
    strobe.refresh();
    EXPECT_NEAR(strobe.rotation(), 346.0f, 1e-3f); // turned back by 14, kept within a turn

    // No note: the ring stops at once and turns gray on the next tick.
    strobe.input(std::nullopt);
    EXPECT_EQ(strobe.rotationRate(), 0.0f);
    EXPECT_EQ(strobe.ring(), TNStrobeMotion::Ring::Blue);
    strobe.refresh();
    strobe.refresh();
    EXPECT_EQ(strobe.ring(), TNStrobeMotion::Ring::Gray);
    EXPECT_NEAR(strobe.rotation(), 346.0f, 1e-3f);
    EXPECT_FALSE(strobe.lastNote());
}

TEST(TNNeedleMotion, TargetsFollowTheDialScale) {
    EXPECT_FLOAT_EQ(TNNeedleMotion::deflectionFor(0.0f), 0.0f);
    EXPECT_NEAR(TNNeedleMotion::deflectionFor(2.0f), 2.16f, 1e-4f);
    EXPECT_NEAR(TNNeedleMotion::deflectionFor(25.0f), 26.45f, 1e-4f);
    EXPECT_NEAR(TNNeedleMotion::deflectionFor(-25.0f), -26.45f, 1e-4f);
    EXPECT_FLOAT_EQ(TNNeedleMotion::deflectionFor(50.0f), 51.5f);
    EXPECT_FLOAT_EQ(TNNeedleMotion::deflectionFor(-50.0f), -51.5f);
    EXPECT_NEAR(TNNeedleMotion::deflectionFor(44.0f), 41.4f + 10.1f * 0.4f, 1e-4f);
    EXPECT_FLOAT_EQ(TNNeedleMotion::deflectionFor(62.0f), 51.5f);
}

TEST(TNNeedleMotion, ArrowsTellFlatFromSharpOutsideFiveCents) {
    TNNeedleMotion needle;
    const struct {
        double cents;
        bool left;
        bool right;
    } cases[] = {{2.0, true, true},   {-4.0, true, true}, {5.0, true, true},
                 {-5.1, true, false}, {5.1, false, true}, {-30.0, true, false}};
    for (const auto& c : cases) {
        needle.input(a4(c.cents));
        EXPECT_EQ(needle.leftArrowOn(), c.left) << c.cents;
        EXPECT_EQ(needle.rightArrowOn(), c.right) << c.cents;
    }
    needle.input(std::nullopt);
    EXPECT_FALSE(needle.leftArrowOn());
    EXPECT_FALSE(needle.rightArrowOn());
}

TEST(TNNeedleMotion, RestsLeftAndClosesATenthOfTheWayEachTick) {
    TNNeedleMotion needle;
    EXPECT_FLOAT_EQ(needle.deflection(), -51.5f); // no note yet: not a false "in tune"
    needle.input(a4(25.0));
    needle.refresh();
    EXPECT_NEAR(needle.deflection(), -51.5f + (26.45f + 51.5f) * 0.1f, 1e-3f);
    for (int i = 0; i < 120; ++i) {
        needle.refresh();
    }
    EXPECT_NEAR(needle.deflection(), 26.45f, 0.01f);
    needle.input(std::nullopt);
    EXPECT_FLOAT_EQ(needle.resultDeflection(), -51.5f);
    needle.refresh();
    EXPECT_NEAR(needle.deflection(), 26.45f - (26.45f + 51.5f) * 0.1f, 1e-3f);
}

TEST(TNNoteGlyph, NamesTheImageByTheFirstCharacterAndMarksSharps) {
    EXPECT_FALSE(TNNoteGlyph::forNote(std::nullopt));
    const auto natural = TNNoteGlyph::forNote(a4(0.0));
    ASSERT_TRUE(natural);
    EXPECT_EQ(natural->letter, "A");
    EXPECT_FALSE(natural->sharp);
    const auto sharp = TNNoteGlyph::forNote(TNNote::make(61.0, kChromatic, 0));
    ASSERT_TRUE(sharp);
    EXPECT_EQ(sharp->letter, "C");
    EXPECT_TRUE(sharp->sharp);
    // Under a tuning the string number: string 5 for a G#2 with the strings a semitone down.
    const PlistValue standard = PlistValue::dictionary(
        {{"name", "Standard"}, {"notes", PlistValue::array({64, 59, 55, 50, 45, 40})}});
    const auto string = TNNoteGlyph::forNote(TNNote::make(44.0, standard, -1));
    ASSERT_TRUE(string);
    EXPECT_EQ(string->letter, "5");
    EXPECT_FALSE(string->sharp);
}
