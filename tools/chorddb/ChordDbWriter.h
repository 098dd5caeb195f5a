#pragma once

#include "ChordShape.h"

#include <string>
#include <vector>

namespace fretkit {

// Writes the chord file: one table "chords" of 27 integer columns (root, variant, baseFret, then
// per string finger, fret code, mark and note), one row per shape. The file is written beside
// its destination and moved over it, so a failed run leaves no half-written file behind.
class ChordDbWriter {
public:
    struct Row {
        unsigned root = 0;
        unsigned variant = 0;
        ChordShape shape;
    };

    // The 27 column values of a row, in file order.
    static std::vector<long long> columns(const Row& row);

    static bool write(const std::string& path, const std::vector<Row>& rows, std::string& error);
};

} // namespace fretkit
