#include "CHVariantSymbols.h"

#include "CHNoteTables.h"

#include <array>

namespace fretkit {
namespace {

// Indexed by variant; nullptr marks the five unnamed slots (8, 10, 13, 19, 62).
constexpr std::array<const char*, CHNoteTables::kVariantCount> kSymbols = {
    // major
    "", "maj7", "maj9", "add9", "sus4", "6", "6/9", "maj7add13", nullptr, "maj13", nullptr,
    "maj7#11", "maj9#11", nullptr, "6/9#11", "maj13#11", "maj7#11add13", "maj7#5", "maj7#5#11",
    nullptr,
    // minor
    "m", "m7", "m9", "m11", "m13", "m6", "m6/9", "m7b5", "m9b5", "m11b5", "m13b5", "m7b6", "m9b6",
    "m11b6", "m(maj7)", "m(maj9)",
    // dominant
    "7", "9", "7sus4", "9sus4", "13sus4", "13", "aug", "7#5", "9#5", "13#5", "7b5", "9b5", "13b5",
    "7#9", "13#9", "7b9", "13b9", "7#5#9", "13#5#9", "7b5b9", "13b5b9", "7b5#9", "7#5b9", "7b5#5",
    "9b5#5", "7b9#9", nullptr, "13sus4b9",
    // diminished
    "dim7", "dim7add9", "dim7add11", "dim7addb13", "dim(maj7)"};

} // namespace

std::optional<std::string> CHVariantSymbols::symbolOfVariant(unsigned variant) {
    if (variant >= kSymbols.size() || kSymbols[variant] == nullptr) {
        return std::nullopt;
    }
    return kSymbols[variant];
}

std::optional<unsigned> CHVariantSymbols::variantOfSymbol(const std::string& symbol) {
    for (unsigned variant = 0; variant < kSymbols.size(); ++variant) {
        if (kSymbols[variant] != nullptr && symbol == kSymbols[variant]) {
            return variant;
        }
    }
    return std::nullopt;
}

} // namespace fretkit
