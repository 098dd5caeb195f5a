#pragma once

#include "scales/SCScale.h"

#include <utility>
#include <vector>

// The (string, fret) of each note of a pattern, in order.
inline std::vector<std::pair<unsigned, unsigned>> positions(const fretkit::SCScale& scale) {
    std::vector<std::pair<unsigned, unsigned>> result;
    for (const fretkit::SCScaleNote& note : scale.notes()) {
        result.emplace_back(note.string(), note.fret());
    }
    return result;
}
