#include "ShellVoicings.h"

#include <algorithm>

namespace fretkit {
namespace {

using Family = ChordShape::Family;
using Tone = ChordTones::Tone;

// The tones a shell places on top: the required ones, and every choice of the optional ones
// other than the fifth.
std::vector<std::vector<unsigned>> tensionChoices(const ChordTones& chord) {
    std::vector<unsigned> required;
    std::vector<unsigned> optional;
    for (const Tone& tone : chord.tones()) {
        if (&tone == &chord.root() || &tone == chord.third() || &tone == chord.seventh() ||
            (tone.degree == 5 && tone.optional)) {
            continue;
        }
        (tone.optional ? optional : required).push_back(tone.pitchClass);
    }
    std::vector<std::vector<unsigned>> choices;
    for (unsigned mask = 0; mask < (1u << optional.size()); ++mask) {
        std::vector<unsigned> choice = required;
        for (std::size_t i = 0; i < optional.size(); ++i) {
            if ((mask >> i) & 1u) {
                choice.push_back(optional[i]);
            }
        }
        std::sort(choice.begin(), choice.end());
        choices.push_back(choice);
    }
    return choices;
}

// The strings of a shell of `voices` voices from `rootString`, the second voice on the string
// next to the root's or, when `skip`, one higher; empty when they do not fit on the neck.
std::vector<unsigned> shellStrings(unsigned rootString, unsigned skip, std::size_t voices) {
    std::vector<unsigned> strings = {rootString};
    for (unsigned s = rootString + 1 + skip; s < ChordShape::kStrings && strings.size() < voices;
         ++s) {
        strings.push_back(s);
    }
    return strings.size() == voices ? strings : std::vector<unsigned>{};
}

} // namespace

std::vector<ChordShape> ShellVoicings::of(const ChordTones& chord) {
    std::vector<ChordShape> shapes;
    const Tone* third = chord.third();
    const Tone* seventh = chord.seventh();
    if (!third || !seventh) {
        return shapes;
    }
    const std::vector<std::pair<unsigned, Family>> roots = {
        {0, Family::ShellSixth}, {1, Family::ShellFifth}, {2, Family::ShellFourth}};
    for (std::vector<unsigned> tensions : tensionChoices(chord)) {
        do {
            for (const auto& [low, high] : {std::pair{third, seventh}, std::pair{seventh, third}}) {
                std::vector<unsigned> voices = {chord.root().pitchClass, low->pitchClass,
                                                high->pitchClass};
                voices.insert(voices.end(), tensions.begin(), tensions.end());
                for (const auto& [rootString, family] : roots) {
                    for (unsigned skip = 0; skip < 2; ++skip) {
                        const std::vector<unsigned> strings =
                            shellStrings(rootString, skip, voices.size());
                        if (strings.empty()) {
                            continue;
                        }
                        const auto found = ChordShape::alongNeck(
                            strings, voices, chord, {ChordShape::Kind::Voicing, family});
                        shapes.insert(shapes.end(), found.begin(), found.end());
                    }
                }
            }
        } while (std::next_permutation(tensions.begin(), tensions.end()));
    }
    return shapes;
}

} // namespace fretkit
