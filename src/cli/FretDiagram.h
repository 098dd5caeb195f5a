#pragma once

#include <array>
#include <map>
#include <string>
#include <utility>

// A text chord or scale box: strings as columns, thickest on the left, frets as rows with their
// numbers, a label (finger, note or interval) where a string is fretted, and above the nut "o"
// for an open string, "x" for a muted one, or the open string's label.
//
//         E   B   E   G#  B   E
//         o               o   o
//    1    |---|---|---1---|---|
//    2    |---2---3---|---|---|
class FretDiagram {
public:
    static constexpr unsigned kStrings = 6;

    void setHeader(const std::array<std::string, kStrings>& header) { header_ = header; }
    void setOpen(unsigned string, const std::string& label);
    void setMuted(unsigned string);
    void mark(unsigned string, unsigned fret, const std::string& label);
    // Rows shown: at least `firstFret`...`lastFret`, widened to every marked fret.
    void setFrets(unsigned firstFret, unsigned lastFret);

    std::string render() const;

private:
    std::array<std::string, kStrings> header_{};
    std::array<std::string, kStrings> open_{};
    std::map<std::pair<unsigned, unsigned>, std::string> marks_; // (fret, string) -> label
    unsigned firstFret_ = 1;
    unsigned lastFret_ = 4;
};
