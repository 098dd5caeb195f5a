#pragma once

#include <optional>
#include <string>
#include <vector>

class TNTunerEngine;
namespace fretkit {
class UserDefaults;
}

// The arguments of `fretkit tune`: a sound file or --mic, and settings that override the stored
// tuner settings for this run only.
struct TuneOptions {
    std::string file;
    bool mic = false;
    std::optional<double> reference;   // Hz of A4
    std::optional<std::string> tuning; // a tuning's name (any case) or its index in the list
    std::optional<int> detune;         // whole semitones

    static constexpr const char* kSynopsis =
        "(FILE | --mic) [--reference HZ] [--tuning NAME|INDEX] [--detune N]";

    // Nothing, with the reason in `error`, for unknown options, missing or malformed values, a
    // reference outside 1 ... 20000 Hz, a detune beyond 24 semitones either way, or not exactly
    // one of FILE and --mic. Options take their value as the next argument or after "=".
    static std::optional<TuneOptions> parse(const std::vector<std::string>& args,
                                            std::string& error);

    // Sets the engine's tuning, detune and reference: the stored settings, then these options
    // over them. False, with the reason in `error`, for a tuning the list does not have.
    bool apply(TNTunerEngine& engine, const fretkit::UserDefaults& defaults,
               std::string& error) const;
};
