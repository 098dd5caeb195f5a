#include "chords/CHChord.h"

#include "chords/CHNoteTables.h"

#include <gtest/gtest.h>

using fretkit::CHChord;
using fretkit::CHNoteTables;

namespace {

constexpr unsigned kNone = CHChord::kNotFound;

CHChord chord(unsigned root, unsigned variant, unsigned baseFret,
              std::array<CHChord::String, 6> strings) {
    return CHChord(root, variant, baseFret, strings);
}

// C major, open: x 3 2 0 1 0 written with baseFret 1 (fret codes are relative to it).
CHChord openC(unsigned rootOnFifthString = 7) {
    return chord(7, 0, 1,
                 {{{0, 5, false, 0},
                   {3, 2, false, rootOnFifthString},
                   {2, 1, false, 13},
                   {0, 6, false, 19},
                   {1, 0, true, 7},
                   {0, 6, false, 13}}});
}

} // namespace

TEST(CHChord, FretsAndFingersFollowTheBaseFretAndTheStringCodes) {
    const CHChord barre = chord(19, 0, 5,
                                {{{1, 0, false, 7},
                                  {3, 2, false, 13},
                                  {4, 2, false, 19},
                                  {2, 1, false, 0},
                                  {1, 0, false, 7},
                                  {1, 0, false, 13}}});
    EXPECT_EQ(barre.fretForString(0), 5u);
    EXPECT_EQ(barre.fretForString(1), 7u);
    EXPECT_EQ(barre.fingerForString(2), 4u);
    EXPECT_EQ(barre.fretForFinger(1), 5u);
    EXPECT_EQ(barre.stringsForFinger(1), (std::vector<unsigned>{0, 4, 5}));
    EXPECT_EQ(barre.fretForFinger(3), 7u);

    const CHChord c = openC();
    EXPECT_TRUE(c.mutedString(0));
    EXPECT_FALSE(c.openString(0));
    EXPECT_TRUE(c.openString(3));
    EXPECT_EQ(c.fretForString(3), kNone);
    EXPECT_EQ(c.fingerForString(3), kNone);
    EXPECT_EQ(c.fretForString(0), kNone);
    EXPECT_EQ(c.noteForString(0), kNone);
    EXPECT_EQ(c.noteNameForString(0), "--");
    EXPECT_EQ(c.intervalNameForString(0), "--");
    EXPECT_EQ(c.noteNameForString(3), "G");
    EXPECT_EQ(c.intervalNameForString(3), "5");
    EXPECT_TRUE(c.string(4).optional);
}

TEST(CHChord, OutOfRangeStringsAndFingersAnswerNotFound) {
    const CHChord c = openC();
    EXPECT_EQ(c.fretForString(6), kNone);
    EXPECT_EQ(c.fingerForString(6), kNone);
    EXPECT_FALSE(c.mutedString(6));
    EXPECT_FALSE(c.openString(6));
    EXPECT_EQ(c.noteForString(6), kNone);
    EXPECT_EQ(c.noteNameForString(6), "--");
    EXPECT_EQ(c.fretForFinger(5), kNone);
    EXPECT_FALSE(c.stringsForFinger(5).has_value());
    EXPECT_EQ(c.fretForFinger(4), kNone); // no string uses the little finger
    EXPECT_TRUE(c.stringsForFinger(4)->empty());
    // The thumb is finger 0; the open and muted strings that also carry 0 are not held by it.
    EXPECT_TRUE(c.stringsForFinger(0)->empty());
}

TEST(CHChord, RootStringMatchesTheSpellingNotThePitch) {
    EXPECT_EQ(openC().stringIndexOfRoot(), 1u);
    // Spelled B# on string 1 and C only on string 4: the first C-spelled string wins.
    EXPECT_EQ(openC(5).stringIndexOfRoot(), 4u);
    CHChord onlyBSharp = chord(7, 0, 1,
                               {{{0, 5, false, 0},
                                 {3, 2, false, 5},
                                 {2, 1, false, 13},
                                 {0, 6, false, 19},
                                 {0, 5, false, 7},
                                 {0, 6, false, 13}}});
    EXPECT_EQ(onlyBSharp.stringIndexOfRoot(), kNone);
    EXPECT_EQ(onlyBSharp.intervalNameForString(1), "R");
}

