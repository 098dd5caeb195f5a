#pragma once

#include "CliCommand.h"

// `fretkit play-chord`: a strum of a chord shape through the chord player, into a WAV file or
// live.
class PlayChordCommand {
public:
    static CliCommand command();
};
