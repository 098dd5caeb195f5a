#pragma once

#include "AudioTypes.h"
#include "Realtime.h"

#include <cstdint>
#include <string>

using SystemSoundID = std::uint32_t;

// Short sounds played once, without blocking the caller, mixed into the device output by the
// running output unit. Sounds are decoded at creation to the device's rate and channels; at most
// kVoices play at once (a further play is dropped).
class SystemSounds {
public:
    static constexpr std::uint32_t kVoices = 16;

    // Makes the shared voices, so that the audio thread never has to.
    static void prepare();

    // Main thread.
    static OSStatus createSystemSoundID(const std::string& path, SystemSoundID* id);
    static void play(SystemSoundID id);
    static OSStatus dispose(SystemSoundID id);
    // Voices playing now.
    static std::uint32_t playingCount();

    // Audio thread: adds the playing voices to interleaved output and advances them.
    static void mixInto(float* output, std::uint32_t frames,
                        std::uint32_t channels) FRETKIT_NONBLOCKING;
};
