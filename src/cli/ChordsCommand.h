#pragma once

#include "CliCommand.h"

#include <optional>
#include <string>
#include <vector>

// `fretkit chords`: the shapes of a chord from the chord database, as diagrams or JSON.
class ChordsCommand {
public:
    static CliCommand command();

    // The spelled-note index of a root written "E", "Bb", "f#"; nullopt when there is none.
    static std::optional<unsigned> parseRoot(const std::string& text);
    // The variant index from an index ("36") or a family and a name ("Dom", "7 #9"); nullopt
    // with the reason in `error`.
    static std::optional<unsigned> parseVariant(const std::vector<std::string>& words,
                                                std::string& error);
};
