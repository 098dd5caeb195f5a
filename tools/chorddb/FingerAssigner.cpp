#include "FingerAssigner.h"

#include <algorithm>
#include <vector>

namespace fretkit {
namespace {

constexpr unsigned kFingers = 4;
// How far from the index finger's fret the hooked thumb still reaches.
constexpr int kThumbReach = 1;

// What one finger holds: one fret, the strings from `low` to `high` (a barre when they differ).
struct Unit {
    int fret = 0;
    unsigned low = 0;
    unsigned high = 0;
};

bool barreable(const std::array<int, FingerAssigner::kStrings>& frets, unsigned low,
               unsigned high) {
    for (unsigned s = low; s <= high; ++s) {
        if (frets[s] < frets[low]) { // open (0), muted (-1) or fretted lower
            return false;
        }
    }
    return true;
}

// The units of a choice of barres (bit i of `barreMask` barres the i-th fretted fret) with the
// thumb on string 0 when `thumb`; empty when a chosen barre is not possible.
std::vector<Unit> unitsOf(const std::array<int, FingerAssigner::kStrings>& frets,
                          const std::vector<int>& fretValues, unsigned barreMask, bool thumb) {
    std::vector<Unit> units;
    for (std::size_t i = 0; i < fretValues.size(); ++i) {
        std::vector<unsigned> strings;
        for (unsigned s = thumb ? 1 : 0; s < FingerAssigner::kStrings; ++s) {
            if (frets[s] == fretValues[i]) {
                strings.push_back(s);
            }
        }
        if (strings.empty()) {
            continue;
        }
        const bool barre = (barreMask >> i) & 1u;
        if (barre) {
            if (strings.size() < 2 || !barreable(frets, strings.front(), strings.back())) {
                return {};
            }
            units.push_back({fretValues[i], strings.front(), strings.back()});
        } else {
            for (unsigned s : strings) {
                units.push_back({fretValues[i], s, s});
            }
        }
    }
    return units;
}

// Finger numbers for units in order: rising, spread over the frets they lie on when fewer than
// four fingers are needed (a note two frets above the index takes the ring finger).
std::vector<unsigned> number(const std::vector<Unit>& units) {
    std::vector<unsigned> numbers;
    const int lowest = units.empty() ? 0 : units.front().fret;
    const auto count = static_cast<unsigned>(units.size());
    for (unsigned i = 0; i < count; ++i) {
        const unsigned byFret = 1 + static_cast<unsigned>(units[i].fret - lowest);
        const unsigned latest = kFingers - (count - 1 - i);
        const unsigned next = i == 0 ? 1 : numbers.back() + 1;
        numbers.push_back(std::max(next, std::min(byFret, latest)));
    }
    return numbers;
}

} // namespace

std::optional<FingerAssigner::Assignment>
FingerAssigner::assign(const std::array<int, kStrings>& frets) {
    std::vector<int> fretValues;
    for (int fret : frets) {
        if (fret > 0) {
            fretValues.push_back(fret);
        }
    }
    std::sort(fretValues.begin(), fretValues.end());
    fretValues.erase(std::unique(fretValues.begin(), fretValues.end()), fretValues.end());
    if (fretValues.empty()) {
        return Assignment{};
    }

    std::optional<Assignment> best;
    for (int thumbChoice = 0; thumbChoice < 2; ++thumbChoice) {
        const bool thumb = thumbChoice == 1;
        if (thumb && (frets[0] <= 0 || frets[0] > fretValues.front() + kThumbReach)) {
            continue;
        }
        for (unsigned mask = 0; mask < (1u << fretValues.size()); ++mask) {
            const std::vector<Unit> units = unitsOf(frets, fretValues, mask, thumb);
            if (units.empty() || units.size() > kFingers) {
                continue;
            }
            Assignment assignment;
            assignment.thumb = thumb;
            assignment.fingers = static_cast<unsigned>(units.size()) + (thumb ? 1 : 0);
            const std::vector<unsigned> numbers = number(units);
            for (std::size_t u = 0; u < units.size(); ++u) {
                for (unsigned s = units[u].low; s <= units[u].high; ++s) {
                    if (frets[s] == units[u].fret) {
                        assignment.finger[s] = numbers[u];
                    }
                }
                if (units[u].high > units[u].low) {
                    ++assignment.barres;
                    // A barre by the index finger is the usual one; others are harder.
                    assignment.cost += numbers[u] == 1 ? 1u : 3u;
                }
            }
            if (thumb) {
                assignment.finger[0] = kThumb;
                assignment.cost += 6;
            }
            assignment.cost += assignment.fingers;
            if (!best || assignment.cost < best->cost) {
                best = assignment;
            }
        }
    }
    return best;
}

} // namespace fretkit
