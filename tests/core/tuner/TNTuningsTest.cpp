#include "tuner/TNTunings.h"

#include "foundation/Bundle.h"
#include "support/LogCapture.h"
#include "support/TempDir.h"
#include "tuner/TNNote.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

using fretkit::Bundle;
using fretkit::PlistValue;

TEST(TNTunings, ChromaticComesFirstThenTheListInOrder) {
    const TNTunings tunings(
        PlistValue::array({PlistValue::dictionary({{"name", "Standard"}}), "stray",
                           PlistValue::dictionary({{"name", "Drop D"}})}));
    ASSERT_EQ(tunings.count(), 3u);
    EXPECT_EQ(tunings.nameAt(0), "Chromatic");
    EXPECT_FALSE(tunings.at(0).contains("notes"));
    EXPECT_EQ(tunings.nameAt(1), "Standard");
    EXPECT_EQ(tunings.nameAt(2), "Drop D");
    EXPECT_EQ(tunings.indexOfName("drop d"), 2u);
    EXPECT_FALSE(tunings.indexOfName("Drop"));
    // A stored index past the end falls back to the chromatic entry.
    EXPECT_EQ(tunings.nameAt(3), "Chromatic");
    EXPECT_EQ(tunings.nameAt(1000), "Chromatic");
}

TEST(TNTunings, MissingOrMalformedListLeavesOnlyChromatic) {
    LogCapture log;
    TempDir dir;
    EXPECT_EQ(TNTunings::fromBundle(Bundle(dir.path().string())).count(), 1u);
    dir.write("BZTunings.plist", "<plist version=\"1.0\"><dict/></plist>");
    EXPECT_EQ(TNTunings::fromBundle(Bundle(dir.path().string())).count(), 1u);
    dir.write("BZTunings.plist", "not a property list");
    EXPECT_EQ(TNTunings::fromBundle(Bundle(dir.path().string())).count(), 1u);
}

// The bundled list: every tuning has six strings, thinnest first, and its spelling names them
// thickest first; sharps and flats are checked by pitch class.
TEST(TNTunings, BundledTuningsAreSpelledAsTheirNotes) {
    const TNTunings tunings = TNTunings::fromBundle(Bundle::main());
    ASSERT_GE(tunings.count(), 15u);
    EXPECT_EQ(tunings.nameAt(1), "Standard");
    EXPECT_EQ(tunings.at(1)["notes"], PlistValue::array({64, 59, 55, 50, 45, 40}));
    const std::map<std::string, int> pitchClass = {
        {"C", 0},  {"C#", 1}, {"Db", 1},  {"D", 2},   {"D#", 3}, {"Eb", 3},
        {"E", 4},  {"F", 5},  {"F#", 6},  {"Gb", 6},  {"G", 7},  {"G#", 8},
        {"Ab", 8}, {"A", 9},  {"A#", 10}, {"Bb", 10}, {"B", 11}};
    std::set<std::string> names;
    for (std::size_t i = 1; i < tunings.count(); ++i) {
        const PlistValue& tuning = tunings.at(i);
        const std::string name = tuning["name"].stringValue();
        EXPECT_TRUE(names.insert(name).second) << "duplicate " << name;
        const PlistValue& notes = tuning["notes"];
        ASSERT_EQ(notes.count(), 6u) << name;
        std::istringstream spelling(tuning["spelling"].stringValue());
        std::string letter;
        for (std::size_t string = 0; string < 6; ++string) {
            ASSERT_TRUE(spelling >> letter) << name;
            ASSERT_TRUE(pitchClass.count(letter)) << name << ": " << letter;
            const int note = notes[5 - string].intValue();
            EXPECT_EQ(note % 12, pitchClass.at(letter)) << name << " string " << 6 - string;
            EXPECT_GE(note, 36) << name;
            EXPECT_LE(note, 69) << name;
        }
        EXPECT_FALSE(spelling >> letter) << name << " has more than six strings";
        // Each string's own pitch is read as that string.
        for (std::size_t s = 0; s < 6; ++s) {
            const auto note = TNNote::make(notes[s].intValue() + 0.1, tuning, 0);
            ASSERT_TRUE(note) << name;
        }
    }
}
