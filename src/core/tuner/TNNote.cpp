#include "TNNote.h"

#include <cmath>

namespace {

constexpr const char* kNoteNames[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                        "F#", "G",  "G#", "A",  "A#", "B"};

} // namespace

std::optional<TNNote> TNNote::make(double semitone, const fretkit::PlistValue& tuning, int detune) {
    const double rounded = std::round(semitone);
    if (!(rounded >= 0.0 && rounded <= 127.0)) {
        return std::nullopt;
    }
    TNNote note;
    note.midiNote_ = static_cast<std::uint8_t>(rounded);
    note.octave_ = note.midiNote_ / 12 - 1;
    note.chromaticOffset_ = static_cast<float>((semitone - note.midiNote_) * 100.0);
    const fretkit::PlistValue* notes = tuning.find("notes");
    if (notes == nullptr) {
        return note;
    }
    note.usesTuning_ = true;
    for (std::size_t i = 0; i < notes->count(); ++i) {
        const double stringNote = static_cast<double>((*notes)[i].intValue()) + detune;
        if (std::fabs(semitone - stringNote) <= 0.5) {
            note.stringName_ = std::to_string(i + 1);
            note.stringOffset_ = static_cast<float>((semitone - stringNote) * 100.0);
            return note;
        }
    }
    return std::nullopt;
}

const char* TNNote::chromaticName() const {
    return kNoteNames[midiNote_ % 12];
}

std::string TNNote::name() const {
    return usesTuning_ ? stringName_ : std::string(chromaticName());
}
