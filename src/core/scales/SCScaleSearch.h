#pragma once

#include "SCNote.h"
#include "SCScale.h"
#include "foundation/PlistValue.h"

#include <array>
#include <vector>

namespace fretkit {

class UserDefaults;

// The settings the scale search reads.
struct SCScaleSearchSettings {
    int tuning = 0;              // "SC_tuning": index into the tunings list
    int detune = 0;              // "SC_detune": semitones added to every open string
    bool allowStretched = false; // "SC_allowStretched"

    static SCScaleSearchSettings fromDefaults(const UserDefaults& defaults);
};

// Every playable one-position fingering of a scale over a tuning, from the nut upward. Position
// P covers frets P...P+4 for P = 0...17; at each, the scale's degrees are collected in order from
// the lowest string to the highest, and the pattern is kept when it is playable and differs from
// the one kept before it.
class SCScaleSearch {
public:
    static constexpr unsigned kPositions = 18;
    static constexpr unsigned kWindow = 5;
    static constexpr std::array<int, 6> kStandardTuning = {64, 59, 55, 50, 45, 40};

    // `types` is the list of scale types ("name", "intervals", "alterations"), `type` an index
    // into it; `tunings` the tunings list ("notes": six MIDI notes, the thinnest string first).
    // A type index outside the list answers nothing; a tuning index outside the list, or a
    // tuning without six notes, falls back to standard tuning with a log line.
    static std::vector<SCScale> scalesForRoot(const SCNote& root, unsigned type,
                                              const PlistValue& types, const PlistValue& tunings,
                                              const SCScaleSearchSettings& settings);

    // The six open-string notes of tuning `index`, the thinnest string first.
    static std::array<int, 6> tuningNotes(const PlistValue& tunings, int index);
};

} // namespace fretkit
