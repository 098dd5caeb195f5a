#pragma once

#include "foundation/PlistValue.h"

#include <cstdint>
#include <optional>
#include <string>

// What the tuner shows for one pitch estimate given as a fractional MIDI note number (69.0 is
// the reference A4, one unit per equal-tempered semitone): the nearest chromatic note with its
// octave and deviation in cents and, under an instrument tuning, the string the pitch belongs
// to with the deviation from that string's note. Immutable.
class TNNote {
public:
    // The note for `semitone` under `tuning` (a dictionary; without "notes" the note is named
    // chromatically), with every string note raised by `detune` semitones. Nothing when the
    // tuning has string notes and none lies within half a semitone of the pitch, and nothing for
    // a pitch that has no MIDI note (outside 0 ... 127 once rounded, or not a number).
    static std::optional<TNNote> make(double semitone, const fretkit::PlistValue& tuning,
                                      int detune);

    std::uint8_t midiNote() const { return midiNote_; }
    int octave() const { return octave_; } // MIDI 60 is octave 4
    float chromaticOffset() const { return chromaticOffset_; }
    bool usesTuning() const { return usesTuning_; }
    // The matched string, counted from 1 at the thinnest; empty without a tuning.
    const std::string& stringName() const { return stringName_; }
    float stringOffset() const { return stringOffset_; }

    // "C" ... "B", sharps only.
    const char* chromaticName() const;
    // The string's name under a tuning, else the chromatic name.
    std::string name() const;
    // Cents from the string's note under a tuning, else from the nearest chromatic note.
    float offset() const { return usesTuning_ ? stringOffset_ : chromaticOffset_; }

private:
    TNNote() = default;

    std::uint8_t midiNote_ = 0;
    int octave_ = 0;
    float chromaticOffset_ = 0.0f;
    bool usesTuning_ = false;
    std::string stringName_;
    float stringOffset_ = 0.0f;
};
