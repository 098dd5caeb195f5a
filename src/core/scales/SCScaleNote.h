#pragma once

#include "SCNote.h"
#include "foundation/PlistValue.h"

#include <memory>
#include <string>

namespace fretkit {

// A note of a scale placed on the neck: its interval above the scale's root, the string
// (0 = lowest) and fret it is played at, the finger that plays it (0 for an open string, 1-4 the
// index to the little finger) and its MIDI note. The alteration flags of the scale type, shared
// by all notes of one scale, choose how the interval is labelled, and the label's degree the
// letter the note is spelled on.
class SCScaleNote : public SCNote {
public:
    using Alterations = std::shared_ptr<const PlistValue>;

    SCScaleNote() = default;

    // The note `interval` semitones (0-11) above `root` in a scale type with these alteration
    // flags: interval and flags are set, and the note is spelled on the degree its label names
    // (over C, interval 6 is Gb labelled "b5", or F# with "useSharp4" and its label "#4").
    // Without flags every interval takes its plain label ("b2", "2", "b3" ... "b7", "7").
    static SCScaleNote scaleNoteForRoot(const SCNote& root, unsigned interval,
                                        Alterations alterations = nullptr);

    bool isRoot() const { return interval_ == 0; }
    // "R", "b2", "2", "b3", "3", "4", "b5", "5", "b6", "6", "b7", "7", or the altered labels the
    // flags ask for ("#2", "bb3", "b4", "#3", "#4", "bb6", "#5", "bb7", "#6").
    std::string intervalName() const;

    unsigned interval() const { return interval_; }
    void setInterval(unsigned interval) { interval_ = interval; }
    const Alterations& alterations() const { return alterations_; }
    void setAlterations(Alterations alterations) { alterations_ = std::move(alterations); }
    unsigned string() const { return string_; }
    void setString(unsigned string) { string_ = string; }
    unsigned fret() const { return fret_; }
    void setFret(unsigned fret) { fret_ = fret; }
    unsigned finger() const { return finger_; }
    void setFinger(unsigned finger) { finger_ = finger; }
    unsigned MIDINote() const { return midiNote_; }
    void setMIDINote(unsigned note) { midiNote_ = note; }

private:
    bool flag(const char* key) const;

    unsigned interval_ = 0;
    Alterations alterations_;
    unsigned string_ = 0;
    unsigned fret_ = 0;
    unsigned finger_ = 0;
    unsigned midiNote_ = 0;
};

} // namespace fretkit
