#include "scales/SCScaleNote.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;
using fretkit::SCNote;
using fretkit::SCScaleNote;

TEST(SCNote, ChromaticValueLiftsNegativesOnceAndNeverReduces) {
    EXPECT_EQ(SCNote(0, -2).chromaticValue(), 10); // Cbb
    EXPECT_EQ(SCNote(0, -1).chromaticValue(), 11); // Cb
    EXPECT_EQ(SCNote(6, 1).chromaticValue(), 12);  // B#
    EXPECT_EQ(SCNote(6, 2).chromaticValue(), 13);  // B##
    EXPECT_EQ(SCNote(2, 0).chromaticValue(), 4);
}

TEST(SCNote, NamesShowEveryAccidental) {
    EXPECT_EQ(SCNote(2, -2).name(), "Ebb");
    EXPECT_EQ(SCNote(2, 0).name(), "E");
    EXPECT_EQ(SCNote(3, 1).name(), "F#");
    EXPECT_EQ(SCNote(0, 2).name(), "C##");
    EXPECT_TRUE(SCNote(6, -1).isEqualToNote(SCNote(6, -1)));
    EXPECT_FALSE(SCNote(6, -1).isEqualToNote(SCNote(5, 1))); // Bb and A# differ
}

TEST(SCScaleNote, SpellingStepsLettersByTheIntervalsDegree) {
    const auto spell = [](unsigned letter, int accidentals, unsigned interval) {
        return SCScaleNote::scaleNoteForRoot(SCNote(letter, accidentals), interval).name();
    };
    EXPECT_EQ(spell(1, 0, 4), "F#");   // D, major third
    EXPECT_EQ(spell(1, 0, 3), "F");    // D, minor third
    EXPECT_EQ(spell(6, -1, 7), "F");   // Bb, fifth
    EXPECT_EQ(spell(0, 0, 6), "F#");   // C, tritone as a raised fourth
    EXPECT_EQ(spell(0, 0, 8), "Ab");   // C, minor sixth
    EXPECT_EQ(spell(4, -1, 3), "Bbb"); // Gb, minor third
    EXPECT_EQ(spell(4, 1, 4), "B#");   // G#, major third
    EXPECT_EQ(spell(1, 1, 11), "C##"); // D#, major seventh
    EXPECT_EQ(spell(5, 0, 10), "G");   // A, minor seventh
    EXPECT_EQ(spell(2, 0, 0), "E");
    const SCScaleNote bSharp = SCScaleNote::scaleNoteForRoot(SCNote(4, 1), 4);
    EXPECT_EQ(bSharp.chromaticValue(), 12);
}

TEST(SCScaleNote, IntervalLabelsFollowTheAlterationFlags) {
    SCScaleNote note;
    const auto label = [&](unsigned interval) {
        note.setInterval(interval);
        return note.intervalName();
    };
    EXPECT_EQ(label(0), "R");
    EXPECT_EQ(label(1), "b2");
    EXPECT_EQ(label(3), "b3");
    EXPECT_EQ(label(6), "b5");
    EXPECT_EQ(label(8), "b6");
    EXPECT_EQ(label(10), "b7");
    EXPECT_EQ(label(11), "7");
    EXPECT_TRUE(note.isRoot() == false);

    note.setAlterations(
        std::make_shared<const PlistValue>(PlistValue::dictionary({{"useDoubleFlat3", true},
                                                                   {"useSharp2", true},
                                                                   {"useFlat4", true},
                                                                   {"useSharp3", true},
                                                                   {"useSharp4", true},
                                                                   {"useDoubleFlat6", true},
                                                                   {"useSharp5", true},
                                                                   {"useDoubleFlat7", true},
                                                                   {"useSharp6", true}})));
    const std::vector<std::string> altered = {"R",  "b2",  "bb3", "#2",  "b4", "#3",
                                              "#4", "bb6", "#5",  "bb7", "#6", "7"};
    for (unsigned i = 0; i < 12; ++i) {
        EXPECT_EQ(label(i), altered[i]) << i;
    }
    // The flags name the interval; they never respell the note.
    EXPECT_EQ(label(15), "#2");
    note.setAlterations(
        std::make_shared<const PlistValue>(PlistValue::dictionary({{"useSharp4", false}})));
    EXPECT_EQ(label(6), "b5");
}
