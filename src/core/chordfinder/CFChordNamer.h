#pragma once

#include "foundation/PlistValue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace fretkit {

// Names the chord that six strings sound. The sounding pitches become a set of intervals above
// a candidate root, encoded as a 24-bit bitmap (bits 12-23 keep tensions such as the ninth apart
// from the added second), and the bitmap is looked up in the chord descriptions. Without a match
// the root moves up to the next sounding pitch class, so inversions are named over their bass.
class CFChordNamer {
public:
    static constexpr unsigned kStrings = 6;
    static constexpr const char* kOpenKey = "CFMainController_open";
    static constexpr const char* kNoChordKey = "CFMainController_noChord";

    enum class Kind { OpenNeck, Chord, NoChord };

    struct Result {
        Kind kind = Kind::NoChord;
        std::string name; // the filled-in chord name, for Kind::Chord
        float alpha() const { return kind == Kind::NoChord ? 0.25f : 1.0f; }
    };

    // `descriptions`: an array of dictionaries with "bitmap" (integer) and "name" (text where
    // "%0".."%B" stand for the notes 0-11 semitones above the root). Entries without a bitmap
    // never match; of several with the same bitmap the last one counts.
    explicit CFChordNamer(const PlistValue& descriptions);

    // `frets` and `mutes` per string, 0 the thickest; `tuning` the open strings' MIDI notes as the
    // tunings list holds them, the thinnest string first; `detune` semitones added to each.
    Result nameChord(const std::array<unsigned, kStrings>& frets,
                     const std::array<bool, kStrings>& mutes,
                     const std::array<int, kStrings>& tuning, int detune) const;

    std::size_t descriptionCount() const { return names_.size(); }

    // The interval bitmap of the given pitches (nullopt = muted) above `root`, strings in order.
    static std::uint32_t intervalBitmap(const std::array<std::optional<int>, kStrings>& pitches,
                                        int root);

private:
    const std::string* lookup(std::uint32_t bitmap) const;

    std::unordered_map<std::uint32_t, std::string> names_;
};

} // namespace fretkit
