#pragma once

#include "AudioTypes.h"
#include "Realtime.h"

#include <cstdint>
#include <string>

namespace fretkit::host {

using SystemSoundID = std::uint32_t;

// Short sounds played once, without blocking the caller, mixed into the device output by the
// running output unit. Sounds are decoded at creation to the device's rate and channels; at most
// kVoices play at once (a further play is dropped). While no output unit runs nothing would mix
// them, so a play then is dropped too: it would otherwise hold a voice and sound late, all at
// once, when the output starts.
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

    // Output units that mix the voices, counted as they start and stop (any thread).
    static void outputStarted();
    static void outputStopped();
    static bool isOutputRunning();

    // Audio thread: adds the playing voices to interleaved output and advances them.
    static void mixInto(float* output, std::uint32_t frames,
                        std::uint32_t channels) FRETKIT_NONBLOCKING;
};

} // namespace fretkit::host
