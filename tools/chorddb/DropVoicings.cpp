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
    // Left out first: the fifth, then the eleventh (it rubs against the third), then the ninth.
    for (unsigned degree : {5u, 11u, 9u}) {
        const auto optional = std::find_if(tones.begin(), tones.end(), [&](const auto& tone) {
            return tone.optional && tone.degree == degree;
        });
        if (tones.size() > 4 && optional != tones.end()) {
            tones.erase(optional);
        }
    }
    if (tones.size() != 4) {
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
