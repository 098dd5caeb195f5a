#include "ChordDbGenerator.h"

#include "DropVoicings.h"
#include "ShapeChooser.h"
#include "ShellVoicings.h"
#include "VoicingSearch.h"
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

std::vector<unsigned>
ChordDbGenerator::linesFittingNoChord(const ShapeBook& book,
                                      const std::map<unsigned, ChordFormula>& formulas) {
    std::vector<unsigned> unfit;
    for (const ShapeBook::Line& line : book.lines()) {
        bool fits = false;
        for (const auto& [variant, formula] : formulas) {
            fits = fits || ShapeBook::written(line, ChordTones(formula.spell(line.root)));
        }
        if (!fits) {
            unfit.push_back(line.number);
        }
    }
    return unfit;
}

std::vector<ChordShape> ChordDbGenerator::shapesOf(const ChordTones& chord, const ShapeBook& book) {
    std::vector<ChordShape> candidates = book.shapesFor(chord);
    for (const auto& found :
         {DropVoicings::of(chord), ShellVoicings::of(chord), VoicingSearch::search(chord)}) {
        candidates.insert(candidates.end(), found.begin(), found.end());
    }
    return ShapeChooser::choose(std::move(candidates));
}

ChordDbGenerator::Result
ChordDbGenerator::generate(const std::map<unsigned, ChordFormula>& formulas,
                           const ShapeBook& book) {
    Result result;
    for (unsigned root = 0; root < CHNoteTables::kNoteCount; ++root) {
        for (const auto& [variant, formula] : formulas) {
            ++result.chords;
            const std::vector<ChordShape> shapes = shapesOf(ChordTones(formula.spell(root)), book);
            if (shapes.empty()) {
                result.empty.push_back(chordName(root, variant));
            }
            for (const ChordShape& shape : shapes) {
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
