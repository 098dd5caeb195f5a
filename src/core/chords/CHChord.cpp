#include "CHChord.h"

#include "CHNoteTables.h"
#include "foundation/StringFormat.h"
#include "scales/SCNote.h"

namespace fretkit {
namespace {

// Where the chord's window may start: a neck has 24 fret wires.
constexpr std::int64_t kMaxBaseFret = 24;

bool inRange(std::int64_t value, std::int64_t low, std::int64_t high) {
    return value >= low && value <= high;
}

// A spelled-note index (letters A to G, each flat, natural and sharp) as a letter counted from C
// with its accidentals.
SCNote spelledNote(unsigned note) {
    constexpr unsigned kLetterAFromC = 5;
    return SCNote((note / 3 + kLetterAFromC) % 7, static_cast<std::int32_t>(note % 3) - 1);
}

} // namespace

CHChord::CHChord(unsigned root, unsigned variant, unsigned baseFret,
                 const std::array<String, kStrings>& strings)
    : root_(root), variant_(variant), baseFret_(baseFret), strings_(strings) {}

std::optional<CHChord> CHChord::fromColumns(const std::array<std::int64_t, kColumns>& columns,
                                            std::string* problem) {
    const auto reject = [&](const char* what, std::int64_t value) -> std::optional<CHChord> {
        if (problem) {
            *problem =
                stringWithFormat("%s %lld is out of range", what, static_cast<long long>(value));
        }
        return std::nullopt;
    };
    if (!inRange(columns[0], 0, CHNoteTables::kNoteCount - 1)) {
        return reject("root", columns[0]);
    }
    if (!inRange(columns[1], 0, CHNoteTables::kVariantCount - 1)) {
        return reject("variant", columns[1]);
    }
    if (!inRange(columns[2], 0, kMaxBaseFret)) {
        return reject("baseFret", columns[2]);
    }
    std::array<String, kStrings> strings{};
    for (unsigned s = 0; s < kStrings; ++s) {
        const std::int64_t finger = columns[3 + 4 * s];
        const std::int64_t fret = columns[4 + 4 * s];
        const std::int64_t optional = columns[5 + 4 * s];
        const std::int64_t note = columns[6 + 4 * s];
        if (!inRange(fret, 0, kOpenCode)) {
            return reject("fret code", fret);
        }
        const bool isFretted = fret < kMutedCode;
        // Fingers matter only on fretted strings and notes only on sounding ones.
        if (isFretted && !inRange(finger, 0, 4)) {
            return reject("finger", finger);
        }
        if (fret != kMutedCode && !inRange(note, 0, CHNoteTables::kNoteCount - 1)) {
            return reject("note", note);
        }
        strings[s] = {isFretted ? static_cast<unsigned>(finger) : 0, static_cast<unsigned>(fret),
                      optional != 0, fret != kMutedCode ? static_cast<unsigned>(note) : 0};
    }
    return CHChord(static_cast<unsigned>(columns[0]), static_cast<unsigned>(columns[1]),
                   static_cast<unsigned>(columns[2]), strings);
}

unsigned CHChord::fretForString(unsigned s) const {
    return fretted(s) ? baseFret_ + strings_[s].fret : kNotFound;
}

unsigned CHChord::fingerForString(unsigned s) const {
    return fretted(s) ? strings_[s].finger : kNotFound;
}

bool CHChord::mutedString(unsigned s) const {
    return s < kStrings && strings_[s].fret == kMutedCode;
}

bool CHChord::openString(unsigned s) const {
    return s < kStrings && strings_[s].fret == kOpenCode;
}

unsigned CHChord::fretForFinger(unsigned finger) const {
    unsigned fret = kNotFound;
    for (unsigned s = 0; finger <= 4 && s < kStrings; ++s) {
        if (fretted(s) && strings_[s].finger == finger) {
            fret = fretForString(s);
        }
    }
    return fret;
}

std::optional<std::vector<unsigned>> CHChord::stringsForFinger(unsigned finger) const {
    if (finger > 4) {
        return std::nullopt;
    }
    std::vector<unsigned> held;
    for (unsigned s = 0; s < kStrings; ++s) {
        if (fretted(s) && strings_[s].finger == finger) {
            held.push_back(s);
        }
    }
    return held;
}

unsigned CHChord::noteForString(unsigned s) const {
    return s < kStrings && !mutedString(s) ? strings_[s].note : kNotFound;
}

unsigned CHChord::semitonesAboveRoot(unsigned note) const {
    return (CHNoteTables::chromatic(note) + 12 - CHNoteTables::chromatic(root_)) % 12;
}

std::string CHChord::noteNameForString(unsigned s) const {
    const unsigned note = noteForString(s);
    if (note == kNotFound) {
        return "--";
    }
    // The chord file holds notes with one accidental at most, so a tone that needs two (the bb7
    // of C dim7, Bbb) is stored as the same pitch on another letter (A). Spelled from the root on
    // the degree its interval name gives, the note stands on the letter its label names.
    const unsigned d = semitonesAboveRoot(note);
    return spelledNote(root_).spelledAbove(d, CHNoteTables::intervalName(d, variant_)).name();
}

std::string CHChord::intervalNameForString(unsigned s) const {
    const unsigned note = noteForString(s);
    if (note == kNotFound) {
        return "--";
    }
    return CHNoteTables::intervalName(semitonesAboveRoot(note), variant_);
}

unsigned CHChord::stringIndexOfRoot() const {
    for (unsigned s = 0; s < kStrings; ++s) {
        if (!mutedString(s) && strings_[s].note == root_) {
            return s;
        }
    }
    return kNotFound;
}

std::string CHChord::description() const {
    return stringWithFormat("root = %u, variant = %u, baseFret = %u", root_, variant_, baseFret_);
}

} // namespace fretkit
