#pragma once

#include "ChordShape.h"

#include <optional>
#include <string>
#include <vector>

namespace fretkit {

// The conventional shapes guitarists learn, read from the shape book file: one shape a line,
// written at one root, with the form it belongs to (the E, A, D, C and G forms derived from the
// open chords, or an open chord of its own). A line serves every chord whose tones it sounds, at
// every position on the neck its form can be moved to.
class ShapeBook {
public:
    struct Line {
        unsigned number = 0; // in the file
        ChordShape::Family form = ChordShape::Family::Open;
        unsigned root = 0; // spelled-note index of the root it is written at
        ChordShape::Frets frets{};
    };

    // The book from the text of a shape book file, or nullopt with the line and the reason in
    // `error`.
    static std::optional<ShapeBook> parse(const std::string& text, std::string& error);

    const std::vector<Line>& lines() const { return lines_; }

    // The book's shapes of `chord`. At each position a form reaches, the first line of that form
    // sounding the chord gives a Book shape and the later ones Alternate shapes. A Book shape
    // gives LowerBass shapes with the silent string below its bass sounding the third or the
    // fifth, and a barre one Upper shapes on its top five and four strings. Open chords stay where
    // they are written; forms move up and down the neck where they span four frets at most (and
    // chords that repeat every few frets, such as the diminished seventh, move by those steps too,
    // keeping their sound but taking another bass).
    std::vector<ChordShape> shapesFor(const ChordTones& chord) const;

    // A line at the position it is written, as a shape of `chord`; nullopt when it is not one.
    static std::optional<ChordShape> written(const Line& line, const ChordTones& chord);
    // A line moved `by` frets, as a shape of `chord`; nullopt when it is not one or spans more
    // than four frets.
    static std::optional<ChordShape> moved(const Line& line, const ChordTones& chord, int by);

private:
    std::vector<Line> lines_;
};

} // namespace fretkit
