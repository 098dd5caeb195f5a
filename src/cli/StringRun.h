#pragma once

#include "AudioOptions.h"
#include "audio/QVRenderLock.h"

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

class QVAudioStreamDelegate;

// Plays a string player through the audio stream: rendered buffer by buffer on the offline
// device into a WAV file ("-o FILE"), or live on the chosen device. The player's events (plucks,
// strum steps) run on this thread between buffers, at the time of the audio about to be rendered
// (the wall clock of a live run).
class StringRun {
public:
    static constexpr std::uint32_t kBufferFrames = 512;

    struct Job {
        QVAudioStreamDelegate* delegate = nullptr;
        // The lock the delegate was made with; the stream renders under it.
        QVRenderLockPtr renderLock;
        // Called before each buffer with the seconds since the start.
        std::function<void(double)> advance;
        std::function<bool()> finished;
        double maximumSeconds = 60.0;
    };

    // Takes "-o FILE" and the audio device options off `args`; the rest is left in `rest`.
    // nullopt after a message on err.
    static std::optional<StringRun> parse(const std::vector<std::string>& args,
                                          const std::string& command, std::ostream& err);

    // Installs the device (the offline one for a file) and the audio session. False after a
    // message on err.
    bool activate(std::ostream& err);
    double sampleRate() const;

    int run(const Job& job, std::ostream& out, std::ostream& err);

    std::vector<std::string> rest;

private:
    int renderToFile(const Job& job, std::ostream& out, std::ostream& err);
    int playLive(const Job& job, std::ostream& out, std::ostream& err);

    std::string command_;
    std::string wavPath_;
    AudioOptions audio_;
};
