#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fretkit {

// A spelled note: a letter (C = 0, D, E, F, G, A, B = 6) and its sharps (+) or flats (-).
class SCNote {
public:
    static constexpr const char* kLetterNames = "CDEFGAB";

    SCNote() = default;
    SCNote(unsigned letter, std::int32_t accidentals)
        : letter_(letter), accidentals_(accidentals) {}

    unsigned letter() const { return letter_; }
    void setLetter(unsigned letter) { letter_ = letter; }
    std::int32_t accidentals() const { return accidentals_; }
    void setAccidentals(std::int32_t accidentals) { accidentals_ = accidentals; }

    // The natural letter's semitone plus the accidentals, lifted by one octave when negative and
    // not reduced otherwise: B# is 12, Cb 11, Cbb 10.
    std::int32_t chromaticValue() const;
    // "F#", "Bb", "Ebb", "C".
    std::string name() const;
    // The note `semitones` above this one, written on the letter of the degree `label` names
    // ("R", "b5", "#4", "bb7", "b9", "#11"; a fifth is four letters up) with the accidentals the
    // exact pitch needs. Over C, 6 semitones labelled "b5" are Gb and labelled "#4" are F#, so a
    // label and the note named beside it always agree.
    SCNote spelledAbove(unsigned semitones, std::string_view label) const;
    bool isEqualToNote(const SCNote& other) const {
        return letter_ == other.letter_ && accidentals_ == other.accidentals_;
    }

private:
    unsigned letter_ = 0;
    std::int32_t accidentals_ = 0;
};

} // namespace fretkit
