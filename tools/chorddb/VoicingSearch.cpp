#include "VoicingSearch.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace fretkit {
namespace {

constexpr int kMuted = FingerAssigner::kMuted;
constexpr unsigned kStrings = VoicingSearch::kStrings;
using Frets = std::array<int, kStrings>;

int pitchOf(unsigned s, int fret) {
    return VoicingSearch::kStandardTuning[s] + fret;
}

// The tone a string sounds, or nullptr when it sounds none of the chord's tones.
const ChordFormula::Tone* toneOf(const std::vector<ChordFormula::Tone>& tones, unsigned s,
                                 int fret) {
    const auto pitchClass = static_cast<unsigned>(pitchOf(s, fret) % 12);
    for (const ChordFormula::Tone& tone : tones) {
        if (tone.pitchClass == pitchClass) {
            return &tone;
        }
    }
    return nullptr;
}

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
    // Silent strings thin the chord; those below the root are the price of its position.
    score += 1.5 * extent.bass + 2.5 * (kStrings - extent.sounding - extent.bass);
    score += 3.0 * missingOptional;
    for (unsigned s = 0; s < kStrings; ++s) {
        if (frets[s] == 0) {
            score -= 1.0; // open strings ring and free the hand
        }
        // A note sounded twice at the same pitch adds a finger and nothing to hear.
        for (unsigned t = s + 1; t < kStrings && frets[s] != kMuted; ++t) {
            if (frets[t] != kMuted && pitchOf(s, frets[s]) == pitchOf(t, frets[t])) {
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

class Searcher {
public:
    explicit Searcher(const std::vector<ChordFormula::Tone>& tones) : tones_(tones) {
        for (const ChordFormula::Tone& tone : tones) {
            if (!tone.optional) {
                required_ |= 1u << tone.pitchClass;
            }
        }
    }

    std::vector<VoicingSearch::Shape> run() {
        for (int base = 1; base <= VoicingSearch::kHighestBaseFret; ++base) {
            Frets frets{};
            place(base, 0, frets, false);
        }
        return std::move(shapes_);
    }

private:
    // Tries every state of string `s` and the strings above it. Strings below the lowest
    // sounding one are muted, and the lowest sounding one plays the root.
    void place(int base, unsigned s, Frets& frets, bool sounding) {
        if (s == kStrings) {
            consider(base, frets);
            return;
        }
        frets[s] = kMuted;
        place(base, s + 1, frets, sounding);
        for (int fret = 0; fret < base + VoicingSearch::kWindow;
             fret = fret == 0 ? base : fret + 1) {
            const ChordFormula::Tone* tone = toneOf(tones_, s, fret);
            if (tone && (sounding || tone == &tones_.front())) {
                frets[s] = fret;
                place(base, s + 1, frets, true);
            }
        }
    }

    void consider(int base, const Frets& frets) {
        const Extent extent = extentOf(frets);
        // Each shape once: in the window that starts at its lowest fretted note.
        const int windowStart = extent.lowest == 0 ? 1 : extent.lowest;
        if (extent.sounding < 3 || windowStart != base) {
            return;
        }
        // Open strings belong to the open position.
        if (extent.open && extent.highest > VoicingSearch::kWindow - 1) {
            return;
        }
        unsigned present = 0;
        for (unsigned s = 0; s < kStrings; ++s) {
            if (frets[s] != kMuted) {
                present |= 1u << toneOf(tones_, s, frets[s])->pitchClass;
            }
        }
        if ((present & required_) != required_) {
            return;
        }
        const std::optional<unsigned> mutes = innerMutes(frets, extent);
        if (!mutes || *mutes > 1) {
            return;
        }
        const std::optional<FingerAssigner::Assignment> fingers = FingerAssigner::assign(frets);
        if (!fingers) {
            return;
        }
        unsigned missing = 0;
        for (const ChordFormula::Tone& tone : tones_) {
            missing += (present >> tone.pitchClass) & 1u ? 0u : 1u;
        }
        VoicingSearch::Shape shape;
        shape.baseFret = extent.open || extent.lowest == 0 ? 1 : extent.lowest;
        shape.frets = frets;
        shape.fingers = *fingers;
        for (unsigned s = 0; s < kStrings; ++s) {
            if (frets[s] != kMuted) {
                const ChordFormula::Tone* tone = toneOf(tones_, s, frets[s]);
                shape.notes[s] = tone->note;
                shape.optional[s] = tone->optional;
            }
        }
        shape.score = scoreOf(frets, extent, *mutes, *fingers, missing);
        shapes_.push_back(shape);
    }

    const std::vector<ChordFormula::Tone>& tones_;
    unsigned required_ = 0;
    std::vector<VoicingSearch::Shape> shapes_;
};

// On how many strings two shapes differ: shapes apart on one string only are one grip.
unsigned differingStrings(const VoicingSearch::Shape& a, const VoicingSearch::Shape& b) {
    unsigned count = 0;
    for (unsigned s = 0; s < kStrings; ++s) {
        count += a.frets[s] != b.frets[s] ? 1u : 0u;
    }
    return count;
}

constexpr int kOpenRegion = -100;

// Where a shape lies on the neck: open-position shapes form a place of their own.
int regionOf(const VoicingSearch::Shape& shape) {
    for (int fret : shape.frets) {
        if (fret == 0) {
            return kOpenRegion;
        }
    }
    return shape.baseFret;
}

// The best shapes, at most two near any one place on the neck, no two apart on one string only;
// shapes much harder than the best are left out once three are kept.
std::vector<VoicingSearch::Shape> choose(std::vector<VoicingSearch::Shape> candidates) {
    constexpr double kMargin = 12.0;
    constexpr unsigned kEnough = 3;
    constexpr unsigned kPerRegion = 2;
    constexpr int kRegion = 2;
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const auto& a, const auto& b) { return a.score < b.score; });
    std::vector<VoicingSearch::Shape> kept;
    for (const VoicingSearch::Shape& shape : candidates) {
        if (kept.size() == VoicingSearch::kMostShapes ||
            (kept.size() >= kEnough && shape.score > kept.front().score + kMargin)) {
            break;
        }
        unsigned near = 0;
        bool twin = false;
        for (const VoicingSearch::Shape& other : kept) {
            near += std::abs(regionOf(other) - regionOf(shape)) <= kRegion ? 1u : 0u;
            twin = twin || differingStrings(shape, other) <= 1;
        }
        // The open position, where most players look first, may hold one shape more.
        if (!twin && near < kPerRegion + (regionOf(shape) == kOpenRegion ? 1u : 0u)) {
            kept.push_back(shape);
        }
    }
    return kept;
}

} // namespace

VoicingSearch::Result VoicingSearch::search(const std::vector<ChordFormula::Tone>& tones) {
    Result result;
    if (tones.empty()) {
        return result;
    }
    std::vector<Shape> candidates = Searcher(tones).run();
    result.candidates = static_cast<unsigned>(candidates.size());
    result.shapes = choose(std::move(candidates));
    return result;
}

} // namespace fretkit
