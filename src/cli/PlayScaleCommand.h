#pragma once

#include "CliCommand.h"

// `fretkit play-scale`: a strum of a scale pattern through the scale player, into a WAV file or
// live.
class PlayScaleCommand {
public:
    static CliCommand command();
};
