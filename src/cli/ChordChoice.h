#pragma once

#include "chords/CHDatabase.h"

#include <optional>
#include <string>
#include <vector>

// The chord a command line names for `fretkit chords` and `fretkit play-chord`: a chord symbol as
// guitarists type it ("Cmaj7", "F#m7b5", "C/E"), read with the chord finder's own vocabulary, or
// the root with the family and the variant's name ("E Maj triad") or index ("A 49").
struct ChordChoice {
    unsigned root = 0;            // spelled-note index
    unsigned variant = 0;         // index into the variant table
    std::optional<unsigned> bass; // spelled-note index: only the shapes over this bass

    // The chord `words` name, or nullopt with the reason in `error` and the exit status in
    // `status`: 2 for words that name no chord of the database, 1 when the chord descriptions the
    // symbols are read with are missing from the bundle.
    static std::optional<ChordChoice> parse(const std::vector<std::string>& words,
                                            std::string& error, int& status);

    std::string name() const;   // the database's name: "C Maj triad"
    std::string symbol() const; // the guitarist's: "C", "Cmaj7 / E"
    // The database's shapes of the chord; with a bass, those whose lowest string sounds it.
    std::vector<fretkit::CHChord> shapes(fretkit::CHDatabase& database) const;
};
