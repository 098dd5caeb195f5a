#pragma once

#include "audio/QVAudioStreamDelegate.h"
#include "audio/QVRenderLock.h"
#include "host/Realtime.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

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
// same lock. Samples are swapped in and out under the lock and freed outside it. Which strings
// sound is read without the lock, from a word the render keeps up to date.
class CHStringPlayer final : public QVAudioStreamDelegate, public QVAudioStreamRenderer {
public:
    static constexpr unsigned kStrings = 6;
    enum Flag : int { kStop = -1, kIdle = 0, kPlay = 1, kRestart = 2 };
    using Sample = std::shared_ptr<const QVAudioBuffer>;

    // `renderLock`: the lock of the stream the player plays through (never null).
    explicit CHStringPlayer(QVRenderLockPtr renderLock, std::uint32_t silentFrames = 0)
        : lock_(std::move(renderLock)), silentFrames_(silentFrames) {}

    QVRenderLock& renderLock() const { return *lock_; }

    // Main thread; each takes the render lock.
    void pluckString(unsigned string);
    void stopString(unsigned string);
    void stopPlayback();
    // Puts a sample (null: none) on a string and answers the one it replaces, which the caller
    // frees outside the lock. The string keeps sounding from where it is.
    Sample setSample(unsigned string, Sample sample);
    // The same with the render lock already held by the caller.
    Sample exchangeSampleLocked(unsigned string, Sample sample);
    // Any thread, without the lock: the string was plucked and not stopped since (as of the
    // last render).
    bool isSounding(unsigned string) const;

    // Audio thread, render lock held. Answers whether any string sounded.
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING override;

private:
    static constexpr double kNotSounding = -1.0;

    bool renderString(unsigned s, QVAudioBuffer& buffer, double time) FRETKIT_NONBLOCKING;

    const QVRenderLockPtr lock_;
    const std::uint32_t silentFrames_;
    // Bit s set while string s sounds; written by the render.
    std::atomic<unsigned> sounding_{0};

    // Under the render lock.
    std::array<Sample, kStrings> samples_;
    std::array<int, kStrings> flags_{};
    std::array<double, kStrings> starts_{kNotSounding, kNotSounding, kNotSounding,
                                         kNotSounding, kNotSounding, kNotSounding};
};

} // namespace fretkit
