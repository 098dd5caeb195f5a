#pragma once

#include <optional>
#include <string>
#include <vector>

namespace fretkit {

// The naming tables of the chord library: 21 spelled notes (letters A to G, each flat, natural
// and sharp), their pitch classes, the 69 chord variants (five slots unnamed) and the variant
// properties that decide how intervals are named.
class CHNoteTables {
public:
    static constexpr unsigned kNoteCount = 21;
    static constexpr unsigned kVariantCount = 69;

    static const std::vector<std::string>& noteNames();
    static const std::vector<std::optional<std::string>>& variantNames();
    // Pitch class (C = 0) of a spelled-note index; 0 for indices out of range.
    static unsigned chromatic(unsigned note);

    static bool usesSix(unsigned variant);
    static bool usesFour(unsigned variant);
    static bool usesSharpFive(unsigned variant);
    static bool usesSharpEleven(unsigned variant);
    static bool usesSharpNine(unsigned variant);
    static bool isDiminished(unsigned variant) { return variant > 63; }

    // The name of the interval of `semitones` (0-11) above the root in `variant`.
    static std::string intervalName(unsigned semitones, unsigned variant);
};

} // namespace fretkit
