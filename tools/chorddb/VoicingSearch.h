#pragma once

#include "ChordShape.h"

#include <vector>

namespace fretkit {

// Searches standard tuning for every playable shape of one chord with the root as its lowest
// note: the generator's own finds, beside the conventional forms.
class VoicingSearch {
public:
    // Every shape ChordShape::make accepts with the root in the bass, once each.
    static std::vector<ChordShape> search(const ChordTones& chord);
};

} // namespace fretkit
