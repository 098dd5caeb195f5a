#pragma once

#include "AudioDevice.h"

#include <memory>
#include <string>

namespace fretkit::host {

// How to choose the device under the remote I/O unit; the command line's --audio options and
// the FRETKIT_AUDIO* environment variables fill it.
struct AudioDeviceOptions {
    // "portaudio" (a sound card; the virtual device when there is none), "virtual", "file" or
    // "offline"; empty means the environment's choice, else "portaudio".
    std::string driver;
    std::string inputFile;  // file driver: the microphone's sound (WAV or AIFF)
    std::string outputFile; // file driver: where the output goes (WAV); empty discards it
    bool realTime = true;   // file driver: paced like a sound card, or as fast as possible
    double sampleRate = 44100.0;
    std::uint32_t outputChannels = 2; // file driver: channels of the output file
    std::uint64_t outputFrames = 0;   // file driver: stop after this many frames (0: never)

    static constexpr const char* kDriverVariable = "FRETKIT_AUDIO";
    static constexpr const char* kInputVariable = "FRETKIT_AUDIO_INPUT";
    static constexpr const char* kOutputVariable = "FRETKIT_AUDIO_OUTPUT";
    static constexpr const char* kFastVariable = "FRETKIT_AUDIO_FAST";

    // Options from the environment variables above.
    static AudioDeviceOptions fromEnvironment();
};

// The process's audio device: chosen once at start-up, used by the audio session and the
// remote I/O unit.
class AudioDeviceLayer {
public:
    // The installed device; on first use, one made from the environment.
    static AudioDevice& current();
    // Replaces the device (main thread, while nothing runs on it).
    static void install(std::unique_ptr<AudioDevice> device);
    // Main thread: the virtual device that takes over from a sound card that could not start,
    // with the card's rate, channels and buffer size; logs one line saying so. The card is kept
    // (stopped) until the next install(), since a unit may still refer to it.
    static AudioDevice& replaceFailedDevice(AudioDevice& failed, OSStatus status);
    // Makes the device the options name; null with a message for an unknown driver or a file
    // that cannot be read or written.
    static std::unique_ptr<AudioDevice> makeDevice(const AudioDeviceOptions& options,
                                                   std::string* error);
};

} // namespace fretkit::host
