#include "chords/CHDatabase.h"
#include "foundation/Bundle.h"
#include "scales/SCScaleNote.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <set>

using fretkit::Bundle;
using fretkit::CHChord;
using fretkit::CHDatabase;
using fretkit::PlistValue;
using fretkit::SCNote;
using fretkit::SCScaleNote;

namespace {

using Names = std::vector<std::string>;

const PlistValue& scaleTypes() {
    static const PlistValue types = Bundle::main().propertyList("SCScales").value_or(PlistValue());
    return types;
}

std::vector<SCNote> offeredRoots() {
    std::vector<SCNote> roots;
    const PlistValue list = Bundle::main().propertyList("SCNotes").value_or(PlistValue());
    for (const PlistValue& root : list.arrayItems()) {
        roots.emplace_back(unsigned(root["letter"].intValue()), root["accidentals"].intValue());
    }
    return roots;
}

const PlistValue& scaleType(const std::string& name) {
    const auto& types = scaleTypes().arrayItems();
    static const PlistValue none;
    const auto found = std::find_if(types.begin(), types.end(), [&](const PlistValue& type) {
        return type["name"].stringValue() == name;
    });
    return found == types.end() ? none : *found;
}

std::vector<SCScaleNote> spell(const SCNote& root, const PlistValue& type) {
    const auto alterations = std::make_shared<const PlistValue>(type["alterations"]);
    std::vector<SCScaleNote> notes;
    for (const PlistValue& interval : type["intervals"].arrayItems()) {
        notes.push_back(
            SCScaleNote::scaleNoteForRoot(root, unsigned(interval.intValue()), alterations));
    }
    return notes;
}

// "C#", "Bb": a letter and its accidentals.
Names names(const std::string& root, const std::string& type) {
    const auto letter = unsigned(std::strchr(SCNote::kLetterNames, root[0]) - SCNote::kLetterNames);
    const auto marks = static_cast<std::int32_t>(root.size() - 1);
    Names result;
    for (const SCScaleNote& note :
         spell(SCNote(letter, root[1] == '#' ? marks : -marks), scaleType(type))) {
        result.push_back(note.name());
    }
    return result;
}

} // namespace

TEST(ScaleSpelling, ScalesAreSpelledAsTheirLabelsRead) {
    EXPECT_EQ(names("C", "Locrian"), (Names{"C", "Db", "Eb", "F", "Gb", "Ab", "Bb"}));
    EXPECT_EQ(names("D", "Locrian"), (Names{"D", "Eb", "F", "G", "Ab", "Bb", "C"}));
    EXPECT_EQ(names("C#", "Blues"), (Names{"C#", "E", "F#", "G", "G#", "B"}));
    EXPECT_EQ(names("C", "Lydian"), (Names{"C", "D", "E", "F#", "G", "A", "B"}));
    EXPECT_EQ(names("C", "Altered"), (Names{"C", "Db", "D#", "E", "Gb", "G#", "Bb"}));
    EXPECT_EQ(names("C", "Diminished 7 Arpeggio"), (Names{"C", "Eb", "Gb", "Bbb"}));
    EXPECT_EQ(names("C", "Diminished (Whole-Half)"),
              (Names{"C", "D", "Eb", "F", "Gb", "Ab", "Bbb", "B"}));
    EXPECT_EQ(names("C", "Whole Tone"), (Names{"C", "D", "E", "F#", "G#", "Bb"}));
    EXPECT_EQ(names("F#", "Whole Tone"), (Names{"F#", "G#", "A#", "B#", "C##", "E"}));
    EXPECT_EQ(names("Gb", "Ultralocrian"), (Names{"Gb", "Abb", "Bbb", "Cbb", "Dbb", "Ebb", "Fbb"}));
}

TEST(ScaleSpelling, EveryTypeFromEveryRootKeepsItsPitchesAndSevenNoteTypesTheirLetters) {
    // "Altered" is labelled with the altered dominant's b9 #9 b5 #5: two letters name two notes.
    const std::set<std::string> repeatsLetters = {"Altered"};
    const std::vector<SCNote> roots = offeredRoots();
    ASSERT_EQ(roots.size(), 15u);
    ASSERT_EQ(scaleTypes().count(), 106u);
    std::set<std::string> found;
    for (const PlistValue& type : scaleTypes().arrayItems()) {
        const std::string name = type["name"].stringValue();
        for (const SCNote& root : roots) {
            std::set<unsigned> letters;
            for (const SCScaleNote& note : spell(root, type)) {
                letters.insert(note.letter());
                const std::string where = root.name() + " " + name + ": " + note.name();
                EXPECT_EQ((note.chromaticValue() - root.chromaticValue() + 24) % 12,
                          std::int32_t(note.interval()))
                    << where;
                EXPECT_LE(std::abs(note.accidentals()), 2) << where;
            }
            if (type["intervals"].count() == 7 && letters.size() != 7) {
                found.insert(name);
            }
        }
    }
    EXPECT_EQ(found, repeatsLetters);
}

// Wherever a scale holds every tone of a chord of the chord library, labelled alike, the chord's
// strings are named as the scale names those notes, over every root both libraries offer.
TEST(ScaleSpelling, ChordNotesAreNamedAsTheScalesPlayedOverThem) {
    const std::vector<std::pair<std::string, std::vector<int>>> scalesOverChords = {
        {"Major", {0, 1, 2, 3, 5, 6, 7, 9}},
        {"Lydian", {11, 12, 14, 15, 16}},
        {"Mixolydian", {36, 37, 38, 39, 40, 41}},
        {"Dorian", {20, 21, 22, 23, 24, 25, 26}},
        {"Natural Minor", {31, 32, 33}},
        {"Melodic Minor", {34, 35}},
        {"Locrian #2", {27, 28}},
        {"Altered", {53, 55, 57, 58, 59}},
        {"Whole Tone", {42, 43, 44}},
        {"Diminished (Half-Whole)", {49, 50, 51, 52, 61}},
        {"Diminished (Whole-Half)", {64, 65, 66, 67, 68}},
        {"Tritone", {55}},
        {"Augmented", {17, 42}},
    };
    CHDatabase database;
    ASSERT_TRUE(database.isOpen());
    const auto& chordNotes = CHDatabase::noteNames();
    unsigned strings = 0;
    for (const SCNote& root : offeredRoots()) {
        const int chordRoot =
            int(std::find(chordNotes.begin(), chordNotes.end(), root.name()) - chordNotes.begin());
        for (const auto& [scale, variants] : scalesOverChords) {
            const Names scaleNotes = names(root.name(), scale);
            for (const int variant : variants) {
                for (const CHChord& chord : database.chordsForRoot(chordRoot, variant)) {
                    for (unsigned s = 0; s < CHChord::kStrings; ++s) {
                        if (chord.mutedString(s)) {
                            continue;
                        }
                        ++strings;
                        const std::string note = chord.noteNameForString(s);
                        EXPECT_NE(std::find(scaleNotes.begin(), scaleNotes.end(), note),
                                  scaleNotes.end())
                            << root.name() << " " << scale << ", variant " << variant << ": "
                            << note << " (" << chord.intervalNameForString(s) << ")";
                    }
                }
            }
        }
    }
    EXPECT_GT(strings, 1000u);
}
