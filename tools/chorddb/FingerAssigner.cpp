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

using Frets = std::array<int, FingerAssigner::kStrings>;

bool barreable(const Frets& frets, unsigned low, unsigned high) {
    for (unsigned s = low; s <= high; ++s) {
        if (frets[s] < frets[low]) { // open (0), muted (-1) or fretted lower
            return false;
        }
    }
    return true;
}

// The ways to hold the strings fretted at one fret (rising): each by a finger of its own, or a
// run of two or more of them under one barre and the others by fingers of their own.
std::vector<std::vector<Unit>> waysToHold(const Frets& frets, int fret,
                                          const std::vector<unsigned>& strings) {
    std::vector<std::vector<Unit>> ways;
    for (std::size_t first = 0; first < strings.size(); ++first) {
        for (std::size_t last = first; last < strings.size(); ++last) {
            const bool singles = first == 0 && last == 0;
            if (!singles && (last == first || !barreable(frets, strings[first], strings[last]))) {
                continue;
            }
            std::vector<Unit> way;
            for (std::size_t i = 0; i < strings.size(); ++i) {
                if (singles || i < first || i > last) {
                    way.push_back({fret, strings[i], strings[i]});
                } else if (i == first) {
                    way.push_back({fret, strings[first], strings[last]});
                }
            }
            ways.push_back(way);
        }
    }
    return ways;
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

// Every choice of ways to hold each fret, from `fret` on, added to `units`; `visit` sees each
// complete choice.
template <typename Visit>
void eachHolding(const std::vector<std::vector<std::vector<Unit>>>& perFret, std::size_t fret,
                 std::vector<Unit>& units, const Visit& visit) {
    if (fret == perFret.size()) {
        visit(units);
        return;
    }
    for (const std::vector<Unit>& way : perFret[fret]) {
        units.insert(units.end(), way.begin(), way.end());
        if (units.size() <= kFingers) {
            eachHolding(perFret, fret + 1, units, visit);
        }
        units.resize(units.size() - way.size());
    }
}

// What a barre adds to the effort. The index laid flat out to the edge of the neck is the
// usual barre, lighter than fingers of their own; other fingers barre harder. A barre that must
// stop short of a higher string that rings open or is fretted lower (the A chord's three notes
// under an open E string) is harder still, and so, among open strings, is one lying under a
// finger fretting higher (the D chord's G and E strings): teachers finger those notes one by one.
double barreCost(const Frets& frets, const Unit& barre, unsigned finger) {
    bool stopped = false;
    for (unsigned s = barre.high + 1; s < FingerAssigner::kStrings; ++s) {
        stopped = stopped || (frets[s] != FingerAssigner::kMuted && frets[s] < barre.fret);
    }
    const bool openPosition = std::find(frets.begin(), frets.end(), 0) != frets.end();
    for (unsigned s = barre.low; s <= barre.high && openPosition; ++s) {
        stopped = stopped || frets[s] > barre.fret;
    }
    return (finger == 1 ? 0.5 : 3.0) + (stopped ? 4.0 : 0.0);
}

FingerAssigner::Assignment assignmentOf(const Frets& frets, const std::vector<Unit>& units,
                                        bool thumb) {
    FingerAssigner::Assignment assignment;
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
            assignment.cost += barreCost(frets, units[u], numbers[u]);
        }
    }
    if (thumb) {
        assignment.cost += 6;
    }
    assignment.cost += static_cast<double>(assignment.fingers);
    return assignment;
}

} // namespace

std::optional<FingerAssigner::Assignment> FingerAssigner::assign(const Frets& frets,
                                                                 bool thumbAllowed) {
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
    for (const bool thumb : {false, true}) {
        if (thumb &&
            (!thumbAllowed || frets[0] <= 0 || frets[0] > fretValues.front() + kThumbReach)) {
            continue;
        }
        std::vector<std::vector<std::vector<Unit>>> perFret;
        for (int fret : fretValues) {
            std::vector<unsigned> strings;
            for (unsigned s = thumb ? 1 : 0; s < kStrings; ++s) {
                if (frets[s] == fret) {
                    strings.push_back(s);
                }
            }
            if (!strings.empty()) {
                perFret.push_back(waysToHold(frets, fret, strings));
            }
        }
        std::vector<Unit> units;
        eachHolding(perFret, 0, units, [&](const std::vector<Unit>& held) {
            Assignment assignment = assignmentOf(frets, held, thumb);
            if (thumb) {
                assignment.finger[0] = kThumb;
            }
            if (!best || assignment.cost < best->cost) {
                best = assignment;
            }
        });
    }
    return best;
}

} // namespace fretkit
