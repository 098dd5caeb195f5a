#include "SCNote.h"

#include <array>

namespace fretkit {
namespace {

constexpr std::array<std::int32_t, 7> kLetterChromaticValue = {0, 2, 4, 5, 7, 9, 11};

} // namespace

std::int32_t SCNote::chromaticValue() const {
    std::int32_t value = kLetterChromaticValue[letter_ % 7] + accidentals_;
    if (value < 0) {
        value += 12;
    }
    return value;
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
