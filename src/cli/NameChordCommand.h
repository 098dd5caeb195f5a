#pragma once

#include "CliCommand.h"

#include <array>
#include <iosfwd>
#include <optional>
#include <string>

// `fretkit name-chord`: names the chord a fingering sounds, as the chord finder does.
class NameChordCommand {
public:
    struct Fingering {
        std::array<unsigned, 6> frets{};
        std::array<bool, 6> mutes{};
    };

    static CliCommand command();

    // "x32010" (one character per string) or six tokens separated by spaces or commas
    // ("x 3 2 0 1 0", "8 x 10 9 8 x"), thickest string first; frets 0-24 or x for muted. On
    // failure, nullopt and the reason, naming the bad token, in `error`.
    static std::optional<Fingering> parseFrets(const std::string& text, std::string& error);
};
