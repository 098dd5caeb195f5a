#pragma once

#include "CliCommand.h"

// `fretkit audio-info`: the audio session's status lines and the devices found.
class AudioInfoCommand {
public:
    static CliCommand command();
};
