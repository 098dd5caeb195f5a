#pragma once

#include "audio/QVAudioStreamDelegate.h"
#include "host/Realtime.h"

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>

class QVAudioBuffer;
class QVAudioTimeStamp;

namespace fretkit {

// Plays the six strings of a fretboard from one-channel samples. A pluck starts the string's
// sample at the next buffer; a pluck while the string still sounds first fades the old sound out
// over one buffer, then restarts the sample from its beginning. Every string sounds for at most
// its sample's length, the strings mix freely (with saturation), and channel 0 is copied to
// channel 1.
//
// A string without a sample is either silent for the length of a sample (`silentFrames`: its
// plucks still start and stop it, so a sample arriving later plays from where the string would
// be) or skipped altogether (silentFrames 0: its plucks stay pending until a sample comes).
//
// The render runs on the audio thread under the render lock; every main-thread change takes the
// same lock. Samples are swapped in and out under the lock and freed outside it.
class CHStringPlayer final : public QVAudioStreamDelegate, public QVAudioStreamRenderer {
public:
    static constexpr unsigned kStrings = 6;
    enum Flag : int { kStop = -1, kIdle = 0, kPlay = 1, kRestart = 2 };
    using Sample = std::shared_ptr<const QVAudioBuffer>;

    explicit CHStringPlayer(std::uint32_t silentFrames = 0) : silentFrames_(silentFrames) {}

    // The lock the render runs under (the stream's render lock); the player's own until then.
    // Main thread, while nothing renders.
    void setRenderLock(std::mutex* lock) { lock_ = lock != nullptr ? lock : &ownLock_; }
    std::mutex& renderLock() const { return *lock_; }

    // Main thread; each takes the render lock.
    void pluckString(unsigned string);
    void stopString(unsigned string);
    void stopPlayback();
    // Puts a sample (null: none) on a string and answers the one it replaces, which the caller
    // frees outside the lock. The string keeps sounding from where it is.
    Sample setSample(unsigned string, Sample sample);
    // The same with the render lock already held by the caller.
    Sample exchangeSampleLocked(unsigned string, Sample sample);
    bool isSounding(unsigned string) const;

    // Audio thread, render lock held. Answers whether any string sounded.
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING override;

private:
    static constexpr double kNotSounding = -1.0;

    bool renderString(unsigned s, QVAudioBuffer& buffer, double time) FRETKIT_NONBLOCKING;

    std::mutex ownLock_;
    std::mutex* lock_ = &ownLock_;
    const std::uint32_t silentFrames_;

    // Under the render lock.
    std::array<Sample, kStrings> samples_;
    std::array<int, kStrings> flags_{};
    std::array<double, kStrings> starts_{kNotSounding, kNotSounding, kNotSounding,
                                         kNotSounding, kNotSounding, kNotSounding};
};

} // namespace fretkit
