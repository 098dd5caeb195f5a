#include "QVMIDINoteFormatter.h"

#include <array>

namespace fretkit {
namespace {

constexpr std::array<const char*, 12> kNames = {"C",  "C#", "D",  "Eb", "E",  "F",
                                                "F#", "G",  "Ab", "A",  "Bb", "B"};

} // namespace

const char* QVMIDINoteFormatter::pitchClassName(unsigned pitchClass) {
    return kNames[pitchClass % 12];
}

std::string QVMIDINoteFormatter::stringForObjectValue(std::int64_t note) const {
    // Compared unsigned, so negative numbers are beyond 127 too.
    if (static_cast<std::uint64_t>(note) > 127) {
        return kNone;
    }
    std::string name = kNames[static_cast<std::size_t>(note % 12)];
    if (showOctave_) {
        name += std::to_string(note / 12 - 2);
    }
    return name;
}

} // namespace fretkit
