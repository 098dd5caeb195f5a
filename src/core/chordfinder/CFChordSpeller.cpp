#include "CFChordSpeller.h"

#include <array>

namespace fretkit {
namespace {

constexpr std::array<const char*, 12> kMajorRoots = {"C",  "Db", "D",  "Eb", "E",  "F",
                                                     "F#", "G",  "Ab", "A",  "Bb", "B"};
constexpr std::array<const char*, 12> kMinorRoots = {"C",  "C#", "D",  "Eb", "E",  "F",
                                                     "F#", "G",  "G#", "A",  "Bb", "B"};
constexpr std::array<const char*, 12> kSharpNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                     "F#", "G",  "G#", "A",  "A#", "B"};
constexpr std::array<const char*, 12> kFlatNames = {"C",  "Db", "D",  "Eb", "E",  "F",
                                                    "Gb", "G",  "Ab", "A",  "Bb", "B"};
constexpr std::array<int, 7> kNaturalPitch = {0, 2, 4, 5, 7, 9, 11}; // C D E F G A B
constexpr const char* kLetters = "CDEFGAB";
// Letters above the root for each interval: the minor second is a second, the tritone a
// raised fourth (C / F#), the minor sixth a sixth (C / Ab).
constexpr std::array<int, 12> kLetterSteps = {0, 1, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6};

constexpr std::uint32_t bit(int index) {
    return std::uint32_t{1} << index;
}

int pitchClass(int value) {
    return ((value % 12) + 12) % 12;
}

} // namespace

CFChordSpeller::Quality CFChordSpeller::qualityOf(std::uint32_t pitchClasses) {
    const bool minorThird = (pitchClasses & bit(3)) != 0;
    const bool majorThird = (pitchClasses & bit(4)) != 0;
    if (!minorThird || majorThird) {
        return Quality::Major;
    }
    const bool diminishedFifth = (pitchClasses & bit(6)) != 0;
    const bool perfectFifth = (pitchClasses & bit(7)) != 0;
    return diminishedFifth && !perfectFifth ? Quality::Diminished : Quality::Minor;
}

std::string CFChordSpeller::rootName(int pitchClass, Quality quality) {
    const std::size_t index = static_cast<std::size_t>(fretkit::pitchClass(pitchClass));
    switch (quality) {
    case Quality::Minor:
        return kMinorRoots[index];
    case Quality::Diminished:
        return kSharpNames[index];
    default:
        return kMajorRoots[index];
    }
}

std::string CFChordSpeller::noteAbove(const std::string& root, int semitones) {
    const std::string letters = kLetters;
    const std::size_t letter = root.empty() ? std::string::npos : letters.find(root[0]);
    if (letter == std::string::npos) {
        return kSharpNames[static_cast<std::size_t>(pitchClass(semitones))];
    }
    const char accidental = root.size() > 1 ? root[1] : ' ';
    const int rootPitch = kNaturalPitch[letter] + (accidental == '#') - (accidental == 'b');
    const int target = pitchClass(rootPitch + semitones);
    const std::size_t targetLetter =
        (letter +
         static_cast<std::size_t>(kLetterSteps[static_cast<std::size_t>(pitchClass(semitones))])) %
        letters.size();
    // The accidental the letter needs, as -6..5 semitones.
    const int shift = pitchClass(target - kNaturalPitch[targetLetter] + 6) - 6;
    const std::string spelled = std::string(1, letters[targetLetter]) + (shift == 1    ? "#"
                                                                         : shift == -1 ? "b"
                                                                                       : "");
    const bool awkward = shift < -1 || shift > 1 || spelled == "E#" || spelled == "B#" ||
                         spelled == "Cb" || spelled == "Fb";
    if (!awkward) {
        return spelled;
    }
    const auto& plain = accidental == 'b' ? kFlatNames : kSharpNames;
    return plain[static_cast<std::size_t>(target)];
}

} // namespace fretkit
