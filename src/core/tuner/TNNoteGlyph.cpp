#include "TNNoteGlyph.h"

std::optional<TNNoteGlyph> TNNoteGlyph::forNote(const std::optional<TNNote>& note) {
    if (!note) {
        return std::nullopt;
    }
    const std::string name = note->name();
    if (name.empty()) {
        return std::nullopt;
    }
    // Only a sharp's name ("C#") has a second character that is a sign; a two-digit string
    // number would not.
    return TNNoteGlyph{name.substr(0, 1), name.size() == 2 && name[1] == '#'};
}
