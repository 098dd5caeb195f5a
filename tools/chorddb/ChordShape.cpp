#include "ChordShape.h"

#include <algorithm>
#include <bit>

namespace fretkit {
namespace {

constexpr unsigned kStrings = ChordShape::kStrings;
constexpr int kMuted = ChordShape::kMuted;
using Frets = ChordShape::Frets;

struct Extent {
    int lowest = 0;  // lowest fretted fret, 0 when none
    int highest = 0; // highest fretted fret
    bool open = false;
    unsigned sounding = 0;
    unsigned bass = kStrings;   // lowest sounding string
    unsigned treble = kStrings; // highest sounding string
};

Extent extentOf(const Frets& frets) {
    Extent extent;
    for (unsigned s = 0; s < kStrings; ++s) {
        if (frets[s] == kMuted) {
            continue;
        }
        ++extent.sounding;
        extent.bass = std::min(extent.bass, s);
        extent.treble = s;
        if (frets[s] == 0) {
            extent.open = true;
        } else {
            extent.lowest = extent.lowest == 0 ? frets[s] : std::min(extent.lowest, frets[s]);
            extent.highest = std::max(extent.highest, frets[s]);
        }
    }
    return extent;
}

bool withinNeck(const Frets& frets, const Extent& extent) {
    for (int fret : frets) {
        if (fret < kMuted || fret > ChordShape::kHighestFret) {
            return false;
        }
    }
    if (extent.highest - (extent.lowest == 0 ? extent.highest : extent.lowest) >=
        ChordShape::kWindow) {
        return false;
    }
    // Open strings belong to the open position.
    return !extent.open || extent.highest < ChordShape::kWindow;
}

// Muted strings inside the sounding range. A guitarist damps one with the finger on the string
// below it, so each must lie just above a fretted string; nullopt when one cannot be damped.
std::optional<unsigned> innerMutes(const Frets& frets, const Extent& extent) {
    unsigned count = 0;
    for (unsigned s = extent.bass + 1; s < extent.treble; ++s) {
        if (frets[s] == kMuted) {
            if (frets[s - 1] <= 0) {
                return std::nullopt;
            }
            ++count;
        }
    }
    return count;
}

// How hard and how thin the shape is; lower is better.
double scoreOf(const Frets& frets, const Extent& extent, unsigned mutes,
               const FingerAssigner::Assignment& fingers, unsigned missingOptional) {
    const int span = extent.highest - extent.lowest;
    double score = 2.0 * span + (span >= 3 ? 3.0 : 0) + (span >= 4 ? 6.0 : 0);
    score += fingers.cost;
    score += 6.0 * mutes;
    // Silent strings thin the chord; those below the bass are the price of its position.
    score += 1.5 * extent.bass + 2.5 * (kStrings - extent.sounding - extent.bass);
    score += 3.0 * missingOptional;
    for (unsigned s = 0; s < kStrings; ++s) {
        if (frets[s] == 0) {
            score -= 1.0; // open strings ring and free the hand
        }
        // A note sounded twice at the same pitch adds a finger and nothing to hear.
        for (unsigned t = s + 1; t < kStrings && frets[s] != kMuted; ++t) {
            if (frets[t] != kMuted &&
                ChordShape::pitch(s, frets[s]) == ChordShape::pitch(t, frets[t])) {
                score += 4.0;
            }
        }
    }
    // Wide stretches are harder near the nut, where the frets are widest.
    if (span >= 3 && extent.lowest < 5) {
        score += 2.0;
    }
    return score;
}

// The frets of a voicing: `strings[0]` plays `pitchClasses[0]` at `bassFret`, and each next
// string the next pitch class, the nearest above the voice below it, fretted (not open); the
// other strings are muted. nullopt when a voice misses its place or falls off the neck.
std::optional<Frets> stacked(const std::vector<unsigned>& strings,
                             const std::vector<unsigned>& pitchClasses, int bassFret) {
    Frets frets;
    frets.fill(kMuted);
    int below = ChordShape::pitch(strings.front(), bassFret);
    if (static_cast<unsigned>(below % 12) != pitchClasses.front()) {
        return std::nullopt;
    }
    frets[strings.front()] = bassFret;
    for (std::size_t voice = 1; voice < strings.size() && voice < pitchClasses.size(); ++voice) {
        int next = below + 1;
        while (static_cast<unsigned>(next % 12) != pitchClasses[voice]) {
            ++next;
        }
        const int fret = next - ChordShape::kStandardTuning[strings[voice]];
        if (fret < 1 || fret > ChordShape::kHighestFret) {
            return std::nullopt;
        }
        frets[strings[voice]] = fret;
        below = next;
    }
    return frets;
}

// Spells every sounding string of `frets` into `shape`: the pitch classes sounded as a bit set,
// or nullopt when a string sounds a tone outside the chord.
std::optional<unsigned> spell(const Frets& frets, const ChordTones& chord, ChordShape& shape) {
    unsigned present = 0;
    for (unsigned s = 0; s < kStrings; ++s) {
        if (frets[s] == kMuted) {
            continue;
        }
        const auto pitchClass = static_cast<unsigned>(ChordShape::pitch(s, frets[s]) % 12);
        const ChordTones::Tone* tone = chord.toneOf(pitchClass);
        if (!tone) {
            return std::nullopt;
        }
        present |= 1u << tone->pitchClass;
        shape.notes[s] = tone->note;
        shape.optional[s] = tone->optional;
    }
    return present;
}

} // namespace

std::optional<ChordShape> ChordShape::make(const Frets& frets, const ChordTones& chord, Bass bass,
                                           Origin origin) {
    const Extent extent = extentOf(frets);
    if (extent.sounding < 3 || !withinNeck(frets, extent)) {
        return std::nullopt;
    }
    ChordShape shape;
    const std::optional<unsigned> sounded = spell(frets, chord, shape);
    if (!sounded) {
        return std::nullopt;
    }
    const unsigned present = *sounded;
    const unsigned bassPitch = static_cast<unsigned>(pitch(extent.bass, frets[extent.bass]) % 12);
    const bool bassAllowed = bassPitch == chord.root().pitchClass ||
                             (bass == Bass::RootThirdOrFifth && chord.isThirdOrFifth(bassPitch));
    // Three tones at least make a chord: a root and third alone name nothing.
    if ((present & chord.requiredPitches()) != chord.requiredPitches() || !bassAllowed ||
        std::popcount(present) < 3) {
        return std::nullopt;
    }
    const std::optional<unsigned> mutes = innerMutes(frets, extent);
    if (!mutes || *mutes > 1) {
        return std::nullopt;
    }
    const std::optional<FingerAssigner::Assignment> fingers =
        FingerAssigner::assign(frets, origin.kind == Kind::LowerBass);
    if (!fingers) {
        return std::nullopt;
    }
    unsigned missing = 0;
    for (const ChordTones::Tone& tone : chord.tones()) {
        missing += (present >> tone.pitchClass) & 1u ? 0u : 1u;
    }
    shape.baseFret = extent.open || extent.lowest == 0 ? 1 : extent.lowest;
    shape.frets = frets;
    shape.fingers = *fingers;
    shape.score = scoreOf(frets, extent, *mutes, *fingers, missing);
    shape.rootInBass = bassPitch == chord.root().pitchClass;
    shape.origin = origin;
    return shape;
}

std::vector<ChordShape> ChordShape::alongNeck(const std::vector<unsigned>& strings,
                                              const std::vector<unsigned>& pitchClasses,
                                              const ChordTones& chord, Origin origin) {
    std::vector<ChordShape> shapes;
    for (int bassFret = 1; bassFret <= kHighestFret; ++bassFret) {
        const std::optional<Frets> frets = stacked(strings, pitchClasses, bassFret);
        const std::optional<ChordShape> shape =
            frets ? make(*frets, chord, Bass::Root, origin) : std::nullopt;
        if (shape && shape->span() <= kMovedSpan) {
            shapes.push_back(*shape);
        }
    }
    return shapes;
}

unsigned ChordShape::bassString() const {
    unsigned s = 0;
    while (s + 1 < kStrings && frets[s] == kMuted) {
        ++s;
    }
    return s;
}

int ChordShape::span() const {
    const Extent extent = extentOf(frets);
    return extent.highest - extent.lowest;
}

bool ChordShape::hasOpenString() const {
    return std::find(frets.begin(), frets.end(), 0) != frets.end();
}

} // namespace fretkit
