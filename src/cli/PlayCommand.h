#pragma once

#include "CliCommand.h"

// `fretkit play FILE`: plays a sound file through the audio stream's render path.
class PlayCommand {
public:
    static CliCommand command();
};
