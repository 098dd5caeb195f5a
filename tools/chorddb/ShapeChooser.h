#pragma once

#include "ChordShape.h"

#include <vector>

namespace fretkit {

// Chooses the shapes of one chord from every source, at most twelve, the lead first.
//
// The lead is the shape a beginner looks for: the open chord where the book has one, else the
// book form nearest the nut with the root in the bass, the C and G forms (hard to barre) counted
// a few frets higher. The
// chords screen lists a chord's shapes by the fret they start at, so shapes nearer the nut than
// the lead are left out, and the lead goes first among those starting at its fret.
//
// The rest follow by source: the book forms at every position (the lowest of each form first),
// the book's alternative lines, the drop and shell voicings, the book shapes with a lower bass
// string, then the search's own finds, easiest first,
// at most two near any one place on the neck, none apart from another find on one string only,
// and none much harder than the easiest.
class ShapeChooser {
public:
    static constexpr unsigned kMostShapes = 12;

    static std::vector<ChordShape> choose(std::vector<ChordShape> candidates);
};

} // namespace fretkit
