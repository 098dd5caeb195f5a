#include "ShapeChooser.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <tuple>

namespace fretkit {
namespace {

using Family = ChordShape::Family;
using Kind = ChordShape::Kind;

// How many frets further from the nut a form counts when the lead is chosen: the C and G forms
// need the whole hand, so a beginner looks for an A or E form a few frets higher first.
double leadPenalty(const ChordShape& shape) {
    if (shape.origin.openChord) {
        return 0;
    }
    switch (shape.origin.family) {
    case Family::D:
        return 1;
    case Family::C:
        return 3.5;
    case Family::G:
        return 4.5;
    default:
        return 0;
    }
}

struct Ranked {
    ChordShape shape;
    unsigned instance = 0; // 0 for the lowest shape of its kind and family, 1 the next...
};

auto rankOf(const Ranked& ranked) {
    const ChordShape::Origin& origin = ranked.shape.origin;
    const bool found = origin.kind == Kind::Found;
    return std::make_tuple(origin.kind, found ? 0u : ranked.instance, origin.family,
                           ranked.shape.score);
}

// Best first, one entry per set of frets (the best source keeps it), each numbered within its
// kind and family by the fret it starts at.
std::vector<Ranked> ranked(std::vector<ChordShape> candidates) {
    std::stable_sort(candidates.begin(), candidates.end(), [](const auto& a, const auto& b) {
        return std::tie(a.origin.kind, a.origin.family, a.baseFret, a.score) <
               std::tie(b.origin.kind, b.origin.family, b.baseFret, b.score);
    });
    std::vector<Ranked> unique;
    std::set<ChordShape::Frets> seen;
    std::map<std::pair<Kind, Family>, unsigned> count;
    for (const ChordShape& shape : candidates) {
        if (seen.insert(shape.frets).second) {
            unique.push_back({shape, count[{shape.origin.kind, shape.origin.family}]++});
        }
    }
    std::stable_sort(unique.begin(), unique.end(),
                     [](const auto& a, const auto& b) { return rankOf(a) < rankOf(b); });
    return unique;
}

const Ranked* leadOf(const std::vector<Ranked>& candidates) {
    const Ranked* lead = nullptr;
    // The search's finds have no form: the easiest of them leads when nothing else is there.
    const auto key = [](const Ranked& r) {
        const ChordShape& shape = r.shape;
        return std::make_tuple(
            shape.origin.kind, !shape.rootInBass,
            shape.origin.kind == Kind::Found ? shape.score : shape.baseFret + leadPenalty(shape),
            !shape.origin.openChord, shape.origin.family);
    };
    for (const Ranked& candidate : candidates) {
        if (!lead || key(candidate) < key(*lead)) {
            lead = &candidate;
        }
    }
    return lead;
}

// On how many strings two shapes differ: finds apart on one string only are one grip.
unsigned differingStrings(const ChordShape& a, const ChordShape& b) {
    unsigned count = 0;
    for (unsigned s = 0; s < ChordShape::kStrings; ++s) {
        count += a.frets[s] != b.frets[s] ? 1u : 0u;
    }
    return count;
}

constexpr int kOpenRegion = -100;

// Where a shape lies on the neck: open-position shapes form a place of their own.
int regionOf(const ChordShape& shape) {
    return shape.hasOpenString() ? kOpenRegion : shape.baseFret;
}

// Whether `thin` is `full` with some of its strings silenced.
bool thinnerCopy(const ChordShape& thin, const ChordShape& full) {
    for (unsigned s = 0; s < ChordShape::kStrings; ++s) {
        if (thin.frets[s] != full.frets[s] && thin.frets[s] != ChordShape::kMuted) {
            return false;
        }
    }
    return true;
}

// Whether the search's find `shape` adds a grip of its own to the shapes already chosen and
// the finds among them.
bool findWorthKeeping(const ChordShape& shape, const std::vector<ChordShape>& chosen,
                      const std::vector<ChordShape>& finds) {
    constexpr double kMargin = 12.0;
    constexpr unsigned kPerRegion = 2;
    constexpr int kRegion = 2;
    if (!finds.empty() && shape.score > finds.front().score + kMargin) {
        return false;
    }
    for (const ChordShape& other : chosen) {
        if (thinnerCopy(shape, other)) {
            return false;
        }
    }
    unsigned near = 0;
    for (const ChordShape& other : finds) {
        if (differingStrings(shape, other) <= 1) {
            return false;
        }
        near += std::abs(regionOf(other) - regionOf(shape)) <= kRegion ? 1u : 0u;
    }
    // The open position, where most players look first, may hold one shape more.
    return near < kPerRegion + (regionOf(shape) == kOpenRegion ? 1u : 0u);
}

} // namespace

std::vector<ChordShape> ShapeChooser::choose(std::vector<ChordShape> candidates) {
    const std::vector<Ranked> all = ranked(std::move(candidates));
    const Ranked* lead = leadOf(all);
    std::vector<ChordShape> chosen;
    if (!lead) {
        return chosen;
    }
    chosen.push_back(lead->shape);
    std::vector<ChordShape> finds;
    if (lead->shape.origin.kind == Kind::Found) {
        finds.push_back(lead->shape);
    }
    for (const Ranked& candidate : all) {
        const ChordShape& shape = candidate.shape;
        if (chosen.size() == kMostShapes) {
            break;
        }
        if (&candidate == lead || shape.baseFret < lead->shape.baseFret) {
            continue;
        }
        if (shape.origin.kind == Kind::Found) {
            if (!findWorthKeeping(shape, chosen, finds)) {
                continue;
            }
            finds.push_back(shape);
        }
        chosen.push_back(shape);
    }
    return chosen;
}

} // namespace fretkit
