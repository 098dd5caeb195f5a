#pragma once

#include "foundation/PlistValue.h"

#include <array>
#include <compare>
#include <optional>
#include <set>
#include <string>

// The string samples the tools can ask for: the chords screen plays standard tuning's strings at
// any fret; the scales screen and the chord finder play any tuning of the tunings list, raised or
// lowered by the detune setting, at any fret.
class SampleSet {
public:
    struct Sample {
        int string; // 0 the thickest
        int note;   // MIDI
        auto operator<=>(const Sample&) const = default;
        // "%02d_%02d": string index, note.
        std::string resourceName() const;
    };
    struct Range {
        int first;
        int last;
    };

    // The open strings of standard tuning, the thinnest first as the tunings list holds them.
    static constexpr std::array<int, 6> kStandardTuning = {64, 59, 55, 50, 45, 40};

    // Every (string, note) of every tuning in `tunings` (an array of dictionaries whose "notes"
    // are six MIDI notes, the thinnest string first, so string s plays element 5 - s) at every
    // detune and fret of the ranges, and of standard tuning undetuned at every fret. Nothing, and
    // why in `error`, when a tuning has not six notes or a note falls outside MIDI.
    static std::optional<std::set<Sample>> build(const fretkit::PlistValue& tunings, Range detunes,
                                                 Range frets, std::string& error);
};
