#include "CHNoteTables.h"

#include <algorithm>
#include <array>
#include <initializer_list>

namespace fretkit {
namespace {

constexpr char kSharp = '#';
constexpr char kFlat = 'b';

constexpr std::array<unsigned, CHNoteTables::kNoteCount> kChromatic = {
    8, 9, 10, 10, 11, 0, 11, 0, 1, 1, 2, 3, 3, 4, 5, 4, 5, 6, 6, 7, 8};

// Fills each "%c" of `format` with the next accidental character, in order.
std::string fill(std::string format, std::initializer_list<char> accidentals) {
    auto next = accidentals.begin();
    for (std::size_t at = format.find("%c"); at != std::string::npos && next != accidentals.end();
         at = format.find("%c", at + 1)) {
        format.replace(at, 2, 1, *next++);
    }
    return format;
}

bool contains(std::initializer_list<unsigned> list, unsigned value) {
    return std::find(list.begin(), list.end(), value) != list.end();
}

std::vector<std::string> makeNoteNames() {
    static constexpr std::array<const char*, 7> formats = {"A%c", "B%c", "C%c", "D%c",
                                                           "E%c", "F%c", "G%c"};
    std::vector<std::string> names;
    for (std::size_t letter = 0; letter < formats.size(); ++letter) {
        names.push_back(fill(formats[letter], {kFlat}));
        names.push_back(std::string(1, static_cast<char>('A' + letter)));
        names.push_back(fill(formats[letter], {kSharp}));
    }
    return names;
}

std::vector<std::optional<std::string>> makeVariantNames() {
    const auto one = [](const char* format, char a) { return fill(format, {a}); };
    const auto two = [](const char* format, char a, char b) { return fill(format, {a, b}); };
    return {"triad", "7", "9", "add 9", "sus 4", "6", "6/9", "7 add6", std::nullopt, "7 add6/9",
            std::nullopt, one("7 %c11", kSharp), one("9 %c11", kSharp), std::nullopt,
            one("6/9 %c11", kSharp), one("7 6/9 %c11", kSharp), one("7 6 %c11", kSharp),
            one("7 %c5", kSharp), two("7 %c5 %c11", kSharp, kSharp), std::nullopt,
            // minor
            "triad", "7", "9", "11", "13", "6", "6/9", one("7 %c5", kFlat), one("9 %c5", kFlat),
            one("11 %c5", kFlat), one("13 %c5", kFlat), one("7 %c6", kFlat), one("9 %c6", kFlat),
            one("11 %c6", kFlat), "/maj7", "9 maj7",
            // dominant
            "7", "9", "7 sus4", "9 sus4", "13 sus4", "13", one("%c5", kSharp), one("7 %c5", kSharp),
            one("9 %c5", kSharp), one("13 %c5", kSharp), one("7 %c5", kFlat), one("9 %c5", kFlat),
            one("13 %c5", kFlat), one("7 %c9", kSharp), one("13 %c9", kSharp), one("7 %c9", kFlat),
            one("13 %c9", kFlat), two("7 %c9 %c5", kSharp, kSharp),
            two("13 %c9 %c5", kSharp, kSharp), two("7 %c9 %c5", kFlat, kFlat),
            two("13 %c9 %c5", kFlat, kFlat), two("7 %c9 %c5", kSharp, kFlat),
            two("7 %c9 %c5", kFlat, kSharp), two("7 %c5 %c5", kSharp, kFlat),
            two("9 %c5 %c5", kSharp, kFlat), two("7 %c9 %c9", kSharp, kFlat), std::nullopt,
            one("13 sus%c9", kFlat),
            // diminished
            "7", "7 add9", "7 add11", one("7 add%c13", kFlat), "maj7"};
}

} // namespace

const std::vector<std::string>& CHNoteTables::noteNames() {
    static const std::vector<std::string> names = makeNoteNames();
    return names;
}

const std::vector<std::optional<std::string>>& CHNoteTables::variantNames() {
    static const std::vector<std::optional<std::string>> names = makeVariantNames();
    return names;
}

unsigned CHNoteTables::chromatic(unsigned note) {
    return note < kChromatic.size() ? kChromatic[note] : 0;
}

bool CHNoteTables::usesSix(unsigned variant) {
    return contains({5, 6, 7, 9, 14, 15, 16, 25, 26, 31, 32, 33}, variant);
}

bool CHNoteTables::usesFour(unsigned variant) {
    return contains({4, 38, 39, 40}, variant);
}

bool CHNoteTables::usesSharpFive(unsigned variant) {
    return contains({17, 18, 42, 43, 44, 45, 53, 54, 58, 59, 60}, variant);
}

bool CHNoteTables::usesSharpEleven(unsigned variant) {
    return contains({11, 12, 14, 15, 16, 18}, variant);
}

bool CHNoteTables::usesSharpNine(unsigned variant) {
    return contains({49, 50, 53, 54, 57, 61}, variant);
}

std::string CHNoteTables::intervalName(unsigned semitones, unsigned variant) {
    const auto accidental = [](const char* format, char a) { return fill(format, {a}); };
    switch (semitones % 12) {
    case 0:
        return "R";
    case 1:
        return accidental("%c9", kFlat);
    case 2:
        return "9";
    case 3:
        return usesSharpNine(variant) ? accidental("%c9", kSharp) : accidental("%c3", kFlat);
    case 4:
        return "3";
    case 5:
        return usesFour(variant) ? "4" : "11";
    case 6:
        return usesSharpEleven(variant) ? accidental("%c11", kSharp) : accidental("%c5", kFlat);
    case 7:
        return "5";
    case 8:
        if (usesSix(variant)) {
            return accidental("%c6", kFlat);
        }
        return usesSharpFive(variant) ? accidental("%c5", kSharp) : accidental("%c13", kFlat);
    case 9:
        if (usesSix(variant)) {
            return "6";
        }
        return isDiminished(variant) ? fill("%c%c7", {kFlat, kFlat}) : "13";
    case 10:
        return accidental("%c7", kFlat);
    default:
        return "7";
    }
}

} // namespace fretkit
