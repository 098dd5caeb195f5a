#pragma once

#include <optional>
#include <string>

namespace fretkit {

// The chord symbol a guitarist writes after the root for each variant of the chord file:
// Maj "7" is "maj7", Min "7 b5" is "m7b5", Dom "#5" is "aug", Dim "7" is "dim7". The symbols are
// the ones the chord finder names chords with, so a named chord leads back to its variant.
class CHVariantSymbols {
public:
    // The symbol of `variant`; nullopt for the unnamed slots and indices past the table.
    static std::optional<std::string> symbolOfVariant(unsigned variant);
    // The variant whose symbol is exactly `symbol`; nullopt when no variant has it.
    static std::optional<unsigned> variantOfSymbol(const std::string& symbol);
};

} // namespace fretkit
