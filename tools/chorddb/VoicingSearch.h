#pragma once

#include "ChordFormula.h"
#include "FingerAssigner.h"

#include <array>
#include <vector>

namespace fretkit {

// Searches standard tuning for the playable shapes of one chord and keeps the best few, spread
// over the neck. A shape sounds every required tone and nothing foreign, has the root as its
// lowest note, fits a window of five frets, and the hand can hold it (FingerAssigner).
class VoicingSearch {
public:
    static constexpr unsigned kStrings = FingerAssigner::kStrings;
    static constexpr std::array<int, kStrings> kStandardTuning = {40, 45, 50, 55, 59, 64};
    // The window codes 0-4: a shape's fretted notes lie within five frets.
    static constexpr int kWindow = 5;
    static constexpr int kHighestBaseFret = 12;
    static constexpr unsigned kMostShapes = 6;

    struct Shape {
        int baseFret = 1;
        std::array<int, kStrings> frets{}; // FingerAssigner::kMuted, 0 open, else the fret
        FingerAssigner::Assignment fingers;
        std::array<unsigned, kStrings> notes{}; // spelled note of each sounding string
        std::array<bool, kStrings> optional{};  // the string sounds a tone that may be left out
        double score = 0;                       // lower is easier and fuller
    };

    struct Result {
        std::vector<Shape> shapes; // best first
        unsigned candidates = 0;   // playable shapes found before choosing
    };

    static Result search(const std::vector<ChordFormula::Tone>& tones);
};

} // namespace fretkit
