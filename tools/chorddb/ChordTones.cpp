#include "ChordTones.h"

namespace fretkit {

ChordTones::ChordTones(std::vector<Tone> tones) : tones_(std::move(tones)) {
    for (const Tone& tone : tones_) {
        if (!tone.optional) {
            required_ |= 1u << tone.pitchClass;
        }
    }
}

const ChordTones::Tone* ChordTones::toneOf(unsigned pitchClass) const {
    for (const Tone& tone : tones_) {
        if (tone.pitchClass == pitchClass) {
            return &tone;
        }
    }
    return nullptr;
}

unsigned ChordTones::above(unsigned pitchClass) const {
    return (pitchClass + 12 - root().pitchClass) % 12;
}

const ChordTones::Tone* ChordTones::withDegree(unsigned degree) const {
    for (const Tone& tone : tones_) {
        if (tone.degree == degree) {
            return &tone;
        }
    }
    return nullptr;
}

const ChordTones::Tone* ChordTones::third() const {
    const Tone* third = withDegree(3);
    return third ? third : withDegree(4);
}

const ChordTones::Tone* ChordTones::seventh() const {
    const Tone* seventh = withDegree(7);
    return seventh ? seventh : withDegree(6);
}

bool ChordTones::isThirdOrFifth(unsigned pitchClass) const {
    const Tone* tone = toneOf(pitchClass);
    return tone && withDegree(3) && (tone->degree == 3 || tone->degree == 5);
}

} // namespace fretkit
