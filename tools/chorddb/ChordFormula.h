#pragma once

#include <map>
#include <string>
#include <vector>

namespace fretkit {

// The degrees of one chord variant above its root, read from the formulas file, and their
// spelling over a given root.
class ChordFormula {
public:
    struct Degree {
        unsigned number = 1; // 1-13
        int accidental = 0;  // -2 double flat ... +1 sharp
        bool optional = false;
        unsigned semitones() const;
        unsigned letterOffset() const { return (number - 1) % 7; }
    };

    // One chord tone over a root: its pitch class, its spelled-note index and the degree it
    // plays (1-13: 3 for the third whether major or minor, 7 for any seventh).
    struct Tone {
        unsigned pitchClass = 0;
        unsigned note = 0;
        bool optional = false;
        unsigned degree = 1;
    };

    const std::vector<Degree>& degrees() const { return degrees_; }

    // The tones over the spelled-note index `root`; a spelling that would need a double
    // accidental takes the enharmonic note of the 21-note table instead.
    std::vector<Tone> spell(unsigned root) const;

    // `line` without its comment, which runs from a "#" standing alone as a word (followed by a
    // space or ending the line): "#11" and "F#" are no comments. The generator's input files
    // share this.
    static std::string withoutComment(const std::string& line);

    // Every variant's formula from the text of a formulas file, or an empty map with the line
    // and the reason in `error`.
    static std::map<unsigned, ChordFormula> parse(const std::string& text, std::string& error);

private:
    std::vector<Degree> degrees_;
};

} // namespace fretkit
