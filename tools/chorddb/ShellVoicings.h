#pragma once

#include "ChordShape.h"

#include <vector>

namespace fretkit {

// The shell voicings jazz players comp with: the root on string 6, 5 or 4, the third and the
// seventh (or the fourth and the sixth that stand in for them) as the next two voices in either
// order, the fifth left out unless it is altered, and the chord's other tones on top. The voice
// above the root may skip a string, damped by the root finger. Chords with no seventh or sixth
// have none.
class ShellVoicings {
public:
    static std::vector<ChordShape> of(const ChordTones& chord);
};

} // namespace fretkit
