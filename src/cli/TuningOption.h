#pragma once

#include "foundation/PlistValue.h"

#include <array>
#include <optional>
#include <string>

class CliOptions;

// The --tuning option: a tuning of the bundle's tunings list chosen by name (any case) or index.
// Without a tunings list in the bundle, standard tuning is the only choice.
class TuningOption {
public:
    struct Tuning {
        int index = 0;
        std::string name;
        std::array<int, 6> notes{}; // open strings' MIDI notes, the thinnest string first
    };

    // What --tuning and --detune ask for.
    struct Choice {
        fretkit::PlistValue tunings;
        Tuning tuning;
        int detune = 0;
    };

    // The tunings list with the tuning and detune the options name; nullopt with the reason in
    // `error` when either is not a valid choice.
    static std::optional<Choice> fromOptions(const CliOptions& options, std::string& error);

    // The bundle's "BZTunings", or a list holding only standard tuning.
    static fretkit::PlistValue tunings();

    // The tuning `wanted` names (index 0 when empty), or nullopt with the reason in `error`.
    static std::optional<Tuning> resolve(const fretkit::PlistValue& tunings,
                                         const std::string& wanted, std::string& error);
};
