#include "ChordFormula.h"

#include "chords/CHNoteTables.h"

#include <gtest/gtest.h>

using fretkit::CHNoteTables;
using fretkit::ChordFormula;

namespace {

std::vector<std::string> spelled(const std::string& line, const std::string& root) {
    std::string error;
    const auto formulas = ChordFormula::parse(line, error);
    EXPECT_EQ(error, "");
    const auto& names = CHNoteTables::noteNames();
    const auto rootIndex =
        static_cast<unsigned>(std::find(names.begin(), names.end(), root) - names.begin());
    std::vector<std::string> notes;
    for (const auto& tone : formulas.begin()->second.spell(rootIndex)) {
        notes.push_back(names.at(tone.note));
        EXPECT_EQ(tone.pitchClass, CHNoteTables::chromatic(tone.note));
    }
    return notes;
}

} // namespace

TEST(ChordFormula, DegreesAreSpelledFromTheRootsLetter) {
    EXPECT_EQ(spelled("0 1 3 (5)", "Cb"), (std::vector<std::string>{"Cb", "Eb", "Gb"}));
    EXPECT_EQ(spelled("49 1 3 (5) b7 #9", "C"),
              (std::vector<std::string>{"C", "E", "G", "Bb", "D#"}));
    EXPECT_EQ(spelled("31 1 b3 (5) b6 b7", "A"),
              (std::vector<std::string>{"A", "C", "E", "F", "G"}));
    // Double accidentals fall back to the table's single-accidental notes.
    EXPECT_EQ(spelled("20 1 b3 (5)", "Cb"), (std::vector<std::string>{"Cb", "D", "Gb"}));
    EXPECT_EQ(spelled("64 1 b3 b5 bb7", "Gb"), (std::vector<std::string>{"Gb", "A", "C", "Eb"}));
    EXPECT_EQ(spelled("0 1 3 (5)", "F#"), (std::vector<std::string>{"F#", "A#", "C#"}));
}

TEST(ChordFormula, OptionalTonesAndCommentsAreRead) {
    std::string error;
    const auto formulas =
        ChordFormula::parse("# a comment\n\n49  1 3 (5) b7 #9   # 7 #9\n0 1 3 5\n", error);
    ASSERT_EQ(formulas.size(), 2u) << error;
    const auto& degrees = formulas.at(49).degrees();
    ASSERT_EQ(degrees.size(), 5u);
    EXPECT_TRUE(degrees[2].optional);
    EXPECT_FALSE(degrees[4].optional);
    EXPECT_EQ(degrees[4].semitones(), 3u);
    EXPECT_EQ(degrees[4].number, 9u);
}

TEST(ChordFormula, MistakesNameTheLine) {
    for (const char* bad : {"0 1 3 x", "8 1 3 5", "70 1 3 5", "0 3 5", "0 1 3 #4 b5", "0 1 3 14",
                            "0 (1) 3", "zero 1 3", "0 1 3\n0 1 b3", "0 1 3 bbb7"}) {
        std::string error;
        EXPECT_TRUE(ChordFormula::parse(bad, error).empty()) << bad;
        EXPECT_EQ(error.rfind("line ", 0), 0u) << bad << ": " << error;
    }
}
