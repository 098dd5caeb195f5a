#pragma once

#include "CliCommand.h"

// `fretkit metronome`: plays the metronome live, printing each beat, renders it into a WAV file
// through the audio stream as fast as possible, or reads tap tempo from the keyboard.
class MetronomeCommand {
public:
    static CliCommand command();
};
