#pragma once

#include "audio/QVAudioStreamDelegate.h"
#include "audio/QVRenderLock.h"
#include "host/Realtime.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class QVAudioBuffer;
class QVAudioTimeStamp;

namespace fretkit {

// Plays the notes of a scale pattern one at a time from their samples. A request while a note
// sounds fades that note out over the next buffer and starts the new one at the buffer after;
// a note plays once from its start and stops at its end. A request for a note whose sample is
// not loaded yet waits and starts as soon as the sample is there.
//
// Requests (playNoteAtIndex) are single atomic words and need no lock; the note samples are
// changed only under the render lock, which the render runs under. What is playing and how many
// notes there are is read without the lock.
class SCNotePlayer final : public QVAudioStreamDelegate, public QVAudioStreamRenderer {
public:
    static constexpr std::uint32_t kNone = 2147483647;
    using Sample = std::shared_ptr<const QVAudioBuffer>;

    // `renderLock`: the lock of the stream the player plays through (never null).
    // `silentFrames`: how long a note without a sample (missing from the bundle) stays silent.
    SCNotePlayer(QVRenderLockPtr renderLock, std::uint32_t silentFrames)
        : lock_(std::move(renderLock)), silentFrames_(silentFrames) {}

    QVRenderLock& renderLock() const { return *lock_; }

    // Main thread, without the lock.
    void playNoteAtIndex(std::uint32_t index);
    std::uint32_t playbackNoteIndex() const { return playback_.load(std::memory_order_acquire); }
    std::uint32_t nextPlaybackNoteIndex() const { return next_.load(std::memory_order_acquire); }

    // Main thread, render lock held by the caller: drops every note and request and takes
    // `fresh` (empty, its capacity reserved beforehand) for the next notes. Answers the old
    // notes, to be freed by the caller outside the lock.
    std::vector<Sample> resetLocked(std::vector<Sample> fresh);
    // Any thread, under the render lock: the next note's sample (null: a silent note). Notes
    // beyond the capacity are dropped.
    void appendLocked(Sample sample);
    // Any thread, without the lock.
    std::size_t noteCount() const { return noteCount_.load(std::memory_order_relaxed); }

    // Audio thread, render lock held; the buffer arrives zeroed.
    bool renderAudioToBuffer(QVAudioBuffer& buffer,
                             const QVAudioTimeStamp& timeStamp) FRETKIT_NONBLOCKING override;

private:
    const QVRenderLockPtr lock_;
    const std::uint32_t silentFrames_;

    std::atomic<std::uint32_t> playback_{kNone};
    std::atomic<std::uint32_t> next_{kNone};
    std::atomic<std::size_t> noteCount_{0}; // written under the render lock
    // Under the render lock.
    std::vector<Sample> notes_;
    std::uint32_t position_ = 0;
};

} // namespace fretkit
