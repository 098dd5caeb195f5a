#pragma once

#include <string>
#include <vector>

namespace fretkit {

// The four families the chord variants are offered in: Maj, Min, Dom and Dim.
struct CHVariantFamily {
    std::string shortName; // in the chord's name: "E Maj triad"
    std::string fullName;  // in the picker
    std::vector<unsigned> variants;

    static const std::vector<CHVariantFamily>& all();
    // The family holding `variant` (the last one that does), or nullptr for an unnamed slot.
    static const CHVariantFamily* familyOfVariant(unsigned variant);
};

} // namespace fretkit
