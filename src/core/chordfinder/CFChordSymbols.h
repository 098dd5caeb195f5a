#pragma once

#include "foundation/PlistValue.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace fretkit {

// A chord symbol as parsed: root and optional bass as spelled-note indices of the chord library
// (0 = Ab ... 20 = G#), and the symbol after the root in the spelling the chord finder names it
// with ("maj7", "m7b5", "7#9", "" for a major triad).
struct CFChordSymbol {
    unsigned root = 0;
    std::string suffix;
    std::optional<unsigned> bass;
};

// Reads chord symbols as guitarists type them ("Cmaj7", "F#m7b5", "Bb7#9", "C/E", "Dm7 / C")
// against the vocabulary of the chord descriptions: the symbols it accepts are exactly the ones
// the chord finder names chords with, in the spellings players also use for them (CM7, C-7,
// Cmin7, Cø, C°7, C+, C7(b9), C7b9#5 for C7#5b9, Csus for Csus4, C69 for C6/9).
class CFChordSymbols {
public:
    // `descriptions`: the chord descriptions ("CFChords"), whose names give the vocabulary.
    explicit CFChordSymbols(const PlistValue& descriptions);

    const std::set<std::string>& suffixes() const { return suffixes_; }

    // The symbol `text` stands for, or nullopt with the reason (and, for an unknown chord, the
    // closest symbols of the vocabulary) in `error`.
    std::optional<CFChordSymbol> parse(const std::string& text, std::string& error) const;

    // The three of `candidates` closest in spelling to `suffix`, closest first, as symbols on
    // `root`: "Cmaj7, Cmaj9, Cm(maj7)".
    static std::string closest(const std::string& root, const std::string& suffix,
                               const std::vector<std::string>& candidates);

    // The spelled-note index of a note name such as "E", "bb" or "F#"; nullopt for others.
    static std::optional<unsigned> noteIndex(const std::string& name);

private:
    std::set<std::string> suffixes_;
    std::map<std::string, std::string> byKey_; // one spelling of each suffix -> the suffix
};

} // namespace fretkit
