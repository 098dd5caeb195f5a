#include "DropVoicings.h"

#include <algorithm>

namespace fretkit {
namespace {

using Family = ChordShape::Family;

struct StringSet {
    Family family;
    std::vector<unsigned> strings; // bass first
    bool dropThree;
};

const std::vector<StringSet>& stringSets() {
    static const std::vector<StringSet> sets = {
        {Family::Drop2Middle, {1, 2, 3, 4}, false}, {Family::Drop2Top, {2, 3, 4, 5}, false},
        {Family::Drop2Low, {0, 1, 2, 3}, false},    {Family::Drop3Sixth, {0, 2, 3, 4}, true},
        {Family::Drop3Fifth, {1, 3, 4, 5}, true},
    };
    return sets;
}

} // namespace

std::vector<unsigned> DropVoicings::fourTones(const ChordTones& chord) {
    std::vector<ChordTones::Tone> tones = chord.tones();
    const auto fifth = std::find_if(tones.begin(), tones.end(), [](const auto& tone) {
        return tone.optional && tone.degree == 5;
    });
    if (tones.size() > 4 && fifth != tones.end()) {
        tones.erase(fifth);
    }
    // Tensions go on top, as in the shell voicings; dropped into the middle (a ninth under the
    // third) they make voicings players do not use.
    const bool tensions =
        std::any_of(tones.begin(), tones.end(), [](const auto& tone) { return tone.degree > 7; });
    if (tones.size() != 4 || tensions) {
        return {};
    }
    std::vector<unsigned> pitches;
    for (const ChordTones::Tone& tone : tones) {
        pitches.push_back(tone.pitchClass);
    }
    std::sort(pitches.begin(), pitches.end(),
              [&](unsigned a, unsigned b) { return chord.above(a) < chord.above(b); });
    return pitches;
}

std::vector<ChordShape> DropVoicings::of(const ChordTones& chord) {
    std::vector<ChordShape> shapes;
    const std::vector<unsigned> close = fourTones(chord);
    if (close.empty() || !chord.seventh()) {
        return shapes;
    }
    // The close voicing 5 7 R 3 with its second voice from the top (the root) taken an octave
    // down gives R 5 7 3; the close voicing 7 R 3 5 with its third voice from the top taken
    // down gives R 7 3 5.
    const std::vector<unsigned> dropTwo = {close[0], close[2], close[3], close[1]};
    const std::vector<unsigned> dropThree = {close[0], close[3], close[1], close[2]};
    for (const StringSet& set : stringSets()) {
        const auto found = ChordShape::alongNeck(set.strings, set.dropThree ? dropThree : dropTwo,
                                                 chord, {ChordShape::Kind::Voicing, set.family});
        shapes.insert(shapes.end(), found.begin(), found.end());
    }
    return shapes;
}

} // namespace fretkit
