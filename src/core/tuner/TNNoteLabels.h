#pragma once

#include "TNNote.h"

#include <optional>
#include <string>

// The tuner's two label texts for an accepted note, or for none: the chromatic note with its
// octave ("E2", even under a tuning) and the offset in cents ("+3.2 c"); "--" in both without a
// note.
struct TNNoteLabels {
    std::string note;
    std::string cents;

    static TNNoteLabels forNote(const std::optional<TNNote>& note);
};
