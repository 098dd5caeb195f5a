#include "SCNote.h"

#include <array>

namespace fretkit {
namespace {

constexpr std::array<std::int32_t, 7> kLetterChromaticValue = {0, 2, 4, 5, 7, 9, 11};

// The number in an interval label ("b13" is 13); the root's "R" is the first degree.
unsigned degreeNamedBy(std::string_view label) {
    unsigned degree = 0;
    for (const char c : label) {
        if (c >= '0' && c <= '9') {
            degree = degree * 10 + static_cast<unsigned>(c - '0');
        }
    }
    return degree == 0 ? 1 : degree;
}

} // namespace

std::int32_t SCNote::chromaticValue() const {
    std::int32_t value = kLetterChromaticValue[letter_ % 7] + accidentals_;
    if (value < 0) {
        value += 12;
    }
    return value;
}

SCNote SCNote::spelledAbove(unsigned semitones, std::string_view label) const {
    // Ninths, elevenths and thirteenths share the letters of seconds, fourths and sixths.
    const unsigned letter = (letter_ % 7 + (degreeNamedBy(label) - 1)) % 7;
    const std::int32_t span =
        (kLetterChromaticValue[letter] - kLetterChromaticValue[letter_ % 7] + 12) % 12;
    // The accidentals that make up the pitch, the nearer way round the octave: a label that does
    // not fit its interval still gives the right pitch rather than a run of sharps.
    std::int32_t correction = (static_cast<std::int32_t>(semitones % 12) - span + 12) % 12;
    if (correction > 6) {
        correction -= 12;
    }
    return SCNote(letter, accidentals_ + correction);
}

std::string SCNote::name() const {
    std::string text(1, kLetterNames[letter_ % 7]);
    const char mark = accidentals_ > 0 ? '#' : 'b';
    for (std::int32_t n = accidentals_ > 0 ? accidentals_ : -accidentals_; n > 0; --n) {
        text += mark;
    }
    return text;
}

} // namespace fretkit
