#pragma once

#include "host/AudioDeviceLayer.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The audio device options every audio command accepts:
//   --audio portaudio|virtual|file|offline, --input FILE, --output FILE, --fast, --rate HZ
// Arguments the options do not claim are left for the command.
struct AudioOptions {
    fretkit::host::AudioDeviceOptions device;
    std::vector<std::string> rest;

    static constexpr const char* kSynopsis =
        "[--audio portaudio|virtual|file] [--input FILE] [--output FILE] [--fast] [--rate HZ]";

    // Starts from the environment's choice; nullopt after a message on err for a bad option.
    static std::optional<AudioOptions> parse(const std::vector<std::string>& args,
                                             std::ostream& err);

    // Installs the chosen device and sets up the audio session (play-and-record, the rate).
    // False after a message on err.
    bool activate(std::ostream& err) const;
};
