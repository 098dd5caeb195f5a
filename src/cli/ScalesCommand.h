#pragma once

#include "CliCommand.h"
#include "foundation/PlistValue.h"
#include "scales/SCNote.h"

#include <optional>
#include <string>

// `fretkit scales`: every playable one-position pattern of a scale over a tuning.
class ScalesCommand {
public:
    static CliCommand command();

    // A root written as a letter and its sharps or flats: "E", "Bb", "f#", "Ebb".
    static std::optional<fretkit::SCNote> parseRoot(const std::string& text);
    // The index of a scale type given by name (any case) or index; nullopt when there is none.
    static std::optional<unsigned> parseType(const fretkit::PlistValue& types,
                                             const std::string& wanted);
};
