#pragma once

#include "CliCommand.h"
#include "scales/SCNote.h"

#include <optional>
#include <string>

// `fretkit scales`: every playable one-position pattern of a scale over a tuning.
class ScalesCommand {
public:
    static CliCommand command();

    // A root written as a letter and its sharps or flats: "E", "Bb", "f#", "Ebb".
    static std::optional<fretkit::SCNote> parseRoot(const std::string& text);
};
