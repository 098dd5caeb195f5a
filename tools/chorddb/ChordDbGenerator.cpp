#include "ChordDbGenerator.h"

#include "chords/CHNoteTables.h"
#include "chords/CHVariantFamily.h"

namespace fretkit {

std::vector<unsigned>
ChordDbGenerator::variantsWithoutFormula(const std::map<unsigned, ChordFormula>& formulas) {
    std::vector<unsigned> missing;
    for (const CHVariantFamily& family : CHVariantFamily::all()) {
        for (unsigned variant : family.variants) {
            if (!formulas.contains(variant)) {
                missing.push_back(variant);
            }
        }
    }
    return missing;
}

ChordDbGenerator::Result
ChordDbGenerator::generate(const std::map<unsigned, ChordFormula>& formulas) {
    Result result;
    for (unsigned root = 0; root < CHNoteTables::kNoteCount; ++root) {
        for (const auto& [variant, formula] : formulas) {
            ++result.chords;
            const VoicingSearch::Result found = VoicingSearch::search(formula.spell(root));
            if (found.shapes.empty()) {
                result.empty.push_back(chordName(root, variant));
            }
            for (const VoicingSearch::Shape& shape : found.shapes) {
                result.rows.push_back({root, variant, shape});
            }
        }
    }
    return result;
}

std::string ChordDbGenerator::chordName(unsigned root, unsigned variant) {
    const CHVariantFamily* family = CHVariantFamily::familyOfVariant(variant);
    return CHNoteTables::noteNames().at(root) + " " + (family ? family->shortName : "?") + " " +
           CHNoteTables::variantNames().at(variant).value_or("?");
}

} // namespace fretkit
