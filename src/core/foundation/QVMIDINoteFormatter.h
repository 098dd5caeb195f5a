#pragma once

#include <cstdint>
#include <string>

namespace fretkit {

// Names MIDI note numbers: "C3" for 60, "G8" for 127, "C-2" for 0; without the octave just the
// pitch class ("Eb"). Numbers outside 0...127 have no name and read "<none>".
class QVMIDINoteFormatter {
public:
    static constexpr const char* kNone = "<none>";

    bool showOctave() const { return showOctave_; }
    void setShowOctave(bool show) { showOctave_ = show; }

    std::string stringForObjectValue(std::int64_t note) const;

    // The twelve pitch-class names, C first.
    static const char* pitchClassName(unsigned pitchClass);

private:
    bool showOctave_ = true;
};

} // namespace fretkit
