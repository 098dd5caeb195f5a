#pragma once

#include "CliCommand.h"

#include <cstdint>

// `fretkit tune FILE` prints the tuner's readings of a sound file as CSV; `fretkit tune --mic`
// listens to the microphone and redraws one status line until interrupted.
class TuneCommand {
public:
    // Input frames between two analysis passes when reading a file.
    static constexpr std::uint32_t kFramesPerPass = 1024;

    static CliCommand command();
};
