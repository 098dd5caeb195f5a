#pragma once

#include "CliCommand.h"

// `fretkit record --seconds N -o FILE.wav`: records the microphone through the audio stream's
// input path into a 16-bit WAV file.
class RecordCommand {
public:
    static CliCommand command();
};
