#pragma once

#include "ChordShape.h"

#include <vector>

namespace fretkit {

// The drop voicings of seventh and sixth chords, root in the bass: four tones in close position
// with the second voice from the top (drop 2) or the third (drop 3) taken down an octave, laid on
// the string sets jazz players use. A chord of more than four tones leaves out its optional
// fifth; chords with tensions (ninths, elevenths, thirteenths) or without a seventh or sixth
// have none: the shell voicings keep their tensions on top.
class DropVoicings {
public:
    static std::vector<ChordShape> of(const ChordTones& chord);

    // The four tones a drop voicing of `chord` sounds, rising from the root within an octave;
    // empty when the chord has no four-tone form without tensions.
    static std::vector<unsigned> fourTones(const ChordTones& chord);
};

} // namespace fretkit
