#pragma once

#include "ChordFormula.h"

#include <vector>

namespace fretkit {

// The spelled tones of one chord (a formula over a root), with the questions the shape sources
// ask of them: which tone a pitch class plays, which tones a shape must sound, which tones may
// lie in the bass, and which tones are the guide tones of its seventh-like sound.
class ChordTones {
public:
    using Tone = ChordFormula::Tone;

    // `tones` as ChordFormula::spell gives them: the root first.
    explicit ChordTones(std::vector<Tone> tones);

    const std::vector<Tone>& tones() const { return tones_; }
    const Tone& root() const { return tones_.front(); }
    // The tone of `pitchClass`, or nullptr when the chord has none there.
    const Tone* toneOf(unsigned pitchClass) const;
    // Bit p set for every pitch class p the chord must sound.
    unsigned requiredPitches() const { return required_; }
    // Semitones of `pitchClass` above the root, 0-11.
    unsigned above(unsigned pitchClass) const;

    // The third, or the fourth that stands in for it in a suspended chord; nullptr when neither.
    const Tone* third() const;
    // The seventh, or the sixth of a sixth chord; nullptr when the chord has neither.
    const Tone* seventh() const;
    // The tones that may lie in the bass of a conventional shape besides the root: the third
    // and the fifth (flat or sharp) of the chord. A suspended chord keeps its root there: over
    // its fifth it sounds as another chord (A sus 4 over E is E 7 sus 4).
    bool isThirdOrFifth(unsigned pitchClass) const;

private:
    const Tone* withDegree(unsigned degree) const;

    std::vector<Tone> tones_;
    unsigned required_ = 0;
};

} // namespace fretkit
