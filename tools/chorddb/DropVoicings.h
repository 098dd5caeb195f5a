#pragma once

#include "ChordShape.h"

#include <vector>

namespace fretkit {

// The drop voicings of seventh-like chords, root in the bass: four tones in close position with
// the second voice from the top (drop 2) or the third (drop 3) taken down an octave, laid on the
// string sets jazz players use. Chords of more than four tones leave out the fifth and then the
// optional tensions; chords that still hold more, or that have no seventh or sixth, have none.
class DropVoicings {
public:
    static std::vector<ChordShape> of(const ChordTones& chord);

    // The four tones a drop voicing of `chord` sounds, rising from the root within an octave;
    // empty when the chord has no four-tone form.
    static std::vector<unsigned> fourTones(const ChordTones& chord);
};

} // namespace fretkit
