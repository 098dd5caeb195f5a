#pragma once

#include <cstdint>
#include <string>

namespace fretkit {

// Spells the notes of a chord name the way the chord's key writes them. The root takes the
// accidental of its key signature: Db, Eb, Ab and Bb major, C#, G# and Bb minor, and sharps for
// diminished chords, which lead up a semitone (G#dim7 to A). The other notes are spelled by their
// interval from the root's letter, so a third above E is G# and the seventh of B is A, not a
// flat; where that spelling would need a double accidental or read E#, B#, Cb or Fb, the plain
// name of the pitch takes its place, with the root's kind of accidental.
class CFChordSpeller {
public:
    enum class Quality { Major, Minor, Diminished };

    // The quality of a chord from its pitch classes above the root (bit i = i semitones).
    static Quality qualityOf(std::uint32_t pitchClasses);
    // The root's name for pitch class `pitchClass` (0 = C) in a chord of `quality`.
    static std::string rootName(int pitchClass, Quality quality);
    // The note `semitones` (0-11) above `root`, a name such as "Eb" or "F#".
    static std::string noteAbove(const std::string& root, int semitones);
};

} // namespace fretkit
