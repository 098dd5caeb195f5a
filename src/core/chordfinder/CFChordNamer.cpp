#include "CFChordNamer.h"

#include "CFChordSpeller.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <string_view>

namespace fretkit {
namespace {

constexpr std::uint32_t bit(int index) {
    return std::uint32_t{1} << index;
}

int pitchClass(int value) {
    return ((value % 12) + 12) % 12;
}

// The placeholder of the note `semitones` above the root: "%" and one upper-case hex digit.
std::string placeholder(int semitones) {
    static constexpr const char* kDigits = "0123456789AB";
    return std::string("%") + kDigits[semitones];
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// Where the note `d` semitones above the root goes in the bitmap, given the bits already set.
int foldedInterval(int d, std::uint32_t bits) {
    // A string pitched below the bass still sounds: it counts an octave (or more) higher.
    while (d < 0) {
        d += 12;
    }
    while (d > 23) {
        d -= 12;
    }
    if (d == 12 || d == 16 || d == 19 || d == 22 || d == 23) {
        return d - 12;
    }
    if (d > 12 && (bits & bit(d - 12)) != 0) {
        return d - 12;
    }
    const bool seventh = (bits & (bit(10) | bit(11))) != 0;
    const bool fifth = (bits & bit(7)) != 0;
    switch (d) {
    case 15:
        return (bits & bit(4)) != 0 ? 15 : 3;
    case 17:
        return seventh ? 17 : 5;
    case 18:
        return seventh && fifth ? 18 : 6;
    case 20:
        return seventh && fifth ? 20 : 8;
    case 21:
        return seventh ? 21 : 9;
    default:
        return d;
    }
}

// The pitch classes of a bitmap seen from `offset` semitones above its root.
std::uint32_t pitchClassesAbove(std::uint32_t bits, int offset) {
    const std::uint32_t classes = (bits | (bits >> 12)) & 0xFFF;
    return ((classes >> offset) | (classes << (12 - offset))) & 0xFFF;
}

int hexDigit(char c) {
    static constexpr std::string_view kDigits = "0123456789AB";
    const std::size_t at = kDigits.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// Fills the placeholders of a matched name. The chord's own root is the name's first
// placeholder ("%0", or the chord's root in a name that carries its own bass) and is spelled in
// the chord's key; every other note is spelled from it.
std::string filled(std::string text, std::uint32_t bits, int root) {
    const int offset = text.size() >= 2 && text[0] == '%' ? std::max(hexDigit(text[1]), 0) : 0;
    const std::string rootName = CFChordSpeller::rootName(
        root + offset, CFChordSpeller::qualityOf(pitchClassesAbove(bits, offset)));
    for (int i = 0; i < 12; ++i) {
        replaceAll(text, placeholder(i),
                   i == offset ? rootName
                               : CFChordSpeller::noteAbove(rootName, pitchClass(i - offset)));
    }
    return text;
}

} // namespace

CFChordNamer::CFChordNamer(const PlistValue& descriptions) {
    for (const PlistValue& description : descriptions.arrayItems()) {
        const PlistValue* bitmap = description.find("bitmap");
        if (bitmap && bitmap->isNumber()) {
            names_.insert_or_assign(static_cast<std::uint32_t>(bitmap->integerValue()),
                                    description["name"].stringValue());
        }
    }
}

std::uint32_t CFChordNamer::intervalBitmap(const std::array<std::optional<int>, kStrings>& pitches,
                                           int root) {
    std::uint32_t bits = 0;
    for (const std::optional<int>& pitch : pitches) {
        if (pitch) {
            bits |= bit(foldedInterval(*pitch - root, bits));
        }
    }
    return bits;
}

const std::string* CFChordNamer::lookup(std::uint32_t bitmap) const {
    const auto found = names_.find(bitmap);
    return found == names_.end() ? nullptr : &found->second;
}

CFChordNamer::Result CFChordNamer::nameChord(const std::array<unsigned, kStrings>& frets,
                                             const std::array<bool, kStrings>& mutes,
                                             const std::array<int, kStrings>& tuning,
                                             int detune) const {
    bool openNeck = true;
    std::array<std::optional<int>, kStrings> pitches{};
    std::optional<int> bass;
    for (unsigned s = 0; s < kStrings; ++s) {
        openNeck = openNeck && frets[s] == 0 && !mutes[s];
        if (!mutes[s]) {
            pitches[s] = tuning[kStrings - 1 - s] + detune + static_cast<int>(frets[s]);
            bass = bass ? bass : pitches[s];
        }
    }
    if (openNeck) {
        return {Kind::OpenNeck, {}};
    }
    if (!bass) {
        return {};
    }
    int root = *bass;
    std::uint32_t bits = intervalBitmap(pitches, root);
    if (std::popcount(bits) < 3) {
        return {};
    }
    // Rotate to the next sounding pitch class until a description matches; the old root comes
    // back an octave up relative to the new one.
    const std::string* name = lookup(bits);
    for (int shifted = 0; name == nullptr;) {
        int k = 0;
        do {
            bits >>= 1;
            ++k;
        } while ((bits & 1) == 0);
        root += k;
        shifted += k;
        if (shifted > 11) {
            return {};
        }
        bits |= bit(12 - k);
        name = lookup(bits);
    }
    std::string text = *name;
    if (pitchClass(root) != pitchClass(*bass) && text.find(" /") == std::string::npos) {
        int lifted = *bass;
        while (lifted < root) {
            lifted += 12;
        }
        text += " / " + placeholder(lifted - root);
    }
    return {Kind::Chord, filled(text, bits, root)};
}

} // namespace fretkit
