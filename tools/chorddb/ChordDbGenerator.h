#pragma once

#include "ChordDbWriter.h"
#include "ChordFormula.h"
#include "ShapeBook.h"

#include <map>
#include <string>
#include <vector>

namespace fretkit {

// Chooses the shapes of every spelled root and every variant that has a formula, from the shape
// book's conventional forms, the drop and shell voicings and the search's own finds.
class ChordDbGenerator {
public:
    struct Result {
        std::vector<ChordDbWriter::Row> rows; // by root, then variant, the lead shape first
        unsigned chords = 0;
        std::vector<std::string> empty; // the chords no shape was found for, by name
    };

    // Every named variant needs a formula; the names of those without one go to `missing`.
    static std::vector<unsigned>
    variantsWithoutFormula(const std::map<unsigned, ChordFormula>& formulas);

    // The numbers of the book's lines that, where they are written, are a shape of no variant
    // over their root: a wrong fret or a chord the formulas do not know.
    static std::vector<unsigned>
    linesFittingNoChord(const ShapeBook& book, const std::map<unsigned, ChordFormula>& formulas);

    // The chosen shapes of one chord.
    static std::vector<ChordShape> shapesOf(const ChordTones& chord, const ShapeBook& book);

    static Result generate(const std::map<unsigned, ChordFormula>& formulas, const ShapeBook& book);

    // "Cb Maj 7": the root's name, the family's short name and the variant's name.
    static std::string chordName(unsigned root, unsigned variant);
};

} // namespace fretkit
