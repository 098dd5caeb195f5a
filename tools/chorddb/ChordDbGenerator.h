#pragma once

#include "ChordDbWriter.h"
#include "ChordFormula.h"

#include <map>
#include <string>
#include <vector>

namespace fretkit {

// Runs the shape search for every spelled root and every variant that has a formula.
class ChordDbGenerator {
public:
    struct Result {
        std::vector<ChordDbWriter::Row> rows; // by root, then variant, then best shape first
        unsigned chords = 0;
        std::vector<std::string> empty; // the chords no shape was found for, by name
    };

    // Every named variant needs a formula; the names of those without one go to `missing`.
    static std::vector<unsigned>
    variantsWithoutFormula(const std::map<unsigned, ChordFormula>& formulas);

    static Result generate(const std::map<unsigned, ChordFormula>& formulas);

    // "Cb Maj 7": the root's name, the family's short name and the variant's name.
    static std::string chordName(unsigned root, unsigned variant);
};

} // namespace fretkit
