#pragma once

#include "audio/QVAudioStreamDelegate.h"

#include <atomic>
#include <cstdint>

class TNTunerEngine;

// Hands the audio stream's microphone input (its first channel) to the tuner engine. With
// `framesPerPass` above 0 it also runs one analysis pass, on the audio thread, after every that
// many new frames, cutting buffers where a pass falls due: a file read as fast as possible then
// gives the same readings on every run and on every device buffer size. With 0 it only feeds
// the engine, whose own analysis thread does the passes.
class TuneListener final : public QVAudioStreamDelegate, public QVAudioStreamInput {
public:
    TuneListener(TNTunerEngine& engine, std::uint32_t framesPerPass)
        : engine_(engine), framesPerPass_(framesPerPass) {}

    void input(QVAudioBuffer& buffer, const QVAudioTimeStamp& timeStamp, bool stereo) override;

    // Frames handed to the engine so far; any thread.
    std::uint64_t frames() const { return frames_.load(std::memory_order_acquire); }

private:
    TNTunerEngine& engine_;
    std::uint32_t framesPerPass_;
    std::uint32_t sincePass_ = 0; // audio thread only
    std::atomic<std::uint64_t> frames_{0};
};
