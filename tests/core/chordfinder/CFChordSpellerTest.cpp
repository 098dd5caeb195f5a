#include "chordfinder/CFChordSpeller.h"

#include <gtest/gtest.h>

using fretkit::CFChordSpeller;
using Quality = CFChordSpeller::Quality;

TEST(CFChordSpeller, TheQualityComesFromTheThirdAndTheFifth) {
    EXPECT_EQ(CFChordSpeller::qualityOf(0b000010010001), Quality::Major);      // 1 3 5
    EXPECT_EQ(CFChordSpeller::qualityOf(0b000010001001), Quality::Minor);      // 1 b3 5
    EXPECT_EQ(CFChordSpeller::qualityOf(0b001001001001), Quality::Diminished); // 1 b3 b5 bb7
    EXPECT_EQ(CFChordSpeller::qualityOf(0b010001001001), Quality::Diminished); // m7b5
    EXPECT_EQ(CFChordSpeller::qualityOf(0b010000011001), Quality::Major);      // 7#9: 3 and b3
    EXPECT_EQ(CFChordSpeller::qualityOf(0b000010100001), Quality::Major);      // sus4
}

TEST(CFChordSpeller, RootsTakeTheAccidentalsOfTheirKey) {
    const struct {
        int pitchClass;
        Quality quality;
        const char* name;
    } cases[] = {
        {1, Quality::Major, "Db"}, {1, Quality::Minor, "C#"},  {1, Quality::Diminished, "C#"},
        {3, Quality::Major, "Eb"}, {3, Quality::Minor, "Eb"},  {3, Quality::Diminished, "D#"},
        {6, Quality::Major, "F#"}, {6, Quality::Minor, "F#"},  {8, Quality::Major, "Ab"},
        {8, Quality::Minor, "G#"}, {10, Quality::Minor, "Bb"}, {10, Quality::Diminished, "A#"},
        {-1, Quality::Major, "B"}, {14, Quality::Major, "D"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CFChordSpeller::rootName(c.pitchClass, c.quality), c.name) << c.pitchClass;
    }
}

TEST(CFChordSpeller, OtherNotesAreSpelledFromTheRootsLetter) {
    const struct {
        const char* root;
        int semitones;
        const char* name;
    } cases[] = {
        {"E", 4, "G#"},
        {"B", 4, "D#"},
        {"B", 10, "A"},
        {"Ab", 4, "C"},
        {"G#", 3, "B"},
        {"Eb", 7, "Bb"},
        {"C", 6, "F#"},
        {"C", 8, "Ab"},
        {"C", 3, "Eb"},
        {"D", 11, "C#"},
        {"F", 1, "Gb"},
        {"F#", 4, "A#"},
        {"C", 0, "C"},
        // E#, B#, Cb and Fb, and double accidentals, give way to the plain name of the pitch
        {"F#", 11, "F"},
        {"B", 6, "F"},
        {"Db", 10, "B"},
        {"Gb", 4, "Bb"},
        {"C#", 8, "A"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CFChordSpeller::noteAbove(c.root, c.semitones), c.name)
            << c.root << " + " << c.semitones;
    }
}