TEST(CHChord, NoteNamesStandOnTheDegreeOfTheirIntervalNames) {
    // The chord file holds one accidental at most; a tone that needs two comes stored as the
    // same pitch on another letter, and is named on its own degree all the same.
    const auto oneString = [](unsigned root, unsigned variant, unsigned note) {
        return chord(root, variant, 1,
                     {{{0, 6, false, root},
                       {0, 6, false, note},
                       {0, 5, false, 0},
                       {0, 5, false, 0},
                       {0, 5, false, 0},
                       {0, 5, false, 0}}});
    };
    const CHChord cDim7 = oneString(7, 64, 1); // stored A
    EXPECT_EQ(cDim7.intervalNameForString(1), "bb7");
    EXPECT_EQ(cDim7.noteNameForString(1), "Bbb");
    EXPECT_EQ(oneString(13, 49, 19).noteNameForString(1), "F##"); // E 7 #9, stored G
    EXPECT_EQ(oneString(18, 20, 1).noteNameForString(1), "Bbb");  // Gb minor, stored A
    EXPECT_EQ(oneString(9, 51, 10).noteNameForString(1), "Ebb");  // Db 7 b9, stored D
    EXPECT_EQ(oneString(8, 11, 19).noteNameForString(1), "F##");  // C# 7 #11, stored G
    EXPECT_EQ(oneString(7, 11, 17).noteNameForString(1), "F#");   // C 7 #11
    EXPECT_EQ(oneString(7, 46, 18).noteNameForString(1), "Gb");   // C 7 b5
    EXPECT_EQ(oneString(6, 20, 12).noteNameForString(0), "Cb");   // the root itself
    EXPECT_EQ(openC().noteNameForString(1), "C");
    EXPECT_EQ(openC().noteNameForString(2), "E");
}

TEST(CHNoteTables, IntervalNamesFollowTheVariantProperties) {
    EXPECT_EQ(CHNoteTables::intervalName(5, 4), "4"); // sus 4
    EXPECT_EQ(CHNoteTables::intervalName(5, 0), "11");
    EXPECT_EQ(CHNoteTables::intervalName(6, 11), "#11"); // 7 #11
    EXPECT_EQ(CHNoteTables::intervalName(6, 0), "b5");
    EXPECT_EQ(CHNoteTables::intervalName(3, 49), "#9"); // 7 #9
    EXPECT_EQ(CHNoteTables::intervalName(3, 0), "b3");
    EXPECT_EQ(CHNoteTables::intervalName(9, 64), "bb7"); // diminished
    EXPECT_EQ(CHNoteTables::intervalName(9, 5), "6");
    EXPECT_EQ(CHNoteTables::intervalName(9, 41), "13");
    EXPECT_EQ(CHNoteTables::intervalName(8, 31), "b6");
    EXPECT_EQ(CHNoteTables::intervalName(8, 43), "#5");
    EXPECT_EQ(CHNoteTables::intervalName(8, 67), "b13");
    EXPECT_EQ(CHNoteTables::intervalName(1, 51), "b9");
    EXPECT_EQ(CHNoteTables::intervalName(10, 36), "b7");
    EXPECT_EQ(CHNoteTables::intervalName(11, 68), "7");
}

TEST(CHNoteTables, ChromaticValuesWrapAroundTheOctave) {
    // Interval of a B# root's E: 4 - 0; of a Cb root's Eb: 3 - 11 + 12.
    const CHChord cFlat = chord(6, 20, 1,
                                {{{0, 6, false, 6},
                                  {0, 5, false, 0},
                                  {0, 5, false, 0},
                                  {0, 5, false, 0},
                                  {0, 6, false, 12},
                                  {0, 5, false, 0}}});
    EXPECT_EQ(cFlat.intervalNameForString(4), "3");
    EXPECT_EQ(cFlat.noteNameForString(4), "Eb");
    EXPECT_EQ(CHNoteTables::chromatic(5), 0u);
    EXPECT_EQ(CHNoteTables::chromatic(14), 5u);
    EXPECT_EQ(CHNoteTables::chromatic(15), 4u);
}
