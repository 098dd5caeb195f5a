#pragma once

#include "tuner/TNNote.h"

#include <optional>
#include <string>

// The one line `fretkit tune --mic` redraws: the note (with the string under a tuning), the
// offset in cents, a needle from -50 to +50 cents in steps of 10 with the centre marked, and
// the four level lamps. Without a note the labels show "--" and the needle is empty.
//   "E2      -3.0 c  [-----#-----]  level [##--]"
//   "6 (E2)  -3.0 c  [-----#-----]  level [##--]"
class TuneStatusLine {
public:
    static constexpr int kNeedleCells = 11;

    // `lamps` has bit i set when lamp i + 1 (the loudest first) is lit.
    static std::string format(const std::optional<TNNote>& note, unsigned lamps);
};
