#pragma once

#include "ChordTones.h"
#include "FingerAssigner.h"

#include <array>
#include <optional>
#include <vector>

namespace fretkit {

// One playable shape of one chord in standard tuning: the frets, the fingers that hold them, the
// spelled note of each sounding string, how hard and thin it is, and where it comes from.
struct ChordShape {
    static constexpr unsigned kStrings = FingerAssigner::kStrings;
    static constexpr std::array<int, kStrings> kStandardTuning = {40, 45, 50, 55, 59, 64};
    static constexpr int kMuted = FingerAssigner::kMuted;
    // The fretted notes of a shape lie within five frets (the window codes 0-4), all of them
    // within fret 15; open strings ring only in the open position, below fret 5.
    static constexpr int kWindow = 5;
    static constexpr int kHighestFret = 15;
    // A shape moved about the neck (a form away from its open position, a drop or shell voicing)
    // spans four frets at most: the nut no longer helps the hand.
    static constexpr int kMovedSpan = 3;
    using Frets = std::array<int, kStrings>; // kMuted, 0 for open, else the fret

    // Where a shape comes from, in the order the chooser prefers the sources.
    enum class Kind {
        Book,      // a conventional form of the shape book
        Alternate, // another line of the same form at the same place
        Voicing,   // a drop or shell voicing
        LowerBass, // a book shape with the string below its bass sounding too
        Upper,     // a barre shape of the book on its upper strings only
        Found,     // the search's own find
    };
    // The form or voicing family, in the order the chooser prefers them within a kind.
    enum class Family {
        E,
        A,
        D,
        C,
        G,           // the five forms derived from the open shapes
        Open,        // an open chord of its own, not moved up the neck
        Drop2Middle, // drop 2 on strings 2-5 (string 1 the thinnest)
        Drop2Top,    // drop 2 on strings 1-4
        Drop3Sixth,  // drop 3, root on string 6
        Drop3Fifth,  // drop 3, root on string 5
        ShellSixth,  // root, guide tones and tensions from string 6
        ShellFifth,  // the same from string 5
        Drop2Low,    // drop 2 on strings 3-6
        ShellFourth, // the shell from string 4
        Search,
    };
    struct Origin {
        Kind kind = Kind::Found;
        Family family = Family::Search;
        // The open chord exactly as the shape book writes it: the shape a beginner learns.
        bool openChord = false;
    };
    // Which tones may lie in the bass: the search keeps the root there; a conventional form
    // may also have the third or the fifth lowest.
    enum class Bass { Root, RootThirdOrFifth };

    // The shape of `frets` for `chord`, or nullopt when it sounds a tone outside the chord, lacks
    // a required one, sounds fewer than three tones, has a bass `bass` does not allow, breaks the
    // window or cannot be held. Only a bass added below a book shape may take the thumb: the
    // search and the voicings keep it behind the neck, as teachers do.
    static std::optional<ChordShape> make(const Frets& frets, const ChordTones& chord, Bass bass,
                                          Origin origin);

    static int pitch(unsigned s, int fret) { return kStandardTuning[s] + fret; }
    // A voicing at every position up the neck where it is a shape of `chord`: `strings[0]`
    // plays `pitchClasses[0]` (the root), each next string the next pitch class, the nearest
    // above the voice below it, all fretted within four frets; the other strings are muted.
    static std::vector<ChordShape> alongNeck(const std::vector<unsigned>& strings,
                                             const std::vector<unsigned>& pitchClasses,
                                             const ChordTones& chord, Origin origin);
    // The thickest sounding string.
    unsigned bassString() const;
    // How many frets lie between the lowest and the highest fretted note.
    int span() const;
    bool hasOpenString() const;

    int baseFret = 1; // the first fret of the shape's window
    Frets frets{};
    FingerAssigner::Assignment fingers;
    std::array<unsigned, kStrings> notes{}; // spelled note of each sounding string
    std::array<bool, kStrings> optional{};  // the string sounds a tone that may be left out
    double score = 0;                       // lower is easier and fuller
    bool rootInBass = true;
    Origin origin;
};

} // namespace fretkit
