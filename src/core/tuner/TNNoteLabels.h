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

    // Cents with their sign and one decimal ("+3.2", "-12.0"); a deviation that rounds to zero
    // is "+0.0", never "-0.0", whichever side of the note it lies on.
    static std::string signedCents(double cents);
};
