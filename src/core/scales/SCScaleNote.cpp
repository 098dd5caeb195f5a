#include "SCScaleNote.h"

#include <array>

namespace fretkit {
namespace {

// How many letters the note of each interval lies above the root (a tritone counts as a fourth,
// a minor sixth as a sixth), and the correction from that many whole tones to the interval.
constexpr std::array<unsigned, 12> kLetterScaleOffset = {0, 1, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6};
constexpr std::array<std::int32_t, 12> kAccidentalScaleOffset = {0, -1, 0,  -1, 0,  -1,
                                                                 0, -1, -2, -1, -2, -1};

constexpr unsigned kLetterC = 0;
constexpr unsigned kLetterF = 3;

} // namespace

SCScaleNote SCScaleNote::scaleNoteForRoot(const SCNote& root, unsigned interval) {
    unsigned letter = root.letter();
    std::int32_t accidentals = root.accidentals();
    const unsigned i = interval % 12;
    // Each letter step counts as a whole tone; the half steps B-C and E-F are made up with a
    // sharp.
    for (unsigned step = 0; step < kLetterScaleOffset[i]; ++step) {
        letter = (letter + 1) % 7;
        if (letter == kLetterC || letter == kLetterF) {
            ++accidentals;
        }
    }
    SCScaleNote note;
    note.setLetter(letter);
    note.setAccidentals(accidentals + kAccidentalScaleOffset[i]);
    return note;
}

bool SCScaleNote::flag(const char* key) const {
    return alterations_ && (*alterations_)[key].boolValue();
}

std::string SCScaleNote::intervalName() const {
    switch (interval_ % 12) {
    case 0:
        return "R";
    case 1:
        return "b2";
    case 2:
        return flag("useDoubleFlat3") ? "bb3" : "2";
    case 3:
        return flag("useSharp2") ? "#2" : "b3";
    case 4:
        return flag("useFlat4") ? "b4" : "3";
    case 5:
        return flag("useSharp3") ? "#3" : "4";
    case 6:
        return flag("useSharp4") ? "#4" : "b5";
    case 7:
        return flag("useDoubleFlat6") ? "bb6" : "5";
    case 8:
        return flag("useSharp5") ? "#5" : "b6";
    case 9:
        return flag("useDoubleFlat7") ? "bb7" : "6";
    case 10:
        return flag("useSharp6") ? "#6" : "b7";
    default:
        return "7";
    }
}

} // namespace fretkit
