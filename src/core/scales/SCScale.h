#pragma once

#include "SCScaleNote.h"

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace fretkit {

// One fingering pattern of a scale: its notes in the order added (string by string from the
// lowest, frets rising) and, per string, the set of frets used. `conform` gives every note a
// finger and decides whether a hand can play the pattern in one position.
class SCScale {
public:
    static constexpr unsigned kStrings = 6;
    static constexpr std::uint32_t kNotFound = 2147483647;

    void addNote(const SCScaleNote& note);

    const std::vector<SCScaleNote>& notes() const { return notes_; }
    std::vector<SCScaleNote> notesForString(unsigned s) const;
    const std::set<unsigned>& fretsOnString(unsigned s) const { return strings_.at(s); }

    // The smallest fret of all notes; 4294967295 for an empty pattern.
    std::uint32_t lowestFret() const;
    bool hasOpenStrings() const;
    // Same number of notes with the same string and fret at each position.
    bool isEqualToScale(const SCScale* other) const;
    bool isValid() const { return isValid_; }
    std::string description() const;

    // Assigns the fingers, may drop a stretched note at either end or move a note one string up,
    // and decides `isValid`. `allowStretched` is the user's "SC_allowStretched" setting.
    void conform(bool allowStretched);

private:
    std::uint32_t first(unsigned s) const;
    std::uint32_t last(unsigned s) const;
    void trimStretchedEnds();
    bool rescue(SCScaleNote& note, bool allowStretched, std::int32_t& shift);
    bool moveTopNoteUp(unsigned s);
    void checkReaches(bool allowStretched);

    std::vector<SCScaleNote> notes_;
    std::array<std::set<unsigned>, kStrings> strings_{};
    bool isValid_ = false;
};

} // namespace fretkit
