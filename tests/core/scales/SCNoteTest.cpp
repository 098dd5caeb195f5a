#include "scales/SCScaleNote.h"

#include <gtest/gtest.h>

using fretkit::PlistValue;
using fretkit::SCNote;
using fretkit::SCScaleNote;

namespace {

SCScaleNote::Alterations everyFlag() {
    return std::make_shared<const PlistValue>(PlistValue::dictionary({{"useDoubleFlat3", true},
                                                                      {"useSharp2", true},
                                                                      {"useFlat4", true},
                                                                      {"useSharp3", true},
                                                                      {"useSharp4", true},
                                                                      {"useDoubleFlat6", true},
                                                                      {"useSharp5", true},
                                                                      {"useDoubleFlat7", true},
                                                                      {"useSharp6", true}}));
}

} // namespace

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

TEST(SCNote, SpelledAboveStandsOnTheDegreeTheLabelNames) {
    const SCNote c(0, 0);
    EXPECT_EQ(c.spelledAbove(6, "b5").name(), "Gb");
    EXPECT_EQ(c.spelledAbove(6, "#4").name(), "F#");
    EXPECT_EQ(c.spelledAbove(6, "#11").name(), "F#");
    EXPECT_EQ(c.spelledAbove(1, "b9").name(), "Db");
    EXPECT_EQ(c.spelledAbove(8, "b13").name(), "Ab");
    EXPECT_EQ(c.spelledAbove(0, "R").name(), "C");
    EXPECT_EQ(SCNote(4, 1).spelledAbove(3, "#9").name(), "A##");   // G#
    EXPECT_EQ(SCNote(4, -1).spelledAbove(9, "bb7").name(), "Fbb"); // Gb
    // A label that does not fit its interval still gives the pitch, the short way round.
    EXPECT_EQ(c.spelledAbove(3, "3").name(), "Eb");
    EXPECT_EQ(c.spelledAbove(11, "R").name(), "Cb");
}

TEST(SCScaleNote, EveryNoteIsSpelledOnTheDegreeOfItsLabel) {
    const auto spell = [](const SCNote& root, const SCScaleNote::Alterations& flags) {
        std::vector<std::string> names;
        for (unsigned interval = 0; interval < 12; ++interval) {
            names.push_back(SCScaleNote::scaleNoteForRoot(root, interval, flags).name());
        }
        return names;
    };
    const SCScaleNote::Alterations allFlags = everyFlag();
    using Names = std::vector<std::string>;
    EXPECT_EQ(spell(SCNote(0, 0), nullptr),
              (Names{"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"}));
    EXPECT_EQ(spell(SCNote(0, 0), allFlags),
              (Names{"C", "Db", "Ebb", "D#", "Fb", "E#", "F#", "Abb", "G#", "Bbb", "A#", "B"}));
    EXPECT_EQ(spell(SCNote(3, 1), allFlags), // F#
              (Names{"F#", "G", "Ab", "G##", "Bb", "A##", "B#", "Db", "C##", "Eb", "D##", "E#"}));
    EXPECT_EQ(spell(SCNote(6, -1), nullptr), // Bb
              (Names{"Bb", "Cb", "C", "Db", "D", "Eb", "Fb", "F", "Gb", "G", "Ab", "A"}));

    const SCScaleNote bSharp = SCScaleNote::scaleNoteForRoot(SCNote(4, 1), 4);
    EXPECT_EQ(bSharp.name(), "B#");
    EXPECT_EQ(bSharp.chromaticValue(), 12);
    EXPECT_EQ(bSharp.interval(), 4u);
    EXPECT_EQ(SCScaleNote::scaleNoteForRoot(SCNote(0, 0), 10, allFlags).alterations(), allFlags);
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

    note.setAlterations(everyFlag());
    const std::vector<std::string> altered = {"R",  "b2",  "bb3", "#2",  "b4", "#3",
                                              "#4", "bb6", "#5",  "bb7", "#6", "7"};
    for (unsigned i = 0; i < 12; ++i) {
        EXPECT_EQ(label(i), altered[i]) << i;
    }
    // Above the octave the label is the pitch class's.
    EXPECT_EQ(label(15), "#2");
    note.setAlterations(
        std::make_shared<const PlistValue>(PlistValue::dictionary({{"useSharp4", false}})));
    EXPECT_EQ(label(6), "b5");
}
