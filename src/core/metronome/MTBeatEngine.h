#pragma once

#include "MTBeatSignal.h"
#include "MTTimeSignature.h"
#include "audio/QVAudioStreamDelegate.h"
#include "audio/QVRenderLock.h"
#include "host/Realtime.h"

#include <atomic>
#include <cstdint>
#include <vector>

class QVAudioBuffer;
class QVAudioTimeStamp;

// The metronome's beat engine: places a click into each output buffer at sample-exact beat
// positions. Time is counted in ticks of 1/96 beat from the frames rendered; each beat's frame
// is rounded from its own exact position, so the beats never drift. Accented beats play the
// click at full gain, the others at a quarter; the click is mixed into the buffer with
// saturation, and one cursor walks through it.
//
// The render runs on the audio thread with the render lock held (the stream holds it for the
// whole cycle). The main thread changes the tempo, the running state and the click only while
// holding the same lock; it reads the tempo and the position without it, from atomic words the
// render keeps up to date, so a screen that looks never holds up a cycle. The time signature is
// a single atomic word.
class MTBeatEngine final : public QVAudioStreamDelegate, public QVAudioStreamRenderer {
public:
    static constexpr double kTicksPerBeat = 96.0;
    static constexpr std::uint32_t kIdleCursor = 0x7FFFFFFF;
    static constexpr float kAccentGain = 1.0f;
    static constexpr float kPlainGain = 0.25f;

    // `renderLock`: the lock of the stream the engine plays through (never null).
    explicit MTBeatEngine(QVRenderLockPtr renderLock, double sampleRate = 44100.0,
                          unsigned tempo = 120);

    // Main thread, each under the render lock.
    void setTempo(unsigned tempo);
    void setSampleRate(double rate);
    // The click: raw 16-bit mono samples played one per frame. Any click still sounding stops.
    void setSoundData(std::vector<std::int16_t> samples);
    // The next render starts beat 0 at its frame 0 (a beat still unshown from an earlier run is
    // dropped) / renders silence from the next buffer on.
    void start();
    void stop();

    // Any thread, without the lock.
    unsigned tempo() const { return tempo_.load(std::memory_order_relaxed); }
    bool isPlaying() const { return currentTick() != -1.0; }
    // Position of the render head in ticks since start; -1 when stopped.
    double currentTick() const { return currentTick_.load(std::memory_order_relaxed); }
    void setTimeSignature(MTTimeSignature signature);
    MTTimeSignature timeSignature() const;
    // Frames rendered since the last start.
    std::uint64_t framesRendered() const { return framesRendered_.load(std::memory_order_acquire); }
    // The per-beat requests to the main thread.
    MTBeatSignal& beatSignal() { return signal_; }

    // Audio thread, render lock held. The buffer comes cleared (or holds what is to be mixed
    // with); the time stamp's host time, when valid, dates the beats signalled. Always answers
    // true.
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING override;
    // Starts a beat at `frame` of the buffer (which may be the buffer's length: the click then
    // sounds from frame 0 of the next buffer).
    void playBeatToBuffer(QVAudioBuffer& buffer, std::uint32_t frame) FRETKIT_NONBLOCKING;
    // Writes the click's next samples from `frame` on.
    void continueBeatToBuffer(QVAudioBuffer& buffer, std::uint32_t frame) FRETKIT_NONBLOCKING;

private:
    const QVRenderLockPtr lock_;

    // Written under the render lock; atomic so that they can be read without it.
    std::atomic<unsigned> tempo_;
    std::atomic<double> currentTick_{-1.0};
    // Under the render lock.
    double sampleRate_;
    std::int32_t beatCount_ = -1;
    bool beatPolarity_ = false;
    std::vector<std::int16_t> soundData_;
    std::uint32_t soundCursor_ = kIdleCursor;
    std::uint64_t cycleNanoseconds_ = 0; // host time of the buffer in render; 0 when unknown

    std::atomic<std::uint32_t> timeSignature_{0};
    std::atomic<std::uint64_t> framesRendered_{0};
    MTBeatSignal signal_;
};
