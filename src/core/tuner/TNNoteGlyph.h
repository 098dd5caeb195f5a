#pragma once

#include "TNNote.h"

#include <optional>
#include <string>

// What the tuner's displays draw for a note: the first character of its name (a letter A-G,
// or a string number under a tuning), which names the image, and whether a sharp sign goes
// beside it.
struct TNNoteGlyph {
    std::string letter;
    bool sharp = false;

    // Nothing without a note: the displays then show no letter and no sharp.
    static std::optional<TNNoteGlyph> forNote(const std::optional<TNNote>& note);
};
