#pragma once

// What the tests of the generated chord file share: the formulas it was made from, the chord
// file read through the model the chords screen uses, and shapes written as guitarists write
// them ("x 3 2 0 1 0", thickest string first).

#include "ChordFormula.h"
#include "chords/CHDatabase.h"
#include "chords/CHNoteTables.h"
#include "foundation/FileIO.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <string>

namespace chordfile {

using fretkit::CHChord;
using fretkit::CHDatabase;
using fretkit::CHNoteTables;
using fretkit::ChordFormula;

inline const std::map<unsigned, ChordFormula>& formulas() {
    static const std::map<unsigned, ChordFormula> all = [] {
        std::string error;
        auto parsed =
            ChordFormula::parse(fretkit::FileIO::readAll(FRETKIT_CHORD_FORMULAS).value(), error);
        EXPECT_EQ(error, "");
        return parsed;
    }();
    return all;
}

inline CHDatabase& database() {
    static CHDatabase db;
    return db;
}

inline unsigned noteIndex(const std::string& name) {
    const auto& names = CHNoteTables::noteNames();
    return static_cast<unsigned>(std::find(names.begin(), names.end(), name) - names.begin());
}

inline std::vector<CHChord> shapesOf(const std::string& root, unsigned variant) {
    return database().chordsForRoot(static_cast<int>(noteIndex(root)), static_cast<int>(variant));
}

// The shape as guitarists write it: "x 3 2 0 1 0".
inline std::string fretsOf(const CHChord& chord) {
    std::string text;
    for (unsigned s = 0; s < CHChord::kStrings; ++s) {
        text += s ? " " : "";
        text += chord.mutedString(s)  ? "x"
                : chord.openString(s) ? "0"
                                      : std::to_string(chord.fretForString(s));
    }
    return text;
}

// The fingers as chord charts write them: "x32010", T for the thumb.
inline std::string fingersOf(const CHChord& chord) {
    std::string text;
    for (unsigned s = 0; s < CHChord::kStrings; ++s) {
        const unsigned finger = chord.fingerForString(s);
        text += chord.mutedString(s)  ? 'x'
                : chord.openString(s) ? '0'
                : finger == 0         ? 'T'
                                      : static_cast<char>('0' + finger);
    }
    return text;
}

// The fret each string sounds: -1 muted, 0 open.
inline std::array<int, 6> fretNumbersOf(const CHChord& chord) {
    std::array<int, 6> frets{};
    std::istringstream words(fretsOf(chord));
    for (int& fret : frets) {
        std::string word;
        words >> word;
        fret = word == "x" ? -1 : std::stoi(word);
    }
    return frets;
}

inline std::string describe(const CHChord& chord) {
    return CHNoteTables::noteNames().at(chord.root()) + " variant " +
           std::to_string(chord.variant()) + ": " + fretsOf(chord) + " (" + fingersOf(chord) + ")";
}

} // namespace chordfile
