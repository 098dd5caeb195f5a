#include "tuner/TNNote.h"

#include "tuner/TNEstimateSmoother.h"
#include "tuner/TNNoteLabels.h"

#include <cmath>
#include <gtest/gtest.h>

using fretkit::PlistValue;

namespace {

const PlistValue kChromatic = PlistValue::dictionary({{"name", "Chromatic"}});

PlistValue standardTuning() {
    return PlistValue::dictionary(
        {{"name", "Standard"}, {"notes", PlistValue::array({64, 59, 55, 50, 45, 40})}});
}

TNNote chromatic(double semitone) {
    const auto note = TNNote::make(semitone, kChromatic, 0);
    EXPECT_TRUE(note) << semitone;
    return note.value_or(*TNNote::make(0.0, kChromatic, 0));
}

} // namespace

TEST(TNNote, NamesTheNearestNoteWithItsOctaveAndOffset) {
    const TNNote a4 = chromatic(69.0);
    EXPECT_STREQ(a4.chromaticName(), "A");
    EXPECT_EQ(a4.name(), "A");
    EXPECT_EQ(a4.octave(), 4);
    EXPECT_FLOAT_EQ(a4.offset(), 0.0f);
    EXPECT_FALSE(a4.usesTuning());
    EXPECT_TRUE(a4.stringName().empty());

    const TNNote belowHalf = chromatic(60.49);
    EXPECT_EQ(belowHalf.midiNote(), 60);
    EXPECT_STREQ(belowHalf.chromaticName(), "C");
    EXPECT_NEAR(belowHalf.chromaticOffset(), 49.0f, 1e-3f);

    // Exactly half-way rounds up, so the offset is -50 from the next note.
    const TNNote half = chromatic(60.5);
    EXPECT_EQ(half.midiNote(), 61);
    EXPECT_STREQ(half.chromaticName(), "C#");
    EXPECT_FLOAT_EQ(half.chromaticOffset(), -50.0f);

    // The octave follows the rounded note, not the pitch.
    const TNNote flatC = chromatic(59.6);
    EXPECT_EQ(flatC.midiNote(), 60);
    EXPECT_EQ(flatC.octave(), 4);
    EXPECT_NEAR(flatC.chromaticOffset(), -40.0f, 1e-3f);

    EXPECT_EQ(chromatic(40.0).octave(), 2); // the low E string
    EXPECT_EQ(chromatic(11.0).octave(), -1);
    EXPECT_STREQ(chromatic(11.0).chromaticName(), "B");
}

TEST(TNNote, PitchesWithoutAMidiNoteGiveNoNote) {
    // A reference of 0 Hz or a stray estimate must not wrap into some other note.
    EXPECT_FALSE(TNNote::make(-0.6, kChromatic, 0));
    EXPECT_FALSE(TNNote::make(127.6, kChromatic, 0));
    EXPECT_FALSE(TNNote::make(std::nan(""), kChromatic, 0));
    EXPECT_FALSE(TNNote::make(HUGE_VAL, kChromatic, 0));
    EXPECT_TRUE(TNNote::make(-0.4, kChromatic, 0));
    EXPECT_TRUE(TNNote::make(127.4, kChromatic, 0));
}

TEST(TNNote, MatchesTheStringWithinHalfASemitone) {
    const auto fifth = TNNote::make(45.2, standardTuning(), 0);
    ASSERT_TRUE(fifth);
    EXPECT_TRUE(fifth->usesTuning());
    EXPECT_EQ(fifth->name(), "5");
    EXPECT_EQ(fifth->stringName(), "5");
    EXPECT_NEAR(fifth->offset(), 20.0f, 1e-3f);
    EXPECT_STREQ(fifth->chromaticName(), "A");

    // Between two strings: nothing.
    EXPECT_FALSE(TNNote::make(47.5, standardTuning(), 0));
    // An empty list of strings matches nothing.
    EXPECT_FALSE(TNNote::make(
        64.0, PlistValue::dictionary({{"name", "None"}, {"notes", PlistValue::array()}}), 0));
}

TEST(TNNote, DetuneShiftsOnlyTheStrings) {
    const auto note = TNNote::make(44.0, standardTuning(), -1);
    ASSERT_TRUE(note);
    EXPECT_EQ(note->stringName(), "5");
    EXPECT_FLOAT_EQ(note->stringOffset(), 0.0f);
    EXPECT_STREQ(note->chromaticName(), "G#");
    EXPECT_FLOAT_EQ(note->chromaticOffset(), 0.0f);
}

TEST(TNNote, TiesGoToTheFirstStringInTheList) {
    // Half a semitone above B matches string 2 at +50 while the chromatic note is C at -50.
    const auto edge = TNNote::make(59.5, standardTuning(), 0);
    ASSERT_TRUE(edge);
    EXPECT_EQ(edge->stringName(), "2");
    EXPECT_FLOAT_EQ(edge->stringOffset(), 50.0f);
    EXPECT_FLOAT_EQ(edge->chromaticOffset(), -50.0f);
    // Two strings at the same note (a unison tuning): the thinner, listed first, wins.
    const PlistValue unison = PlistValue::dictionary({{"notes", PlistValue::array({62, 62})}});
    EXPECT_EQ(TNNote::make(62.1, unison, 0)->stringName(), "1");
    // Half-way between two strings one semitone apart goes to the first listed.
    const PlistValue close = PlistValue::dictionary({{"notes", PlistValue::array({51, 50})}});
    EXPECT_EQ(TNNote::make(50.5, close, 0)->stringName(), "1");
}

TEST(TNNoteLabels, ShowNoteOctaveAndSignedCents) {
    const auto a = TNNoteLabels::forNote(TNNote::make(69.032, kChromatic, 0));
    EXPECT_EQ(a.note, "A4");
    EXPECT_EQ(a.cents, "+3.2 c");
    EXPECT_EQ(TNNoteLabels::forNote(TNNote::make(68.88, kChromatic, 0)).cents, "-12.0 c");
    EXPECT_EQ(TNNoteLabels::forNote(TNNote::make(69.0, kChromatic, 0)).cents, "+0.0 c");
    // A hair flat of the note still reads as on it, without a minus sign.
    EXPECT_EQ(TNNoteLabels::forNote(TNNote::make(68.9996, kChromatic, 0)).cents, "+0.0 c");
    EXPECT_EQ(TNNoteLabels::signedCents(-0.06), "-0.1");
    // 440 Hz against a reference of 442 Hz.
    const double flat = TNEstimateSmoother::semitoneOf(440.0, 442.0);
    EXPECT_EQ(TNNoteLabels::forNote(TNNote::make(flat, kChromatic, 0)).note, "A4");
    EXPECT_EQ(TNNoteLabels::forNote(TNNote::make(flat, kChromatic, 0)).cents, "-7.9 c");
    // Under a tuning the note label stays chromatic while the cents are the string's.
    const auto string = TNNoteLabels::forNote(TNNote::make(44.0, standardTuning(), -1));
    EXPECT_EQ(string.note, "G#2");
    EXPECT_EQ(string.cents, "+0.0 c");
    const auto none = TNNoteLabels::forNote(std::nullopt);
    EXPECT_EQ(none.note, "--");
    EXPECT_EQ(none.cents, "--");
}
