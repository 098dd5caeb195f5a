#include "SCScale.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace fretkit {

void SCScale::addNote(const SCScaleNote& note) {
    notes_.push_back(note);
    strings_.at(note.string()).insert(note.fret());
}

std::vector<SCScaleNote> SCScale::notesForString(unsigned s) const {
    std::vector<SCScaleNote> onString;
    std::copy_if(notes_.begin(), notes_.end(), std::back_inserter(onString),
                 [s](const SCScaleNote& note) { return note.string() == s; });
    return onString;
}

std::uint32_t SCScale::lowestFret() const {
    std::uint32_t lowest = std::numeric_limits<std::uint32_t>::max();
    for (const SCScaleNote& note : notes_) {
        lowest = std::min<std::uint32_t>(lowest, note.fret());
    }
    return lowest;
}

bool SCScale::hasOpenStrings() const {
    return std::any_of(strings_.begin(), strings_.end(),
                       [](const std::set<unsigned>& frets) { return frets.count(0) > 0; });
}

bool SCScale::isEqualToScale(const SCScale* other) const {
    const std::size_t otherCount = other ? other->notes_.size() : 0;
    if (notes_.size() != otherCount) {
        return false;
    }
    for (std::size_t i = 0; i < otherCount; ++i) {
        if (notes_[i].string() != other->notes_[i].string() ||
            notes_[i].fret() != other->notes_[i].fret()) {
            return false;
        }
    }
    return true;
}

std::string SCScale::description() const {
    std::string text = "SCScale: ";
    for (const SCScaleNote& note : notes_) {
        text += note.name() + ", ";
    }
    return text;
}

std::uint32_t SCScale::first(unsigned s) const {
    return strings_[s].empty() ? kNotFound : *strings_[s].begin();
}

std::uint32_t SCScale::last(unsigned s) const {
    return strings_[s].empty() ? kNotFound : *strings_[s].rbegin();
}

// A string spanning five frets cannot be played from one position without stretching: the
// lowest string loses its lowest note and the highest string its highest.
void SCScale::trimStretchedEnds() {
    // The note at the trimmed fret: the first such of string 0, the last such of string 5.
    const auto removeNote = [this](unsigned s, std::uint32_t fret, bool fromFront) {
        std::optional<std::size_t> found;
        for (std::size_t i = 0; i < notes_.size() && (!found || !fromFront); ++i) {
            if (notes_[i].string() == s && notes_[i].fret() == fret) {
                found = i;
            }
        }
        if (found) {
            notes_.erase(notes_.begin() + static_cast<std::ptrdiff_t>(*found));
        }
        strings_[s].erase(fret);
    };
    if (last(0) - first(0) == 4) {
        removeNote(0, first(0), true);
    }
    if (last(5) - first(5) == 4) {
        removeNote(5, last(5), false);
    }
}

// Moves the highest note of string `s` to the next string, where the same pitch lies one fret
// below that string's first note, when the two are a semitone apart in the scale.
bool SCScale::moveTopNoteUp(unsigned s) {
    if (s > 4) {
        return false;
    }
    auto top = notes_.end();
    auto next = notes_.end();
    for (auto it = notes_.begin(); it != notes_.end(); ++it) {
        if (it->string() == s) {
            top = it;
        } else if (it->string() == s + 1 && next == notes_.end()) {
            next = it;
        }
    }
    if (top == notes_.end() || next == notes_.end() ||
        (top->interval() + 1) % 12 != next->interval() || next->fret() == 0) {
        return false;
    }
    strings_[s].erase(top->fret());
    strings_[s + 1].insert(next->fret() - 1);
    top->setString(s + 1);
    top->setFret(next->fret() - 1);
    return true;
}

// A note on the lowest fret of a string that reaches four frets above it has no finger left.
// Answers whether one of three ways to play it anyway applies, setting its finger.
bool SCScale::rescue(SCScaleNote& note, bool allowStretched, std::int32_t& shift) {
    const unsigned s = note.string();
    const std::uint32_t fret = note.fret();
    // The first finger reaches the next fret too, if the string below ends within its reach.
    const bool reachable = s == 0 || fret + 3 >= last(s - 1);
    if (reachable && strings_[s].count(fret + 1) > 0) {
        note.setFinger(1);
        return true;
    }
    if (moveTopNoteUp(s)) {
        note.setFinger(1);
        shift += 1;
        return true;
    }
    const std::set<unsigned>& frets = strings_[s];
    if (allowStretched && frets.size() == 3) {
        const unsigned low = *frets.begin();
        if (frets.count(low + 2) > 0 && frets.count(low + 4) > 0) {
            note.setFinger(1);
            return true;
        }
    }
    note.setFinger(0);
    return false;
}

// Each string must start at most three frets below where the string under it ends, and no
// string may span more than five frets.
void SCScale::checkReaches(bool allowStretched) {
    for (unsigned s = 0; s + 1 < kStrings && !allowStretched; ++s) {
        if (last(s) - first(s + 1) > 3) {
            isValid_ = false;
        }
    }
    for (unsigned s = 0; s < kStrings; ++s) {
        if (last(s) - first(s) > 4) {
            isValid_ = false;
        }
    }
}

void SCScale::conform(bool allowStretched) {
    isValid_ = true;
    const auto empty = std::count_if(strings_.begin(), strings_.end(),
                                     [](const std::set<unsigned>& frets) { return frets.empty(); });
    if (empty >= 2) {
        isValid_ = false;
        return;
    }
    const bool open = hasOpenStrings();
    if (!allowStretched && !open) {
        trimStretchedEnds();
    }
    const std::uint32_t lowest = lowestFret();
    std::int32_t shift = 0;
    for (SCScaleNote& note : notes_) {
        const unsigned s = note.string();
        if (last(s) == lowest + 4 && !open) {
            shift = -1;
        } else if (first(s) == lowest) {
            shift = 0;
        }
        if (note.fret() == 0) {
            note.setFinger(0);
            continue;
        }
        const std::int64_t relative =
            std::int64_t{note.fret()} - lowest + (lowest != 0 ? 1 : 0) + shift;
        if (relative != 0 || open) {
            note.setFinger(static_cast<unsigned>(std::max<std::int64_t>(relative, 0)));
            continue;
        }
        // A note that cannot be fingered keeps the whole pattern unplayable, even when a later
        // note is rescued.
        if (!rescue(note, allowStretched, shift)) {
            isValid_ = false;
        }
    }
    if (!open) {
        checkReaches(allowStretched);
    }
}

} // namespace fretkit
